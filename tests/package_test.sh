#!/usr/bin/env bash
# Makes the Debian package from the build with CPack, as scripts/package.sh
# does from the release build, and checks it: its control fields and
# dependencies, every file in it, lintian, and the program it unpacks to.
#     package_test.sh <build dir> <version>
set -euo pipefail
build=$1 version=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/sistema_*.deb)
failures=0
check() {
    if eval "$2"; then echo "ok      $1"; else echo "FAILED  $1"; failures=$((failures + 1)); fi
}
field() { dpkg-deb -f "$deb" "$1"; }

check "named sistema_${version}_<arch>.deb" '[[ $(basename "$deb") == "sistema_${version}_$(dpkg --print-architecture).deb" ]]'
check "Package, Version, Architecture" \
    '[[ $(field Package) == sistema && $(field Version) == "$version" && $(field Architecture) == $(dpkg --print-architecture) ]]'
check "Section math, a maintainer" '[[ $(field Section) == math && $(field Maintainer) == *@* ]]'
check "a short and a long description" '(( $(field Description | wc -l) >= 3 ))'
depends=$(field Depends)
for package in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    check "depends on $package" '[[ ", $depends," == *", $package"[\ ,]* ]]'
done
recommends=$(field Recommends)
for package in qt6-wayland qt6-translations-l10n; do
    check "recommends $package" '[[ $recommends == *"$package"* ]]'
done

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
{
    echo ./usr/bin/sistema
    echo ./usr/share/applications/org.example.sistema.desktop
    echo ./usr/share/doc/sistema/changelog.gz
    echo ./usr/share/doc/sistema/copyright
    for size in 16 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/org.example.sistema.png"; done
    echo ./usr/share/icons/hicolor/scalable/apps/org.example.sistema.svg
    echo ./usr/share/man/man1/sistema.1.gz
    echo ./usr/share/metainfo/org.example.sistema.metainfo.xml
} | sort >"$work/expected"
check "holds exactly the installed files" 'diff "$work/expected" "$work/files"'
check "every file and folder owned by root" '! dpkg-deb -c "$deb" | awk "{ print \$2 }" | grep -v "^root/root$"'

dpkg-deb -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/sistema
check "copyright: machine-readable, MIT" \
    'head -n 1 "$doc/copyright" | grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" && grep -qx "License: MIT" "$doc/copyright"'
check "changelog.gz: this version first" '[[ $(zcat "$doc/changelog.gz" | head -n 1) == "sistema ($version) "* ]]'
check "man page sistema(1)" 'zcat "$work/root/usr/share/man/man1/sistema.1.gz" | grep -q "^\.TH SISTEMA 1"'
check "the binary is stripped" '! file "$work/root/usr/bin/sistema" | grep -q "not stripped"'

lintian --fail-on error "$deb" >"$work/lintian" 2>/dev/null && lint=0 || lint=$?
check "lintian finds no errors" '[[ $lint == 0 ]]'
sed 's/^/        /' "$work/lintian"

check "the unpacked program starts and quits cleanly" 'bash "$here/program_test.sh" "$work/root/usr/bin/sistema"'
((failures == 0))

#!/usr/bin/env bash
# The Windows download as a user meets it, under Wine in a fresh prefix, on
# the X display given (with a window manager of its own):
#   - the zip, unpacked, gives sistema.exe, no bigger than 19.0 MB, which
#     imports no DLL but Windows' own, opens its window (a fixed frame, no
#     minimise or maximise box, the client area 461 x 275) and solves 6 and
#     16, typed in;
#   - the installer, run silently (/S), puts the program in its folder, one
#     Start-menu shortcut right under Programs and an entry in the list of
#     installed programs;
#   - the installed program does the same;
#   - the uninstaller, run silently, takes all of it away again.
#     package_test.sh <build dir> <version> <window_style.exe> [cpack command...]
# The packages are made in the build folder, by the CPack of the CMake that
# configured it (in the Debian 13 root: the root's, through debian13-root.sh).
set -euo pipefail
build=$1 version=$2 window_style=$3
cpack=("${@:4}")
((${#cpack[@]})) || cpack=(cpack)
work=$(mktemp -d)
packages=$build/package-test
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n ${manager:-} ]] && kill "$manager" 2>/dev/null
    rm -rf "$work" "$packages"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

rm -rf "$packages"
"${cpack[@]}" --config "$build/CPackConfig.cmake" -B "$packages" >"$work/cpack.log" \
    || { cat "$work/cpack.log"; exit 1; }
setup=$packages/sistema-$version-win64-setup.exe
zip=$packages/sistema-$version-win64.zip
[[ -f $setup && -f $zip ]] || fail "cpack made: $(ls "$packages")"

wineboot --init
openbox >/dev/null 2>&1 &
manager=$!
system32=$WINEPREFIX/drive_c/windows/system32

# Windows' own DLLs are those a fresh Windows (here Wine) has in system32,
# and its API sets (api-ms-win-*), which its loader resolves.
check_imports() {
    local dll
    for dll in $(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }'); do
        [[ $dll == api-ms-win-* || -n $(find "$system32" -maxdepth 1 -iname "$dll") ]] \
            || fail "$1 needs $dll, which Windows does not have"
    done
}

# Starts the program, types 6 and 16 into its boxes, presses "Въведи" and
# copies the output box as a user would; then closes the window.
solve_6_16() {
    local program=$1 output started
    wine "$program" &
    local pid=$!
    # xdotool walks every window: one that Wine closes meanwhile fails the
    # walk (BadWindow), and the next walk is looked at.
    local tries
    for ((tries = 0; tries < 300; tries++)); do
        xdotool search --name "Математика - линейна система" >/dev/null 2>&1 && break
        sleep 0.2
    done
    ((tries < 300)) || fail "$program: no window"
    sleep 1
    local style
    style=$(wine "$window_style" "sistema.example.org Математика - линейна система" | tr -d '\r')
    [[ $style == "thickframe=0 minimizebox=0 maximizebox=0 sysmenu=1 client=461x275" ]] \
        || fail "$program: the window's frame: $style"
    keys() { for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.2; done; }
    # From the output box, where the focus starts: box a, box b, "Въведи".
    keys Tab ctrl+a; xdotool type --delay 50 6
    keys Tab ctrl+a; xdotool type --delay 50 16
    keys Tab space
    sleep 1
    keys shift+Tab shift+Tab shift+Tab ctrl+a ctrl+c
    sleep 0.5
    output=$(xclip -o -selection clipboard | tr -d '\r')
    [[ $output == $'Дискриминанта: 100\nКорените на системата са:\nX = 8\nY = 2' ]] \
        || fail "$program showed: $output"
    keys alt+F4
    started=$EPOCHREALTIME
    timeout 30 tail --pid=$pid -f /dev/null || fail "$program still runs after its window closed"
    echo "$program: solved 6 and 16, ended $(awk "BEGIN { printf \"%.1f\", $EPOCHREALTIME - $started }") s after its window closed"
}

echo "== The zip"
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$zip")
unpacked=$work/unpacked/sistema-$version-win64
[[ -f $unpacked/sistema.exe && -f $unpacked/LICENSE.txt ]] || fail "the zip holds: $(cd "$work/unpacked" && find .)"
check_imports "$unpacked/sistema.exe"
size=$(stat -c %s "$unpacked/sistema.exe")
((size <= 19000000)) || fail "sistema.exe is $size bytes, more than 19.0 MB"
solve_6_16 "$unpacked/sistema.exe"

echo "== The installer, silently"
# Everything in the Start menu, all users' and the user's own.
start_menu() {
    (cd "$WINEPREFIX/drive_c" && find ProgramData/Microsoft/Windows/Start\ Menu Users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu) \
        2>/dev/null | sort || true
}
before=$(start_menu)
wine "$setup" /S
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/sistema"
[[ -f $folder/sistema.exe && -f $folder/Uninstall.exe ]] || fail "installed: $(ls "$folder" 2>&1)"
[[ ! -e $folder/usr ]] || fail "Linux files installed"
shortcut="ProgramData/Microsoft/Windows/Start Menu/Programs/Математика - линейна система.lnk"
added=$(comm -13 <(echo "$before") <(start_menu))
[[ $added == "$shortcut" ]] || fail "the Start menu got: $added"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\sistema'
# Exported as Windows writes it, in UTF-16, which keeps the Bulgarian name.
wine reg export "$key" "$(winepath -w "$work/entry.reg")" /y >/dev/null
entry=$(iconv -f UTF-16LE -t UTF-8 "$work/entry.reg" | tr -d '\r')
for value in '"DisplayName"="Математика - линейна система"' "\"DisplayVersion\"=\"$version\"" \
    '"Publisher"="The sistema authors"' '"DisplayIcon"="C:\\Program Files\\sistema\\sistema.exe"' \
    '"UninstallString"="\"C:\\Program Files\\sistema\\Uninstall.exe\""'; do
    grep -qxF "$value" <<<"$entry" || fail "the installed programs' entry lacks $value: $entry"
done
solve_6_16 "C:\\Program Files\\sistema\\sistema.exe"

echo "== The uninstaller, silently"
wine "$folder/Uninstall.exe" /S
wineserver -w
[[ ! -e $folder ]] || fail "left behind: $(find "$folder")"
[[ $(start_menu) == "$before" ]] || fail "the Start menu still has: $(comm -13 <(echo "$before") <(start_menu))"
if wine reg query "$key" >/dev/null 2>&1; then fail "the installed programs' entry is still there"; fi
echo "installed, used and removed"

#!/usr/bin/env bash
# Installs the package the way a user would, on a fresh Debian 12 with no
# compiler and no Qt: a minimal root made by debootstrap, `apt install` of
# the .deb inside it, then the installed program started, on the offscreen
# platform and on an X server of the host, and a picture of its window taken.
# Needs root, and the network to Debian's mirror. Not part of the tests.
#     bash scripts/try-package.sh [package.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh debootstrap xvfb xdotool imagemagick
deb=$(realpath "${1:-$(bash scripts/package.sh | tail -n 1)}")

root=$(mktemp -d /tmp/sistema-fresh-root.XXXXXX)
cleanup() {
    for mount in "$root/tmp/.X11-unix" "$root/proc"; do
        mountpoint -q "$mount" && umount "$mount"
    done
    rm -rf "$root"
}
trap cleanup EXIT

echo "== A fresh Debian 12 (debootstrap --variant=minbase bookworm)"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
environment=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8)
inside() { chroot "$root" "${environment[@]}" "$@"; }
for tool in g++ cc qmake6 cmake; do
    inside sh -c "command -v $tool" >/dev/null && { echo "the fresh root has $tool"; exit 1; }
done

echo "== apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
inside apt-get update -q >/dev/null
inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" >"$root/tmp/apt.log"
installed=$(grep -E "^Setting up " "$root/tmp/apt.log" | awk '{ print $3 }' | sort -u)
echo "$(wc -l <<<"$installed") packages installed: $(tr '\n' ' ' <<<"$installed")" | fold -s -w 100
inside dpkg -s sistema | grep -E "^(Status|Version|Depends|Recommends):"

echo "== The installed program, offscreen"
inside mkdir -m 700 -p /tmp/runtime
inside env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/runtime SISTEMA_STARTUP_PROBE=1 sistema

echo "== On an X server, its window"
Xvfb :61 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
xvfb=$!
sleep 1
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
chroot "$root" "${environment[@]}" DISPLAY=:61 XDG_RUNTIME_DIR=/tmp/runtime sistema &
program=$!
window=$(DISPLAY=:61 timeout 20 xdotool search --sync --name "линейна система" | head -n 1)
sleep 1
mkdir -p build
DISPLAY=:61 import -window "$window" build/fresh-root.png
kill $program
wait $program 2>/dev/null || true
kill $xvfb
echo "build/fresh-root.png"

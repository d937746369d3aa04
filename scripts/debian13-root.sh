#!/usr/bin/env bash
# The Debian 13 (trixie) build root of the web build, made with debootstrap
# from the mirror apt already uses: only Debian 13 packages an Emscripten that
# Qt 6 accepts (Debian 12's is 3.1.6). It also holds Qt 6.8, for building the
# program natively against a newer Qt than Debian 12's.
#     debian13-root.sh                       prints the root's folder
#     debian13-root.sh <command> [args...]   runs the command inside it
# The root goes to the cache folder ($SISTEMA_CACHE, or
# ${XDG_CACHE_HOME:-~/.cache}/sistema) and is reused while its inputs (the
# release, the mirror, the package list) stay the same. Inside, the source
# tree is at the same path as outside, so that paths in build folders hold
# on both sides; commands run as the calling user, in a mount namespace of
# their own that ends with them.
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "$0")/.."
source=$PWD
source scripts/packages.sh
bash scripts/install-packages.sh "${web_host_packages[@]}"

as_root=(); [[ $(id -u) -eq 0 ]] || as_root=(sudo)
release=trixie
mirror=$(apt-get indextargets --format '$(REPO_URI) $(TARGET_OF)' \
    | awk '$2 == "deb" && $1 ~ /\/debian\/?$/ { print $1; exit }')
mirror=${mirror:-http://deb.debian.org/debian/}
cache=${SISTEMA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sistema}
key=$( { echo "$release $mirror"; echo "${web_root_packages[*]}"; } | sha256sum | cut -c1-12)
root=$cache/debian13-$key

if [[ ! -f $root/.complete ]]; then
    started=$SECONDS
    "${as_root[@]}" rm -rf "$root"
    mkdir -p "$cache"
    echo "Debian 13 build root: making $root" >&2
    "${as_root[@]}" debootstrap --variant=minbase "$release" "$root" "$mirror" >"$cache/debootstrap-$key.log" 2>&1 \
        || { tail -n 20 "$cache/debootstrap-$key.log" >&2; exit 1; }
    printf 'deb %s %s main\ndeb-src %s %s main\n' "$mirror" "$release" "$mirror" "$release" \
        | "${as_root[@]}" tee "$root/etc/apt/sources.list" >/dev/null
    "${as_root[@]}" chroot "$root" sh -c "apt-get update -q && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends ${web_root_packages[*]}" >>"$cache/debootstrap-$key.log" 2>&1 \
        || { tail -n 20 "$cache/debootstrap-$key.log" >&2; exit 1; }
    "${as_root[@]}" chroot "$root" apt-get clean
    "${as_root[@]}" touch "$root/.complete"
    echo "Debian 13 build root: made in $((SECONDS - started)) s" >&2
fi

if (($# == 0)); then
    echo "$root"
    exit 0
fi

# The command, as the calling user, with the source tree and the cache
# folder at their own paths; /proc and /dev for the compilers and Node.
user=$(id -u):$(id -g)
mounts=("$source" "$cache")
mkdir -p "$cache/web-home"
"${as_root[@]}" unshare --mount --propagation private -- bash -c '
    set -e
    root=$1 user=$2 dir=$3 home=$4 count=$5; shift 5
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    for ((i = 0; i < count; i++)); do
        mkdir -p "$root$1"
        mount --bind "$1" "$root$1"
        shift
    done
    exec chroot --userspec="$user" "$root" env -i HOME="$home" PATH=/usr/local/bin:/usr/bin:/bin \
        LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" SISTEMA_IN_ROOT=1 bash -c "cd \"\$0\" && exec \"\$@\"" "$dir" "$@"
' bash "$root" "$user" "$caller_dir" "$cache/web-home" "${#mounts[@]}" "${mounts[@]}" "$@"

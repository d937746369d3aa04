#!/usr/bin/env bash
# Generates the locale named (say bg_BG.UTF-8) where the system lacks it.
# Runs locale-gen as root, or through sudo.
set -euo pipefail
name=$1
normalised=$(tr '[:upper:]' '[:lower:]' <<<"${name/UTF-8/utf8}")
locale -a | tr '[:upper:]' '[:lower:]' | grep -qx "$normalised" && exit 0
as_root=(); [[ $(id -u) -eq 0 ]] || as_root=(sudo)
"${as_root[@]}" sed -i "s/^# *\($name .*\)/\1/" /etc/locale.gen
grep -q "^$name " /etc/locale.gen || echo "$name UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
"${as_root[@]}" locale-gen >/dev/null

#!/usr/bin/env bash
# Installed by the install rules (as the Debian package installs it, under another prefix), the
# command-line program finds the data installed with it: its text for the sample map is the build
# tree's. It takes its own copy of the data into the user's folder and makes nothing beside
# itself, even where it may (as root running /usr/bin/kestrel-cli may write /usr/bin).
# Usage: installed_layout_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/usr" >/dev/null

user=(env HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data")
typ=(typ --seed 3 --fid 1 -o -)
"${user[@]}" "$work/usr/bin/kestrel-cli" "${typ[@]}" "$work/usr/share/kestrel/test.img" >"$work/installed.txt"
"${user[@]}" "$build/bin/kestrel-cli" "${typ[@]}" "$build/bin/test.img" >"$work/built.txt"
cmp "$work/installed.txt" "$work/built.txt"
[ -f "$work/data/kestrel/system/polygons_.txt" ] || { echo "no data copied for the user"; exit 1; }
[ ! -e "$work/usr/bin/system" ] || { echo "a data folder was made beside the program"; exit 1; }

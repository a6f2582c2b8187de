#!/usr/bin/env bash
# Builds the Debian package with CPack from a Release build and proves it: lintian finds no error,
# the desktop file and the AppStream metainfo validate, a second build gives the same bytes; then
# it is installed with apt-get, its programs run from the installed paths, and it is removed again
# with nothing of it left behind.
# Usage: tools/package.sh [BUILD_DIR]   (default build-pkg; installs with sudo unless root)
#        tools/package.sh --from BUILD_DIR
# --from packs an existing build of the programs as it is (CI packs the build its tests ran on),
# without the Release builds and so without the check that a second build gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
from=""
if [ "${1:-}" = --from ]; then
    from=${2:?--from needs a build folder}
    set -- "$from"
fi
build=${1:-build-pkg}
# File times in the package: the last commit's, so that one commit gives one package.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

pack() { # BUILD_DIR: packs what is built there; prints the package's path
    rm -f "$1"/kestrel_*.deb
    (cd "$1" && cpack -G DEB >/dev/null)
    realpath "$1"/kestrel_*_amd64.deb
}
package() { # BUILD_DIR: configures, builds and packs; prints the package's path
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DKESTREL_TESTS=OFF -DKESTREL_BENCH=OFF >/dev/null
    cmake --build "$1" -j2 >/dev/null
    pack "$1"
}
if [ -n "$from" ]; then
    deb=$(pack "$build")
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
else
    deb=$(package "$build")
    # A second build folder (its objects mostly from the compiler cache) packs the same bytes.
    again=$(package "$build-again")
    cmp "$deb" "$again"
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, reproducible"
fi

# Checked as files: the package's rules, the menu entry, the software centres' description.
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb"
work=$(mktemp -d /tmp/kestrel-package.XXXXXX)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/kestrel.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/"*.metainfo.xml

# Installed: what of the package was not there before must be gone after it is removed.
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | sed 's|/$||' | grep . >"$work/paths"
while read -r path; do [ -e "$path" ] || echo "$path"; done <"$work/paths" >"$work/new"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
if ldd /usr/bin/kestrel /usr/bin/kestrel-cli /usr/libexec/kestrel/kestrel-cli-draw | grep 'not found'; then exit 1; fi
/usr/bin/kestrel-cli --version
# The drawing commands run the drawing program installed with kestrel-cli.
legend=$(/usr/bin/kestrel-cli legend -q --format svg -o - tests/data/typ/lines.txt)
[[ $legend == *"<svg"* ]] || { echo "the installed kestrel-cli drew no legend"; exit 1; }
# The installed program finds the data installed with it: its text is the build tree's.
typ=(typ --seed 3 --fid 1 -o -)
user=(env HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data")
"${user[@]}" /usr/bin/kestrel-cli "${typ[@]}" /usr/share/kestrel/test.img >"$work/installed.txt"
"${user[@]}" "$build/bin/kestrel-cli" "${typ[@]}" "$build/bin/test.img" >"$work/built.txt"
cmp "$work/installed.txt" "$work/built.txt"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kestrel >/dev/null
# Besides the package's own paths: a data folder that a run as root could make beside the program.
echo /usr/bin/system >>"$work/new"
left=$(while read -r path; do [ ! -e "$path" ] || echo "$path"; done <"$work/new")
if [ -n "$left" ]; then
    printf 'left behind after removal:\n%s\n' "$left"
    exit 1
fi
echo "installed, ran and removed cleanly"

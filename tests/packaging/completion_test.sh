#!/usr/bin/env bash
# The bash completion completes a command, an option, a map name and the files each option takes,
# and offers every command and option that the help of `kestrel-cli` lists.
# Usage: completion_test.sh KESTREL_CLI COMPLETION_SCRIPT
set -euo pipefail
cli=$(realpath "$1")
# shellcheck source=tests/packaging/help_lists.sh
source "$(dirname "$0")/help_lists.sh"
# shellcheck source=data/linux/kestrel.bash
source "$(realpath "$2")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir maps
touch "maps/Lake District.img" maps/NT.GMP maps/notes.txt maps/numbered.typ maps/kestrel.dat

# What the completion offers for a command line whose last word is being typed, sorted, on one line.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kestrel_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

failed=0
expect() { # WANTED WORD...
    local wanted=$1 got
    shift
    got=$(offered "$@")
    [ "$got" = "$wanted" ] || { echo "kestrel-cli ${*:2}: offered '$got', wanted '$wanted'"; failed=1; }
}
#      offered                                    the words typed
expect "typ"                                      kestrel-cli ty
expect "check-update"                             kestrel-cli -q ch
expect "--complete"                               kestrel-cli scan --com
expect "--count --count-hex"                      kestrel-cli gen lines --cou
expect "maps/Lake District.img maps/NT.GMP"       kestrel-cli scan maps/
expect "maps/Lake District.img"                   kestrel-cli typ -o out.txt maps/L
expect "maps/notes.txt"                           kestrel-cli typ maps/x.img -o maps/
expect "maps/notes.txt"                           kestrel-cli typ --output = maps/
expect "maps/numbered.typ"                        kestrel-cli gen pois -o maps/
expect "maps"                                     kestrel-cli scan --data m
expect "extra-pois"                               kestrel-cli gen ex
expect "html"                                     kestrel-cli legend x.txt --format h
expect "polygons,lines polygons,pois"             kestrel-cli typ --kinds polygons,
expect ""                                         kestrel-cli typ --fid ""
expect ""                                         kestrel-cli unknown ""

# Nothing the help lists is missing.
commands=$(help_commands "$cli" | sort | paste -sd' ')
expect "$commands" kestrel-cli ""
while read -r command; do
    expect "$(help_options "$cli" "$command" | sort | paste -sd' ')" kestrel-cli "$command" -
done < <(help_commands "$cli")
expect "$(help_options "$cli" | sort | paste -sd' ')" kestrel-cli -
exit $failed

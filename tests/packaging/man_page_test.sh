#!/usr/bin/env bash
# Every option that `kestrel-cli --help` and `kestrel-cli COMMAND --help` list is described in the
# man page: the program's under OPTIONS, a command's in its own section (or under OPTIONS, which
# every command takes too). A command the man page lacks fails as well.
# Usage: man_page_test.sh KESTREL_CLI MAN_PAGE
set -euo pipefail
cli=$1
# shellcheck source=tests/packaging/help_lists.sh
source "$(dirname "$0")/help_lists.sh"
# The page as words: roff's escaped hyphens as plain ones, font changes left out.
page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$2")

# The lines of a section: OPTIONS, or the subsection whose heading starts with a command.
section() {
    awk -v name="$1" '/^\.S[HS] / { h = $2; gsub(/"/, "", h); on = (h == name) } on' <<<"$page"
}
has() { # TEXT OPTION
    grep -qE -- "(^|[^a-z-])$2([^a-z-]|\$)" <<<"$1"
}

missing=0
global=$(section OPTIONS)
while read -r option; do
    has "$global" "$option" || { echo "OPTIONS lacks $option"; missing=1; }
done < <(help_options "$cli")
while read -r command; do
    own=$(section "$command")
    if [ -z "$own" ]; then
        echo "no section for the command $command"
        missing=1
        continue
    fi
    while read -r option; do
        has "$own" "$option" || has "$global" "$option" ||
            { echo "$command: $option is not described"; missing=1; }
    done < <(help_options "$cli" "$command")
done < <(help_commands "$cli")
exit $missing

# What `kestrel-cli --help` and `kestrel-cli COMMAND --help` list, for the tests that check the
# man page and the shell completion against them. Sourced.

# The commands, one a line. Usage: help_commands KESTREL_CLI
help_commands() {
    "$1" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }'
}

# The options of a command (none: the program's own), one a line: "-o,--output FILE" gives -o
# and --output. Usage: help_options KESTREL_CLI [COMMAND]
help_options() {
    "$1" ${2:+"$2"} --help | awk '/^Options:/ { on = 1; next } /^[^ ]/ { on = 0 }
        on && /^  -/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i] }'
}

# Bash completion for kestrel-cli and kestrel: commands, options, and the files of the kind each
# place takes (maps: *.img and *.gmp; texts: *.txt; binary TYPs: *.typ; pictures and
# legends: *.png, *.svg, *.html; data: folders).
# Words offered split at spaces: none of them holds one; file names are read a line each.
# shellcheck disable=SC2207

# Files ending in one of the given extensions (either case) and folders, whose names the shell
# then marks with a slash and quotes.
_kestrel_files() {
    local cur=$1 ext
    shift
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
    for ext in "$@"; do
        mapfile -t -O ${#COMPREPLY[@]} COMPREPLY < <(compgen -f -X "!*.$ext" -- "$cur"
            compgen -f -X "!*.${ext^^}" -- "$cur")
    done
}

_kestrel_folders() {
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$1")
}

_kestrel_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--opt=value": the shell splits the word at "=".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = && $COMP_CWORD -gt 1 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    # The command is the first word that is not an option: the program's own options take no value.
    local command='' i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} != -* ]]; then
            command=${COMP_WORDS[i]}
            break
        fi
    done

    local common="-h --help -q --quiet" map="--highways --complete --draworder --no-draworder --data"
    local options
    case $command in
    '') options="$common --version" ;;
    scan) options="$common $map --json" ;;
    typ) options="$common $map -o --output --fid --product --codepage --kinds --seed --state --force" ;;
    compile) options="$common -o --output --fid --product --codepage --force" ;;
    decompile) options="$common -o --output --force" ;;
    map-typ) options="$common --json --extract --force" ;;
    put-typ) options="$common -o --output --keep-ids --force" ;;
    products) options="$common --json" ;;
    gen) options="$common --start --count -o --output --ignore-subtypes --line-width --codepage
        --start-hex --start-dec --count-hex --force --data" ;;
    legend) options="$common -o --output --map --format --force" ;;
    render) options="$common -o --output --typ --level --size --whole-map --night --force" ;;
    check-update) options="$common --url" ;;
    *) return ;;
    esac

    # The value of an option.
    case $command:$prev in
    typ:-o | typ:--output) _kestrel_files "$cur" txt; return ;;
    gen:-o | gen:--output | compile:-o | compile:--output) _kestrel_files "$cur" typ; return ;;
    decompile:-o | decompile:--output) _kestrel_files "$cur" txt; return ;;
    put-typ:-o | put-typ:--output) _kestrel_files "$cur" img; return ;;
    legend:-o | legend:--output) _kestrel_files "$cur" png svg html; return ;;
    legend:--map) _kestrel_files "$cur" img gmp; return ;;
    legend:--format) COMPREPLY=($(compgen -W "png svg html" -- "$cur")); return ;;
    render:-o | render:--output) _kestrel_files "$cur" png; return ;;
    render:--typ) _kestrel_files "$cur" txt typ img gmp; return ;;
    *:--extract) _kestrel_folders "$cur"; return ;;
    *:--data) _kestrel_folders "$cur"; return ;;
    typ:--state)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    typ:--kinds) # a list: the kinds before the last comma stay, and are not offered again
        local given=${cur%"${cur##*,}"} kinds='' kind
        for kind in polygons lines pois; do
            [[ ,$given == *,$kind,* ]] || kinds+=" $kind"
        done
        COMPREPLY=($(compgen -P "$given" -W "$kinds" -- "${cur##*,}"))
        return
        ;;
    typ:--codepage) COMPREPLY=($(compgen -W "$(echo 125{0..8})" -- "$cur")); return ;;
    *:--fid | *:--product | *:--seed | *:--start | *:--count | *:--line-width | *:--codepage | *:--url | *:--level | *:--size) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
    '') COMPREPLY=($(compgen -W "scan typ compile decompile map-typ put-typ products gen legend render check-update" -- "$cur")) ;;
    scan | typ | map-typ | render) _kestrel_files "$cur" img gmp ;;
    compile) _kestrel_files "$cur" txt ;;
    decompile) _kestrel_files "$cur" typ ;;
    put-typ) _kestrel_files "$cur" img typ ;;
    legend) _kestrel_files "$cur" txt typ img ;;
    gen) COMPREPLY=($(compgen -W "pois lines polygons routes extra-pois" -- "$cur")) ;;
    esac
}
complete -F _kestrel_cli kestrel-cli

# The desktop program takes maps.
_kestrel() {
    _kestrel_files "${COMP_WORDS[COMP_CWORD]}" img gmp
}
complete -F _kestrel kestrel

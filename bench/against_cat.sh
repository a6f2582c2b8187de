# Sourced by the speed scripts: times commands on one map against `cat MAP >/dev/null` with
# hyperfine, whole processes, warm cache.
#   against_cat LABEL ROUNDS MAP NAME COMMAND [NAME COMMAND]...
# COMMAND is the program with its options; the map is added last. against_cat_whole takes the same
# arguments, but each COMMAND whole, with the file it reads (another map than the one `cat` reads,
# to weigh a small map's picture against a big map's cat). The commands take turns in short
# rounds, so that the other work on a shared machine weighs on each alike; bench/cat_ratios.py
# prints the medians, their ratios to `cat` and the spread of the rounds' ratios, then the peak
# resident memory of each command.

against_cat() {
    local label=$1 rounds=$2 map=$3 args=()
    shift 3
    while [ $# -gt 0 ]; do
        args+=("$1" "$2 $map")
        shift 2
    done
    against_cat_whole "$label" "$rounds" "$map" "${args[@]}"
}

against_cat_whole() {
    local label=$1 rounds=$2 map=$3
    shift 3
    local names=() commands=("cat $map") peaks=() round
    while [ $# -gt 0 ]; do
        names+=("$1")
        commands+=("$2")
        shift 2
    done
    local tmp
    tmp=$(mktemp -d)
    for round in $(seq "$rounds"); do
        # Its warnings about a busy machine go to the log; it is shown when a command failed.
        hyperfine -N --style none --warmup 1 --runs 3 --export-json "$tmp/round_$round.json" \
            "${commands[@]}" >"$tmp/log" 2>&1 || {
            cat "$tmp/log" >&2
            rm -rf "$tmp"
            return 1
        }
    done
    for round in "${commands[@]:1}"; do
        # shellcheck disable=SC2086 # the command is split into its words on purpose
        peaks+=("$(/usr/bin/time -f %M $round 2>&1 >/dev/null | tail -1)")
    done
    python3 "$(dirname "${BASH_SOURCE[0]}")/cat_ratios.py" "$label" "${names[*]}" "${peaks[*]}" \
        "$tmp"/round_*.json
    rm -rf "$tmp"
}

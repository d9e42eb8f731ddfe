# Timing for the command-line benchmarks, sourced by them: each run's wall and CPU time
# gathered by name, and the medians of ours beside a reference. Expects $work.

elapsed() {  # runs the command, prints its wall time and the CPU time it and its children used
    local TIMEFORMAT='%R %U %S' timing
    timing=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
    read -r wall user system <<<"$timing"
    echo "$wall $(echo "$user + $system" | bc -l)"
}
fresh() { rm -rf "$work/out"; mkdir -p "$work/out"; }

declare -A times cpus
measure() {  # name, command...
    local name=$1 wall cpu
    shift
    fresh
    read -r wall cpu <<<"$(elapsed "$@")"
    times[$name]+="$wall "
    cpus[$name]+="$cpu "
}
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

list_times() {
    echo "medians of $rounds rounds; every run's wall time:"
    for name in "${!times[@]}"; do echo "  $name: ${times[$name]}"; done
}
report() {  # ours, reference, goal
    local ours reference oursCpu referenceCpu
    ours=$(median "${times[$1]}")
    reference=$(median "${times[$2]}")
    oursCpu=$(median "${cpus[$1]}")
    referenceCpu=$(median "${cpus[$2]}")
    printf '%-13s %7.2f s (cpu %7.2f s)   %-19s %7.2f s (cpu %7.2f s)   wall ratio %.3f (goal <= %s), cpu ratio %.3f\n' \
        "$1" "$ours" "$oursCpu" "$2" "$reference" "$referenceCpu" "$(echo "$ours / $reference" | bc -l)" "$3" \
        "$(echo "$oursCpu / $referenceCpu" | bc -l)"
}

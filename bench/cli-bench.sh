#!/usr/bin/env bash
# The command line beside the ffmpeg command line on the same clips, measured side by side
# in one run, alternating, each figure the median of ROUNDS runs:
#   1. an exact 4 x 4 sheet of a 1920 x 1080 H.264 clip (B-frames, a key frame every 10 s)
#      beside sixteen exact grabs:     ffmpeg -ss T -i clip -frames:v 1 shot.jpg   (x 16)
#   2. a --keyframes 4 x 4 sheet beside one key-frame pass:
#                                      ffmpeg -skip_frame nokey -i clip -vf select,scale,tile
#   3. 20 short videos with --jobs 2 beside --jobs 1.
#   4. with REFERENCE set to another build's stillmark-cli: the same 20 videos with --jobs 2
#      beside that build's (the cost of a process per video, against a build that ran the
#      videos on threads of one process).
# The clips are generated into $WORK on first use (a few minutes for the 1080p one).
#
# Usage: bash bench/cli-bench.sh [path/to/stillmark-cli]   (default build/src/cli/stillmark-cli)
#        ROUNDS=5 WORK=/tmp/somewhere REFERENCE=/tmp/old/build/src/cli/stillmark-cli bash bench/cli-bench.sh
set -euo pipefail
cli=${1:-"$(dirname "$0")/../build/src/cli/stillmark-cli"}
work=${WORK:-/tmp/stillmark-cli-bench}
rounds=${ROUNDS:-3}
reference=${REFERENCE:-}
clip=$work/h264-1080p.mp4
seconds=120
mkdir -p "$work/short"

if [[ ! -s $clip ]]; then
    echo "generating $clip ..." >&2
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=$seconds" -pix_fmt yuv420p \
        -c:v libx264 -preset veryfast -bf 3 -g 250 -keyint_min 250 -sc_threshold 0 "$clip.part.mp4"
    mv "$clip.part.mp4" "$clip"
fi
for i in $(seq -w 1 20); do
    short=$work/short/clip$i.mp4
    [[ -s $short ]] && continue
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=640x360:rate=25:duration=20" -pix_fmt yuv420p \
        -c:v libx264 -preset veryfast -bf 3 -g 50 "$short.part.mp4"
    mv "$short.part.mp4" "$short"
done

# The sixteen seconds the count method picks: interval = duration div 16.
interval=$((seconds / 16))
sheet=(--set ThumbCols=4 --set ThumbRows=4 -n 16)

elapsed() {  # runs the command, prints its wall time and the CPU time it and its children used
    local TIMEFORMAT='%R %U %S' timing
    timing=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
    read -r wall user system <<<"$timing"
    echo "$wall $(echo "$user + $system" | bc -l)"
}
fresh() { rm -rf "$work/out"; mkdir -p "$work/out"; }

exact_reference() {
    for k in $(seq 0 15); do
        ffmpeg -v error -y -ss $((k * interval)) -i "$clip" -frames:v 1 "$work/out/ref_$k.jpg"
    done
}
keyframe_reference() {
    ffmpeg -v error -y -skip_frame nokey -i "$clip" \
        -vf "select='isnan(prev_selected_t)+gte(t-prev_selected_t,$interval)',scale=120:90,tile=4x4" \
        -frames:v 1 -fps_mode vfr "$work/out/ref_sheet.jpg"
}
exact_cli() { "$cli" "${sheet[@]}" -o "$work/out" "$clip"; }
keyframe_cli() { "$cli" "${sheet[@]}" --keyframes -o "$work/out" "$clip"; }
jobs_cli() { "$cli" -j "$1" -o "$work/out" "$work/short"; }
jobs_reference() { "$reference" -j 2 -o "$work/out" "$work/short"; }

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

for round in $(seq 1 "$rounds"); do
    echo "round $round of $rounds" >&2
    measure exact_reference exact_reference
    measure exact_cli exact_cli
    measure keyframe_reference keyframe_reference
    measure keyframe_cli keyframe_cli
    measure jobs1 jobs_cli 1
    measure jobs2 jobs_cli 2
    if [[ -n $reference ]]; then measure jobs2_reference jobs_reference; fi
done

report() {  # ours, reference, goal
    local ours reference oursCpu referenceCpu
    ours=$(median "${times[$1]}")
    reference=$(median "${times[$2]}")
    oursCpu=$(median "${cpus[$1]}")
    referenceCpu=$(median "${cpus[$2]}")
    printf '%-13s %6.2f s (cpu %6.2f s)   %-19s %6.2f s (cpu %6.2f s)   wall ratio %.2f (goal <= %s), cpu ratio %.2f\n' \
        "$1" "$ours" "$oursCpu" "$2" "$reference" "$referenceCpu" "$(echo "$ours / $reference" | bc -l)" "$3" \
        "$(echo "$oursCpu / $referenceCpu" | bc -l)"
}
echo "medians of $rounds rounds; every run's wall time:"
for name in "${!times[@]}"; do echo "  $name: ${times[$name]}"; done
report exact_cli exact_reference 0.4
report keyframe_cli keyframe_reference 0.8
report jobs2 jobs1 0.6
if [[ -n $reference ]]; then report jobs2 jobs2_reference 1.1; fi

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
source "$(dirname "$0")/timing.sh"
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


for round in $(seq 1 "$rounds"); do
    echo "round $round of $rounds" >&2
    measure exact_reference exact_reference
    measure exact_cli exact_cli
    measure keyframe_reference keyframe_reference
    measure keyframe_cli keyframe_cli
    measure jobs1 jobs_cli 1
    # The reference build runs before this one's -j2 in every other round.
    if [[ -n $reference ]] && ((round % 2 == 0)); then measure jobs2_reference jobs_reference; fi
    measure jobs2 jobs_cli 2
    if [[ -n $reference ]] && ((round % 2)); then measure jobs2_reference jobs_reference; fi
done

list_times
report exact_cli exact_reference 0.4
report keyframe_cli keyframe_reference 0.8
report jobs2 jobs1 0.6
if [[ -n $reference ]]; then report jobs2 jobs2_reference 1.1; fi

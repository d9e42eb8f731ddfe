#!/usr/bin/env bash
# Seek-bar preview tracks (--webvtt, the defaults: a picture every 10 s, 320 wide, 10 x 10 to a
# sprite) beside the ffmpeg command line making the same sprites, on a 30-minute 1920 x 1080
# H.264 clip with a key frame every 5 s, measured side by side in one run, alternating, each
# figure the median of ROUNDS runs:
#   1. --webvtt --keyframes  beside  ffmpeg -skip_frame nokey -i clip -vf fps,scale,tile  (goal <= 0.5)
#   2. --webvtt (exact)      beside  ffmpeg -i clip -vf fps,scale,tile, which decodes every
#                                    frame                                                 (goal <= 0.6)
# The clip is generated into $WORK on first use (some minutes; about 240 MB).
#
# Usage: bash bench/preview-track-bench.sh [path/to/stillmark-cli]   (default build/src/cli/stillmark-cli)
#        ROUNDS=5 WORK=/tmp/somewhere bash bench/preview-track-bench.sh
set -euo pipefail
cli=${1:-"$(dirname "$0")/../build/src/cli/stillmark-cli"}
work=${WORK:-/tmp/stillmark-preview-bench}
rounds=${ROUNDS:-3}
clip=$work/h264-1080p-30min.mp4
source "$(dirname "$0")/timing.sh"
mkdir -p "$work"

if [[ ! -s $clip ]]; then
    echo "generating $clip ..." >&2
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=1800" -pix_fmt yuv420p \
        -c:v libx264 -preset veryfast -bf 3 -g 125 -keyint_min 125 -sc_threshold 0 "$clip.part.mp4"
    mv "$clip.part.mp4" "$clip"
fi

chain="fps=1/10,scale=320:-2,tile=10x10"


keyframe_reference() { ffmpeg -v error -y -skip_frame nokey -i "$clip" -vf "$chain" "$work/out/sprite_%03d.jpg"; }
exact_reference() { ffmpeg -v error -y -i "$clip" -vf "$chain" "$work/out/sprite_%03d.jpg"; }
keyframe_cli() { "$cli" --webvtt --keyframes -o "$work/out" "$clip"; }
exact_cli() { "$cli" --webvtt -o "$work/out" "$clip"; }


for round in $(seq 1 "$rounds"); do
    echo "round $round of $rounds" >&2
    # Each round starts with the other side of the pair than the one before.
    if ((round % 2)); then
        measure keyframe_cli keyframe_cli
        measure keyframe_reference keyframe_reference
        measure exact_cli exact_cli
        measure exact_reference exact_reference
    else
        measure exact_reference exact_reference
        measure exact_cli exact_cli
        measure keyframe_reference keyframe_reference
        measure keyframe_cli keyframe_cli
    fi
done

list_times
report keyframe_cli keyframe_reference 0.5
report exact_cli exact_reference 0.6

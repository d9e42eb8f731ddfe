#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer and the
# fuzzer's coverage) into build-fuzz/ (or $BUILD_DIR), writes their seeds, and runs each
# target for SECONDS (default 60), one after another. A finding ends the script with the
# fuzzer's report and its input in $BUILD_DIR/findings/; the corpora grow in
# $BUILD_DIR/corpus/ from one run to the next.
#
# Usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]
#   targets: fuzz_settings fuzz_arguments fuzz_info_lines fuzz_media (default: all)
#   replay one input:  build-fuzz/fuzz/fuzz_media build-fuzz/findings/fuzz_media-crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_settings fuzz_arguments fuzz_info_lines fuzz_media)
build=${BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DSTILLMARK_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}"
bash fuzz/make-seeds.sh "$build/seeds"
mkdir -p "$build/findings"

for target in "${targets[@]}"; do
    echo "== $target for $seconds s" >&2
    mkdir -p "$build/corpus/$target"
    dict=$build/seeds/${target#fuzz_}.dict
    options=(-max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 -max_len=65536 -print_final_stats=1
             -artifact_prefix="$build/findings/$target-")
    [[ -f $dict ]] && options+=(-dict="$dict")
    QT_QPA_PLATFORM=offscreen "$build/fuzz/$target" "${options[@]}" "$build/corpus/$target" "$build/seeds/$target"
done

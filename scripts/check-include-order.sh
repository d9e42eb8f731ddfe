#!/usr/bin/env bash
# Fails when a source file under src/ includes a header against the layer order:
#   common <- settings <- imaging <- output, video <- capture <- sheet, viewer <- batch <- cli <- app.
# A core file includes its own folder and lower folders, never a ui/ file. A ui/ file includes any
# core file of its own or a lower folder, its own ui/ folder and the ui/ folders of lower layers;
# app/ is the shell on top: the main window, which opens every other window.
#
# Usage: scripts/check-include-order.sh [src-folder]   (default: src beside this script)
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

declare -A rank=([common]=0 [settings]=1 [imaging]=2 [output]=3 [video]=3 [capture]=4 [sheet]=5 [viewer]=5 [batch]=6
    [cli]=7 [app]=8)

violations=0
while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    folder=${relative%%/*}
    [[ -n ${rank[$folder]:-} ]] || continue
    in_ui=false
    [[ $relative == "$folder"/ui/* ]] && in_ui=true
    while IFS= read -r included; do
        target=${included%%/*}
        [[ -n ${rank[$target]:-} ]] || continue
        allowed=true
        if [[ $included == "$target"/ui/* ]] && ! $in_ui; then
            allowed=false
        elif [[ $target != "$folder" ]] && (( ${rank[$target]} >= ${rank[$folder]} )); then
            allowed=false
        fi
        if ! $allowed; then
            echo "$relative includes \"$included\" against the layer order"
            violations=$((violations + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)

if (( violations > 0 )); then
    echo "$violations include(s) break the layer order"
    exit 1
fi
echo "include order holds"

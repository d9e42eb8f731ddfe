#!/usr/bin/env bash
# Writes one picture in every format at every setting (JPEG quality 10 and 100, PNG
# levels 0-9, BMP at every MaxColor, GIF, TIF) and has ImageMagick's identify read each
# file back: format, size, the fields each setting must produce, and pixel for pixel
# equality of the lossless formats with the 24-bit BMP. The BMP bit counts and the
# 16-bit colour masks are read from the file headers themselves.
#
# Usage: scripts/check-with-identify.sh [path/to/write_sample_pictures]
# (default: build/tests/output/write_sample_pictures). Exits 0 when every check passes,
# 1 when one fails, 77 when identify is not installed (CTest counts that as skipped).
set -euo pipefail

tool=${1:-build/tests/output/write_sample_pictures}
if ! command -v identify >/dev/null || ! command -v compare >/dev/null; then
    echo "ImageMagick's identify and compare are not installed: nothing checked"
    exit 77
fi

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$tool" "$folder"

failures=0
check() {  # description, actual, expected
    if [[ "$2" == "$3" ]]; then
        echo "ok   $1: $2"
    else
        echo "FAIL $1: expected '$3', got '$2'"
        failures=$((failures + 1))
    fi
}
identify_as() {  # file, format
    identify -format "$2" "$folder/$1" 2>&1 || true
}
colormap_entries() {
    identify -verbose "$folder/$1" 2>/dev/null | sed -n 's/^ *Colormap entries: *//p'
}
same_pixels_as_bmp24() {
    compare -metric AE "$folder/bmp-3.bmp" "$folder/$1" null: 2>&1 || true
}
bmp_header() {  # file: bit count, compression
    od -A n -t u2 -j 28 -N 2 "$folder/$1" | tr -d ' '
    od -A n -t u4 -j 30 -N 4 "$folder/$1" | tr -d ' '
}

for quality in 10 100; do
    check "jpg-$quality.jpg" "$(identify_as jpg-$quality.jpg '%m %wx%h %Q %[colorspace]')" "JPEG 97x61 $quality sRGB"
done

for level in 0 1 2 3 4 5 6 7 8 9; do
    check "png-$level.png" \
        "$(identify_as png-$level.png '%m %wx%h %[png:IHDR.color_type] %[png:IHDR.bit_depth] %[png:IHDR.interlace_method]')" \
        "PNG 97x61 2 (Truecolor) 8 0 (Not interlaced)"
    check "png-$level.png pixels" "$(same_pixels_as_bmp24 png-$level.png)" "0"
done

# MaxColor: bits per pixel, compression (3 = bit fields), palette entries.
declare -A bmp_bits=([0]=4 [1]=8 [2]=16 [3]=24 [8]=24)
declare -A bmp_compression=([0]=0 [1]=0 [2]=3 [3]=0 [8]=0)
declare -A bmp_palette=([0]=16 [1]=256 [2]="" [3]="" [8]="")
for max_color in 0 1 2 3 8; do
    file=bmp-$max_color.bmp
    check "$file" "$(identify_as $file '%m %wx%h')" "BMP3 97x61"
    check "$file header" "$(bmp_header $file | paste -sd ' ')" "${bmp_bits[$max_color]} ${bmp_compression[$max_color]}"
    check "$file palette" "$(colormap_entries $file)" "${bmp_palette[$max_color]}"
done
check "bmp-2.bmp masks" "$(od -A n -t x4 -j 54 -N 12 "$folder/bmp-2.bmp" | xargs)" "0000f800 000007e0 0000001f"
check "bmp-8.bmp pixels" "$(same_pixels_as_bmp24 bmp-8.bmp)" "0"

check "gif.gif" "$(identify_as gif.gif '%m %wx%h %C')" "GIF 97x61 LZW"
check "gif.gif palette" "$(colormap_entries gif.gif)" "256"

check "tif.tif" "$(identify_as tif.tif '%m %wx%h %[tiff:endian] %C %[tiff:photometric]')" "TIFF 97x61 lsb None RGB"
check "tif.tif pixels" "$(same_pixels_as_bmp24 tif.tif)" "0"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every file passed"

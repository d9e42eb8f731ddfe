#!/usr/bin/env bash
# Writes the fuzz targets' seed inputs and dictionaries into the folder given (made when
# missing; what is there is kept): small videos made with the ffmpeg command line, settings
# files, argument lists and information lines. Nothing of it is kept in the tree.
set -euo pipefail
out=$1
src="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$out"/{fuzz_settings,fuzz_arguments,fuzz_info_lines,fuzz_media}

# Videos of a few frames in the containers and codecs users meet, each a few kilobytes.
media=$out/fuzz_media
video() {  # name, ffmpeg output options...
    local name=$1
    shift
    [[ -s $media/$name ]] && return
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=64x48:rate=10:duration=0.5" "$@" "$media/$name" || rm -f "$media/$name"
}
video h264.mp4 -pix_fmt yuv420p -c:v libx264 -preset ultrafast -bf 2 -g 3
video rotated.mp4 -pix_fmt yuv420p -c:v libx264 -preset ultrafast -metadata:s:v rotate=90
video interlaced.mkv -pix_fmt yuv420p -c:v libx264 -preset ultrafast -flags +ildct+ilme -x264opts tff=1 -field_order tt
video mpeg2.ts -c:v mpeg2video -g 3
video mjpeg.avi -c:v mjpeg
video mpeg4.avi -c:v mpeg4 -g 3
video vp9.webm -c:v libvpx-vp9 -deadline realtime -cpu-used 8
video pq.mkv -pix_fmt yuv420p10le -c:v libx265 -preset ultrafast -x265-params log-level=none \
    -color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc
video clip.gif
[[ -s $media/sound.m4a ]] || ffmpeg -v error -y -f lavfi -i "sine=frequency=440:duration=0.3" -c:a aac "$media/sound.m4a"
[[ -s $media/sound-and-picture.mkv ]] || ffmpeg -v error -y -f lavfi -i "testsrc2=size=32x32:rate=5:duration=0.4" \
    -f lavfi -i "sine=duration=0.4" -c:v libx264 -preset ultrafast -c:a libvorbis -shortest "$media/sound-and-picture.mkv"

# Settings files: every key, in UTF-8 with CRLF, in GB18030, with duplicates and junk.
settings=$out/fuzz_settings
printf '[Settings]\r\nCaptureMethod=1\r\nEveryFrame=30\r\nStartTime=0:01:00\r\nOutputFolder=/tmp/shots/\r\nFillColor=$FF00FF\r\nAddText=第一行|{FILENAME}\r\nNeedResize=5\r\n[TimeFont]\r\nName=Verdana\r\nSize=-12\r\n[AddonFont]\r\nColor=-2147483643\r\n' >"$settings/crlf.dat"
printf '[Settings]\nAddText=中文|两行\nInitDir=/home/用户/\n' | iconv -f UTF-8 -t GB18030 >"$settings/gb18030.dat"
printf 'loose=line\n; comment\n[settings]\ncountframes=0x10\nCountFrames=7\n[Other]\nx=y\n[Settings]\nThumbCols= 4 \nJpgCompress=+99\n' >"$settings/mixed.dat"

# Arguments, separated by NUL bytes.
arguments=$out/fuzz_arguments
printf -- '-n\00016\000-o\000/tmp/out\000--set\000ThumbCols=4\000-j2\000clip.mp4' >"$arguments/count.args"
printf -- '--every=30\000-s\0000:00:10\000-f\000png\000--tonemap\000off\000--timeout\0005\000--json\000--\000-x.mp4' >"$arguments/every.args"
printf -- '--set\000TimeFont.Size=20\000--no-shots\000--keyframes\000--skip-existing\000-r\000--mask\000*.mkv\000/videos' >"$arguments/flags.args"

# Information lines: the duration (8 bytes), then AddText, the file, the decoders and a
# pattern, separated by NUL bytes.
info=$out/fuzz_info_lines
{ printf '\x3c\x0e\x00\x00\x00\x00\x00\x00'; printf 'first|{FILENAME}||x\000/videos/clip 1.mp4\000H.264 解码器\rMP4 解复用器\r\000{DURATION}'; } >"$info/lines.txt"

# Dictionaries: the option names of the help text and the keys of the settings file.
grep -oE -- '--?[a-zA-Z][a-zA-Z-]*' "$src/src/settings/Texts.h" | sort -u | sed 's/.*/"&"/' >"$out/arguments.dict"
grep -oE '"[A-Z][A-Za-z0-9]+"' "$src/src/settings/SettingsStore.cpp" | sort -u | sed 's/"\(.*\)"/"\1="/' >"$out/settings.dict"
printf '"[Settings]"\n"[TimeFont]"\n"[AddonFont]"\n"\\x0d\\x0a"\n' >>"$out/settings.dict"
printf '"{FILENAME}"\n"{FILESIZE}"\n"{DURATION}"\n"{DECODER}"\n"|"\n"\\x0d"\n' >"$out/info_lines.dict"

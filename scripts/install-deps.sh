#!/usr/bin/env bash
# Installs every Debian package Stillmark needs to build, run, test and benchmark.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libavformat-dev libavcodec-dev libavfilter-dev libavutil-dev libswscale-dev libswresample-dev
  libsdl2-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libgif-dev libdeflate-dev libzstd-dev
  libwebp-dev libavif-dev
  fonts-noto-cjk fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # Independent readers and the reference command line used by tests and benchmarks;
  # ImageMagick's library is the benchmarks' PNG reference.
  ffmpeg libtiff-tools imagemagick libmagick++-dev
  # The WebP and AVIF readers (dwebp, cwebp as the WebP benchmark's reference; avifdec).
  webp libavif-bin
  # The preview-track test reads the track files with Python's own standard library.
  python3
  # A display for running the real program headless.
  xvfb xauth
  # clang with libFuzzer for the fuzz targets (scripts/fuzz.sh).
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

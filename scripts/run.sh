#!/usr/bin/env bash
# Installs the dependencies, builds Stillmark and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec "${BUILD_DIR:-build}/src/stillmark" "$@"

#!/bin/sh
# Builds everything and runs every test headless, in build-release: the package's own build
# (scripts/configure-release.sh), so that the programs tested are the programs packaged and a
# later scripts/package.sh only packs them.
set -eu
cd "$(dirname "$0")/.."
scripts/configure-release.sh
cmake --build build-release -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-release --output-on-failure -j"$(nproc)"

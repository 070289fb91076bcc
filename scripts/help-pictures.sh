#!/bin/sh
# Draws every picture of the manual again from the real windows (offscreen, the installed
# fonts) into help/images. Run it after changing a dialog or a menu, and commit the pictures.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${JOBS:-2}" --target zepo-help-pictures
# Pictures of windows that no longer exist must not stay behind.
rm -f help/images/*.png
QT_QPA_PLATFORM=offscreen LANG=ja_JP.UTF-8 build/help/zepo-help-pictures examples help/images

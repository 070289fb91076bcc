#!/bin/sh
# Installs everything the build (with the MIDI synthesizer, a General MIDI SoundFont and the Ogg
# Vorbis encoder, Graphviz's layout library for the card map and its dot program for the
# test of the map's DOT), the tests, the benchmark and the fuzzing (clang with
# libFuzzer and the sanitizer runtimes, llvm-symbolizer for their stacks, clang-format for the
# style check), movie playback
# (Qt Multimedia with the GStreamer decoders), the help (QtHelp, qhelpgenerator), Qt's
# Japanese translations, the manual pages (help2man makes zepocard's, groff checks both),
# the desktop-file, MIME and XML checkers, a window manager for the window-size test, the
# desktop's program look-up, the browser test of the
# exported web pages (headless Chromium through Selenium) and the Debian package (dpkg-dev for
# its library dependencies, lintian to check it) need on a fresh
# Debian 12 machine (poppler-utils reads the handout PDFs back in a test). Does nothing when all packages are already there; uses sudo when not root.
set -eu
PACKAGES="g++ cmake make pkg-config
  qt6-base-dev libgl-dev qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev
  libfluidsynth-dev timgm6mb-soundfont libvorbis-dev
  libgraphviz-dev graphviz
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation fontconfig
  imagemagick python3 python3-pil time
  clang-14 libclang-rt-14-dev llvm-14 clang-format-14
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-libav ffmpeg
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite qt6-translations-l10n
  desktop-file-utils shared-mime-info libxml2-utils xvfb openbox xdg-utils help2man groff-base
  chromium chromium-driver python3-selenium nodejs
  poppler-utils
  dpkg-dev lintian"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing

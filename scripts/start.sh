#!/bin/sh
# Builds the editor and starts it on the bundled example cards.
set -eu
cd "$(dirname "$0")/.."
# The editor opens a window; without a display Qt can only abort (and leave a core file).
# Said before building, so that nobody waits for a build that cannot be shown.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "start.sh: ＺＥＰＯエディタはウィンドウを開くので、ディスプレイ (X11 か Wayland) が要ります。" >&2
  echo "start.sh: ディスプレイがなくても、テストは scripts/test.sh で、カードの検査は" >&2
  echo "          build/src/cli/zepocard check examples で行えます。" >&2
  exit 1
fi
# Configured once: a later build reruns cmake by itself when a CMakeLists.txt has changed.
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/src/shell/zepoed ]; then
  cd examples
  exec ../build/src/shell/zepoed /c
fi
# Until the editor window exists: check every example card without a window.
for card in examples/*.zep; do
  build/src/cli/zepocard check "$card" && echo "$card: clean"
done

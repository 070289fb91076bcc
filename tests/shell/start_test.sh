#!/bin/sh
# scripts/start.sh as a user runs it, in a scratch tree where cmake and the editor are
# stand-ins that write down what they were asked: without a display it says what to do
# instead and builds nothing; with one it configures only the first time.
set -eu
SOURCE=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/tree/scripts" "$WORK/tree/examples" "$WORK/bin"
cp "$SOURCE/scripts/start.sh" "$WORK/tree/scripts/"
cat >"$WORK/bin/cmake" <<'STANDIN'
#!/bin/sh
echo "cmake $*" >>"$LOG"
case "$1" in
  -S) mkdir -p build && : >build/CMakeCache.txt ;;
  --build) mkdir -p build/src/shell
           printf '#!/bin/sh\necho "zepoed $*" >>"$LOG"\n' >build/src/shell/zepoed
           chmod +x build/src/shell/zepoed ;;
esac
STANDIN
chmod +x "$WORK/bin/cmake"
export LOG="$WORK/log" PATH="$WORK/bin:$PATH"
fail() { echo "start_test: $*" >&2; exit 1; }
count() { grep -c "$1" "$LOG" || true; }

if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM sh "$WORK/tree/scripts/start.sh" 2>"$WORK/err"; then
  fail "it went on without a display"
fi
grep -q "ディスプレイ" "$WORK/err" || fail "it does not say that the editor needs a display"
grep -q "scripts/test.sh" "$WORK/err" || fail "it does not say how to run the tests instead"
[ ! -e "$LOG" ] || fail "it ran cmake without a display: $(cat "$LOG")"

for run in 1 2; do
  env -u WAYLAND_DISPLAY DISPLAY=:99 sh "$WORK/tree/scripts/start.sh" >/dev/null || fail "run $run failed"
  [ "$(count '^cmake -S')" = 1 ] || fail "run $run: configured $(count '^cmake -S') times"
  [ "$(count '^cmake --build')" = "$run" ] || fail "run $run: not built"
  [ "$(count '^zepoed /c')" = "$run" ] || fail "run $run: the editor was not started"
done

#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs from it: both
# programs with their manual pages, a valid menu entry with a Japanese name that opens
# cards, the card file type for *.zep, the icon, the help where the installed editor looks for
# it and the copyright file.
set -eu
BUILD=$1
SOURCE=${2:-}
PREFIX=$(mktemp -d)
USERDIR=$(mktemp -d)
EDITOR_PID=""
trap '[ -z "$EDITOR_PID" ] || kill "$EDITOR_PID" 2>/dev/null; chmod -R u+w "$PREFIX"; rm -rf "$PREFIX" "$USERDIR"' EXIT
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
fail() { echo "install: $*" >&2; exit 1; }
for program in zepoed zepocard; do
  [ -x "$PREFIX/bin/$program" ] || fail "bin/$program missing"
done
# The manual pages format without a warning on an 80-column terminal (Japanese text included:
# -k reads it as UTF-8), and zepocard's covers every command.
for program in zepoed zepocard; do
  PAGE="$PREFIX/share/man/man1/$program.1"
  [ -f "$PAGE" ] || fail "no manual page for $program"
  grep -q "^\.TH $(echo "$program" | tr a-z A-Z) \"*1" "$PAGE" || fail "$program.1 does not name its program"
  WARNINGS=$(groff -k -man -Tutf8 -rLL=72n -ww "$PAGE" 2>&1 >/dev/null) || fail "$program.1 does not format"
  [ -z "$WARNINGS" ] || fail "$program.1: $WARNINGS"
  groff -k -man -Tutf8 -P-cbou "$PAGE" 2>/dev/null | grep -q "^SYNOPSIS" || fail "$program.1 has no synopsis"
done
# A source line beginning with a blank breaks the line there, in the middle of a sentence.
! grep -n '^ ' "$PREFIX/share/man/man1/zepoed.1" || fail "zepoed.1 breaks a sentence at a line beginning with a blank"
SHOWN=$(groff -k -man -Tutf8 -P-cbou "$PREFIX/share/man/man1/zepocard.1" 2>/dev/null)
# The description is a paragraph of its own, not the tail of the last command's options.
echo "$SHOWN" | grep -q '^ *カードは zepoed' || fail "zepocard.1 glues its description onto an option"
for command in normalize check reduce render export; do
  echo "$SHOWN" | grep -q "使い方: zepocard $command" || fail "zepocard.1 does not tell the $command command"
done
DESKTOP="$PREFIX/share/applications/zepoed.desktop"
[ -f "$DESKTOP" ] || fail "no desktop file"
desktop-file-validate "$DESKTOP" || fail "desktop file invalid"
grep -qx 'Name\[ja\]=ＺＥＰＯエディタ' "$DESKTOP" || fail "no Japanese name"
grep -qx 'Exec=zepoed %f' "$DESKTOP" || fail "the entry does not pass the card file"
grep -qx 'MimeType=application/x-zepo-card;' "$DESKTOP" || fail "the entry does not open cards"
[ -f "$PREFIX/share/icons/hicolor/scalable/apps/zepoed.svg" ] || fail "no icon"
xmllint --noout "$PREFIX/share/icons/hicolor/scalable/apps/zepoed.svg" || fail "icon is not well-formed"
update-mime-database "$PREFIX/share/mime" >/dev/null 2>&1 || fail "MIME package rejected"
grep -q ':application/x-zepo-card:\*\.zep$' "$PREFIX/share/mime/globs2" || fail "*.zep is not a card"
# The installed editor finds its help from its own folder: the file must be the installed one,
# not the build tree's.
FOUND=$(QT_QPA_PLATFORM=offscreen "$BUILD/help/zepo-help-check" "$PREFIX/bin" 2>/dev/null) ||
  fail "the installed help does not open"
[ "$FOUND" = "$(realpath "$PREFIX")/share/zepo/help/zepoed.qch" ] ||
  fail "the installed editor finds its help at $FOUND"
# The tutorial's materials are where its first step copies them from.
for material in sakura.jpg kousha.jpg aisatsu.txt chime.wav haru.mid; do
  [ -f "$PREFIX/share/zepo/tutorial/$material" ] || fail "the tutorial's $material is not installed"
  [ -z "$SOURCE" ] || grep -q "<td>$material</td>" "$SOURCE/help/start.html" || fail "the tutorial does not list $material"
done
[ -z "$SOURCE" ] || grep -q 'cp -n /usr/share/zepo/tutorial/\* ~/haru/' "$SOURCE/help/start.html" ||
  fail "the tutorial does not name the command that copies its materials"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$PREFIX/share/doc/zepo-editor/copyright" || fail "no machine-readable copyright file"

# Installed, the program's folder is not the user's: read-only here, with HOME and the XDG
# folders of a user of its own. --help and --version answer without a display; a card opened
# from the command line leaves its folder in the user's settings file (owner-only), and
# nothing is written beside the program.
chmod -R a-w "$PREFIX"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/zepoed" --help | grep -q "^使い方: zepoed" ||
  fail "zepoed --help does not answer without a display"
CODE=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/zepoed" --bogus 2>"$USERDIR/err" >/dev/null || CODE=$?
[ "$CODE" = 2 ] && grep -q "オプションはありません" "$USERDIR/err" || fail "an unknown option is not refused with exit 2"
# Started without a display: said in Japanese, exit 2, not the platform's English and an abort.
mkdir -p "$USERDIR/nodisplay"
chmod 700 "$USERDIR/nodisplay"
CODE=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$USERDIR" XDG_RUNTIME_DIR="$USERDIR/nodisplay" \
  "$PREFIX/bin/zepoed" 2>"$USERDIR/err" >/dev/null || CODE=$?
[ "$CODE" = 2 ] || fail "without a display the editor ends with $CODE: $(cat "$USERDIR/err")"
grep -q "ディスプレイに接続できないため" "$USERDIR/err" || fail "without a display it says: $(cat "$USERDIR/err")"
! grep -qi "platform plugin" "$USERDIR/err" || fail "without a display it speaks the platform's English"
if [ -n "$SOURCE" ]; then
  mkdir -p "$USERDIR/home/cards" "$USERDIR/run"
  chmod 700 "$USERDIR/run"
  cp -r "$SOURCE/examples/." "$USERDIR/home/cards/"
  env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$USERDIR/home" XDG_RUNTIME_DIR="$USERDIR/run" \
    QT_QPA_PLATFORM=offscreen "$PREFIX/bin/zepoed" "$USERDIR/home/cards/main.zep" >"$USERDIR/log" 2>&1 &
  EDITOR_PID=$!
  SETTINGS="$USERDIR/home/.config/zepoed/ZEPOED.INI"
  for _ in $(seq 1 40); do
    grep -q "^SaveFolder=$USERDIR/home/cards" "$SETTINGS" 2>/dev/null && break
    sleep 0.25
  done
  kill -0 "$EDITOR_PID" 2>/dev/null || { cat "$USERDIR/log" >&2; fail "the installed editor ended on its own"; }
  kill "$EDITOR_PID"
  wait "$EDITOR_PID" 2>/dev/null || true
  EDITOR_PID=""
  grep -q "^SaveFolder=$USERDIR/home/cards" "$SETTINGS" || fail "the save folder is not kept in $SETTINGS"
  [ "$(stat -c %a "$SETTINGS")" = 600 ] || fail "$SETTINGS is not the user's alone"
  [ "$(stat -c %a "$(dirname "$SETTINGS")")" = 700 ] || fail "the settings folder is not the user's alone"
  [ -z "$(find "$PREFIX" -name ZEPOED.INI)" ] || fail "settings were written beside the program"
fi
echo "installed: $(cd "$PREFIX" && find . -type f | grep -v '^./share/mime/[^p]' | sort | tr '\n' ' ')"

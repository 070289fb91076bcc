#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs from it: both
# programs with their manual pages, a valid menu entry with a Japanese name that opens
# cards, the card file type for *.zep, the icon, the help where the installed editor looks for
# it and the copyright file.
set -eu
BUILD=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
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
SHOWN=$(groff -k -man -Tutf8 -P-cbou "$PREFIX/share/man/man1/zepocard.1" 2>/dev/null)
for command in normalize check reduce render export; do
  echo "$SHOWN" | grep -q "使い方: zepocard $command" || fail "zepocard.1 does not tell the $command command"
done
DESKTOP="$PREFIX/share/applications/zepoed.desktop"
[ -f "$DESKTOP" ] || fail "no desktop file"
desktop-file-validate "$DESKTOP" || fail "desktop file invalid"
grep -qx 'Name\[ja\]=ZEPOエディタ' "$DESKTOP" || fail "no Japanese name"
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
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$PREFIX/share/doc/zepo-editor/copyright" || fail "no machine-readable copyright file"
echo "installed: $(cd "$PREFIX" && find . -type f | grep -v '^./share/mime/[^p]' | sort | tr '\n' ' ')"

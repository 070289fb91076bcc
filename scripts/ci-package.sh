#!/bin/sh
# Builds the Debian package, checks it with lintian, installs it with apt as a user would, runs
# the installed programs, then removes it and checks that nothing of it is left. Runs as root or
# through sudo, after scripts/install-deps.sh.
set -eu
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"
fail() { echo "ci-package: $*" >&2; exit 1; }
installed() { dpkg-query -W -f='${db:Status-Status}' zepo-editor 2>/dev/null | grep -qx installed; }
installed && fail "zepo-editor is installed already; remove it first"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

scripts/package.sh
DEB=$(ls zepo-editor_*_amd64.deb)
VERSION=$(dpkg-deb -f "$DEB" Version)
dpkg-deb -f "$DEB" Package Version Depends Recommends Suggests
# wine is large and few need it: suggested, never pulled in.
dpkg-deb -f "$DEB" Depends Recommends | grep -qw wine && fail "the package pulls in wine"
dpkg-deb -f "$DEB" Suggests | grep -qw wine || fail "the package does not suggest wine"
# Errors fail the step; warnings and notes are shown (--allow-root: CI runs as root).
lintian --allow-root --fail-on error --display-info "$DEB"

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$DEB" >/dev/null
trap 'installed && $SUDO apt-get remove --purge -y -qq zepo-editor >/dev/null; rm -rf "$WORK"' EXIT
dpkg -L zepo-editor >"$WORK/files"
for file in /usr/bin/zepoed /usr/bin/zepocard /usr/share/applications/zepoed.desktop \
  /usr/share/mime/packages/zepoed-card.xml /usr/share/icons/hicolor/scalable/apps/zepoed.svg \
  /usr/share/man/man1/zepoed.1.gz /usr/share/man/man1/zepocard.1.gz /usr/share/zepo/help/zepoed.qch \
  /usr/share/zepo/tutorial/sakura.jpg /usr/share/zepo/tutorial/haru.mid /usr/share/zepo/tutorial/aisatsu.txt \
  /usr/share/doc/zepo-editor/copyright /usr/share/doc/zepo-editor/changelog.gz; do
  grep -qx "$file" "$WORK/files" || fail "the package does not hold $file"
  [ -f "$file" ] || fail "the package did not install $file"
done
# The package's triggers ran: *.zep is a card and the menu entry opens it.
[ -f /usr/share/mime/application/x-zepo-card.xml ] || fail "the MIME database does not know cards"
grep -q '^application/x-zepo-card=.*zepoed.desktop' /usr/share/applications/mimeinfo.cache ||
  fail "the desktop does not open cards with the editor"
# Outside GNOME and XFCE (no desktop variable set) xdg-open asks xdg-mime, which must read the
# shared MIME database (the recommended File::MimeInfo), not guess "text" from the contents.
NO_DESKTOP="env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u GNOME_DESKTOP_SESSION_ID -u KDE_FULL_SESSION \
  -u KDE_SESSION_VERSION -u MATE_DESKTOP_SESSION_ID -u XDG_SESSION_DESKTOP -u DISPLAY -u WAYLAND_DISPLAY"
TYPE=$($NO_DESKTOP xdg-mime query filetype examples/main.zep) || fail "xdg-mime cannot tell the card's type"
[ "$TYPE" = application/x-zepo-card ] || fail "without a desktop xdg-mime takes a card for $TYPE"
DEFAULT=$($NO_DESKTOP xdg-mime query default application/x-zepo-card) || fail "xdg-mime knows no program for cards"
[ "$DEFAULT" = zepoed.desktop ] || fail "without a desktop cards open with $DEFAULT"

/usr/bin/zepocard --version | grep -qxF "zepocard $VERSION" || fail "zepocard --version does not say $VERSION"
/usr/bin/zepocard check examples || fail "the installed zepocard finds faults in the examples"

# The editor as a user of the machine runs it (never as root: CI makes a throwaway user), on a copy
# of an example card, in a home and runtime folder of its own (no other editor to hand the card
# to), without a display: --help answers at once; opened, the card's folder is remembered in the
# user's own settings file, owner-only, and nothing is written beside the program.
mkdir -p "$WORK/home"
if [ "$(id -u)" = 0 ]; then
  CI_USER=zepo-ci-user
  id "$CI_USER" >/dev/null 2>&1 && fail "the user $CI_USER exists already"
  useradd --create-home --shell /bin/sh "$CI_USER"
  # Whatever the user still runs ends before the user goes (userdel refuses a logged-in user).
  trap 'installed && $SUDO apt-get remove --purge -y -qq zepo-editor >/dev/null; { pkill -KILL -u "$CI_USER" || true; } 2>/dev/null;
    sleep 1; userdel -r "$CI_USER" 2>/dev/null || true; rm -rf "$WORK"' EXIT
  USER_HOME=$(getent passwd "$CI_USER" | cut -d: -f6)
  AS_USER="setpriv --reuid=$CI_USER --regid=$CI_USER --init-groups"
else
  USER_HOME="$WORK/home"
  mkdir -p "$USER_HOME"
  AS_USER=""
fi
mkdir -p "$USER_HOME/run" "$USER_HOME/cards"
chmod 700 "$USER_HOME/run"
cp -r examples/. "$USER_HOME/cards/"
[ -z "$AS_USER" ] || chown -R "$CI_USER:" "$USER_HOME"
# Called only in a pipeline or in the background, where it runs in a subshell of its own: exec
# makes the editor that subshell, so $! is the editor itself and kill reaches it.
as_user() {
  exec $AS_USER env -i -C "$USER_HOME" PATH=/usr/bin:/bin HOME="$USER_HOME" XDG_RUNTIME_DIR="$USER_HOME/run" \
    QT_QPA_PLATFORM=offscreen "$@"
}
as_user env -u QT_QPA_PLATFORM /usr/bin/zepoed --help | grep -q "^使い方: zepoed" || fail "zepoed --help does not answer"
as_user /usr/bin/zepoed --version | grep -qxF "zepoed $VERSION" || fail "zepoed --version does not say $VERSION"
as_user /usr/bin/zepoed "$USER_HOME/cards/main.zep" >"$WORK/editor.log" 2>&1 &
EDITOR_PID=$!
SETTINGS="$USER_HOME/.config/zepoed/ZEPOED.INI"
for _ in $(seq 1 30); do
  grep -q "^SaveFolder=$USER_HOME/cards" "$SETTINGS" 2>/dev/null && break
  sleep 0.5
done
if ! kill -0 "$EDITOR_PID" 2>/dev/null; then
  cat "$WORK/editor.log" >&2
  fail "the installed editor ended on its own"
fi
kill "$EDITOR_PID"
wait "$EDITOR_PID" 2>/dev/null || true
grep -q "^SaveFolder=$USER_HOME/cards" "$SETTINGS" || fail "the editor did not keep its save folder in $SETTINGS"
[ "$(stat -c %a "$SETTINGS")" = 600 ] || fail "$SETTINGS is not the user's alone"
[ ! -e /usr/bin/ZEPOED.INI ] || fail "the editor wrote settings beside the program"
# The help as the editor in /usr/bin opens it, with the installed Qt and its SQLite driver.
nice cmake --build build-release -j2 --target zepo-help-check >/dev/null
FOUND=$(HOME="$WORK/home" QT_QPA_PLATFORM=offscreen build-release/help/zepo-help-check /usr/bin 2>/dev/null) ||
  fail "the installed help does not open"
[ "$FOUND" = /usr/share/zepo/help/zepoed.qch ] || fail "the installed editor finds its help at $FOUND"

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq zepo-editor >/dev/null
installed && fail "zepo-editor is still installed"
# What stays is only folders other packages own too (/usr/bin, /usr/share/man/man1, ...).
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then
    [ -d "$path" ] || fail "$path is left after removal"
    dpkg -S "$path" >/dev/null 2>&1 || fail "the folder $path is left after removal"
  fi
done <"$WORK/files"
[ ! -e /usr/share/mime/application/x-zepo-card.xml ] || fail "the MIME database still knows cards"
! grep -q 'zepoed.desktop' /usr/share/applications/mimeinfo.cache || fail "the desktop still names the editor"
echo "ci-package: $DEB installs, runs and goes without a trace"

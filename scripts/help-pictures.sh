#!/bin/sh
# Draws every picture of the manual again from the real windows (offscreen, the installed
# fonts) into help/images. Run it after changing a dialog, a menu or the tutorial's cards,
# and commit the pictures.
#
#   scripts/help-pictures.sh               build, then draw into help/images
#   scripts/help-pictures.sh --check BUILD draw with BUILD's program into a scratch folder and
#                                          compare pixel for pixel with help/images: names each
#                                          picture that is stale, missing or left over (exit 1)
#
# The editor draws in /home/sensei/haru, a home folder of its own: the pictures show the save
# folder, and no picture may show the drawing machine's folders. /home is replaced for the
# drawing only, in a mount namespace of an unprivileged user (unshare); where the system
# allows none, the check is skipped (exit 77) and drawing stops.
set -eu
cd "$(dirname "$0")/.."
check=
if [ "${1:-}" = --check ]; then
    check=1
    build=${2:?usage: help-pictures.sh --check BUILD}
else
    build=build
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"${JOBS:-2}" --target zepo-help-pictures
fi
program=$(cd "$build/help" && pwd)/zepo-help-pictures
if ! unshare --user --map-root-user --mount true 2>/dev/null; then
    echo "help-pictures: this system gives no mount namespace to a user (unshare); nothing drawn" >&2
    [ -n "$check" ] && exit 77
    exit 1
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
unshare --user --map-root-user --mount sh -c '
    mount -t tmpfs -o mode=0755 tmpfs /home &&
    mkdir -p /home/sensei && cd /home/sensei &&
    env -u XDG_CONFIG_HOME -u XDG_STATE_HOME -u XDG_CACHE_HOME HOME=/home/sensei ZEPO_PICTURES_HOME=/home/sensei \
        QT_QPA_PLATFORM=offscreen LANG=ja_JP.UTF-8 "$1" "$2" "$3" "$4" >/dev/null' \
    sh "$program" "$PWD/examples" "$PWD/help/tutorial" "$out"
if [ -n "$check" ]; then
    QT_QPA_PLATFORM=offscreen "$program" --compare help/images "$out"
else
    # Pictures of windows that no longer exist must not stay behind.
    rm -f help/images/*.png
    cp "$out"/*.png help/images/
fi

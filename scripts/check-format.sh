#!/bin/sh
# Every C++ source and header formatted as .clang-format says (clang-format 14, Debian 12's):
# names each file that differs and shows how. Format with
#   clang-format-14 -i $(git ls-files '*.cpp' '*.h')
set -eu
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "check-format: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
    exit 77
fi
find src tests fuzz bench help \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort |
    xargs "$format" --dry-run --Werror

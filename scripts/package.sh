#!/bin/sh
# Builds the Debian package zepo-editor_VERSION_amd64.deb in the top folder from the Release build
# in build-release (the one scripts/test.sh tests): the two programs, their manual pages and the help.
# Needs what scripts/install-deps.sh installs (dpkg-dev finds the libraries the package depends on).
set -eu
cd "$(dirname "$0")/.."
scripts/configure-release.sh
# Nothing to do here after scripts/test.sh, which built the same folder.
nice cmake --build build-release -j2 --target zepoed zepocard zepocard_manual
rm -f build-release/zepo-editor_*.deb zepo-editor_*.deb
(cd build-release && cpack -G DEB >/dev/null)
cp build-release/zepo-editor_*.deb .
ls zepo-editor_*.deb

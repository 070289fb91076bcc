#!/bin/sh
# Builds the Debian package zepo-editor_VERSION_amd64.deb in the top folder from a Release build
# of its own (build-release): the two programs, their manual pages and the help, not the tests.
# Needs what scripts/install-deps.sh installs (dpkg-dev finds the libraries the package depends on).
set -eu
cd "$(dirname "$0")/.."
# Debian's hardening (stack protector, fortified functions, read-only relocations bound at
# start), without -g: the programs are stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS=$(echo " $(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) " | sed 's/ -g / /')
# cpack installs before it packs; without the skip that install would first build every target,
# the tests included.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
nice cmake --build build-release -j2 --target zepoed zepocard zepocard_manual
rm -f build-release/zepo-editor_*.deb zepo-editor_*.deb
(cd build-release && cpack -G DEB >/dev/null)
cp build-release/zepo-editor_*.deb .
ls zepo-editor_*.deb

#!/bin/sh
# Configures build-release: the Release build with Debian's hardening flags that the package is
# made from and that the test suite runs on, so CI compiles the tree once for both.
# Debian's hardening (stack protector, fortified functions, read-only relocations bound at
# start), without -g: the programs are stripped anyway, and debug info doubles compile time.
set -eu
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS=$(echo " $(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) " | sed 's/ -g / /')
# cpack installs before it packs; without the skip that install would first build every target,
# the tests included, even when only the package is wanted.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null

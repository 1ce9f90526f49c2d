#!/usr/bin/env bash
# Makes the Debian package: installs the package group when missing, builds a Release build with
# Debian's hardening flags (warnings stay warnings: a newer compiler must not stop a package
# build), and packs it with CPack.
# Usage: scripts/package.sh [BUILD_DIR]   (default: build/package; the .deb is left there)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$repo/build/package}")

"$repo/scripts/deps.sh" package

# From the top of the tree, so that -ffile-prefix-map writes the sources' paths relative to it.
cd "$repo"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNELLO_WERROR=OFF \
  -DVARNELLO_TESTS=OFF -DVARNELLO_BENCH=OFF -DVARNELLO_FUZZ=OFF -DVARNELLO_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" -j "${VARNELLO_JOBS:-$(nproc)}"
(cd "$build" && cpack -G DEB)
echo "Made $(ls "$build"/varnello_*.deb)"

#!/usr/bin/env bash
# Installs what is missing, builds Varnello and runs every test twice:
# a normal build and an AddressSanitizer + UBSan build, then a short fuzz run.
# Exits non-zero on any failure.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

"$repo/scripts/deps.sh" test

jobs=${VARNELLO_JOBS:-$(nproc)}
export QT_QPA_PLATFORM=offscreen

build_and_test() {
  local dir=$1; shift
  echo "=== build $dir ==="
  cmake -S "$repo" -B "$repo/build/$dir" -G Ninja "$@"
  cmake --build "$repo/build/$dir" -j "$jobs"
  echo "=== test $dir ==="
  ctest --test-dir "$repo/build/$dir" --output-on-failure -j "$jobs"
}

build_and_test normal -DCMAKE_BUILD_TYPE=RelWithDebInfo
build_and_test asan -DCMAKE_BUILD_TYPE=Debug -DVARNELLO_SANITIZE=ON -DVARNELLO_BENCH=OFF

build_and_test fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVARNELLO_FUZZ=ON -DVARNELLO_TESTS=OFF -DVARNELLO_BENCH=OFF

echo "All builds and tests passed."

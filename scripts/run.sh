#!/usr/bin/env bash
# Installs what is missing, builds Varnello and starts it in the current folder.
set -euo pipefail
here=$(pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$repo/scripts/deps.sh" run

cmake -S "$repo" -B "$repo/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVARNELLO_TESTS=OFF -DVARNELLO_BENCH=OFF
cmake --build "$repo/build/release" -j "$(nproc)"

cd "$here"
exec "$repo/build/release/src/app/varnello" "$@"

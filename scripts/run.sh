#!/usr/bin/env bash
# Installs what is missing, builds Varnello and starts it in the current folder.
set -euo pipefail
here=$(pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$repo/scripts/deps.sh" run

cmake -S "$repo" -B "$repo/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVARNELLO_TESTS=OFF -DVARNELLO_BENCH=OFF
cmake --build "$repo/build/release" -j "$(nproc)"

exe="$repo/build/release/src/app/varnello"
if [ ! -x "$exe" ]; then
  echo "Varnello's window is not built yet; the engine libraries were built."
  exit 0
fi
cd "$here"
exec "$exe" "$@"

#!/usr/bin/env bash
# Builds Varnello, starts its window under Xvfb in a sample folder and saves a picture of it
# as docs/screenshot.png.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$repo/scripts/deps.sh" test

cmake -S "$repo" -B "$repo/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVARNELLO_TESTS=OFF -DVARNELLO_BENCH=OFF
cmake --build "$repo/build/release" -j "$(nproc)" --target varnello

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the program in a folder of its own, so that it starts with the default settings
# and neither reads nor writes a settings file of a developer's.
mkdir -p "$work/bin" "$work/run" "$work/config"
chmod 700 "$work/run"
cp "$repo/build/release/src/app/varnello" "$work/bin/"

sample="$work/Urlaub 2026"
mkdir -p "$sample/Ausgewählt" "$sample/Rohdaten"
for f in "IMG_0412.JPG" "IMG_0413.JPG" "IMG_0415.JPG" "IMG_0416 (2).JPG" "IMG_0419.JPG" \
  "strand_am_abend.jpg" "hafen_mit_booten.png" "Möwen (Kopie).jpg" "Reiseroute.txt" \
  "wellenrauschen.wav" "Abendlied.mp3"; do
  : >"$sample/$f"
done

cat >"$work/session.sh" <<'INNER'
program=$1
out=$2
"$program" &
pid=$!
for _ in $(seq 100); do
  xwininfo -name "Brimwick Varnello" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window "Brimwick Varnello" "$out"
status=$?
kill "$pid"
wait "$pid" 2>/dev/null
exit $status
INNER

mkdir -p "$repo/docs"
# The sample lies in the home folder the program sees, so the status line shows "~/Urlaub 2026".
(cd "$sample" && env HOME="$work" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/session.sh" "$work/bin/varnello" "$work/shot.png")
convert "$work/shot.png" -strip "$repo/docs/screenshot.png"
echo "Saved $repo/docs/screenshot.png"

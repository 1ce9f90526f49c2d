#!/usr/bin/env bash
# Starts Varnello under Xvfb on an accessibility bus and prints what a screen reader is told
# about its window: every object's role and name as AT-SPI serves them, "(no name)" where the
# name is empty, and "hidden" for what does not show.
# Usage: scripts/accessibility.sh [PROGRAM]   (default: build/dev/src/app/varnello)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=$(realpath "${1:-$repo/build/dev/src/app/varnello}")

"$repo/scripts/deps.sh" test

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/config" "$work/Ordner"
chmod 700 "$work/run"
for f in IMG_0412.JPG IMG_0413.JPG Abendlied.mp3 Reiseroute.txt; do
  : >"$work/Ordner/$f"
done

cat >"$work/tree.py" <<'PY'
import sys, time
import pyatspi

def window():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "varnello" and app.childCount > 0:
                return app
        time.sleep(0.1)
    sys.exit("the window did not reach the accessibility bus")

def show(node, depth):
    for child in node:
        if child is None:
            continue
        name = child.name or "(no name)"
        shown = "" if child.getState().contains(pyatspi.STATE_SHOWING) else "  hidden"
        print(f"{'  ' * depth}{child.getRoleName()}: {name}{shown}")
        if child.getRoleName() not in ("list item", "table cell"):
            show(child, depth + 1)

show(window(), 0)
PY

cat >"$work/session.sh" <<'INNER'
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" "$2" &
pid=$!
/usr/bin/python3 "$3"
status=$?
kill "$pid" "$launcher"
wait "$pid" 2>/dev/null
exit $status
INNER

env XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- \
  bash "$work/session.sh" "$program" "$work/Ordner" "$work/tree.py" 2> >(grep -v 'fd limit' >&2)

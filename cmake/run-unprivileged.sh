#!/usr/bin/env bash
# run-unprivileged.sh TEST_BINARY CASE
# Runs one GoogleTest case as the unprivileged user nobody. Tests of file permissions skip themselves
# where permissions do not bind, as for root (CI runs as root); run this way they execute. The binary
# and a home and temporary folder of the user's own are set up in a fresh folder nobody can reach,
# so it does not matter where the build lies. Exits 77 (skipped) when not run as root: then the
# normal run of the case already has these rights. Fails when the case skips or does not exist.
set -euo pipefail
binary=$1
case=$2
nobody=65534

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the normal run of $case already runs it without privileges"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -p "$work/bin" "$work/home" "$work/tmp" "$work/run"
cp "$binary" "$work/bin/"
chmod 755 "$work/bin" "$work/bin/$(basename "$binary")"
# The leak checker's suppressions, where the sanitizer build names a file the user may not reach.
if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]+) ]]; then
  cp "${BASH_REMATCH[1]}" "$work/bin/lsan.supp"
  chmod 644 "$work/bin/lsan.supp"
  LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$work/bin/lsan.supp}
fi
chown -R "$nobody:$nobody" "$work/home" "$work/tmp" "$work/run"
chmod 700 "$work/run"

status=0
output=$(cd "$work/home" && setpriv --reuid=$nobody --regid=$nobody --clear-groups \
  env HOME="$work/home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/run" \
  XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
  "$work/bin/$(basename "$binary")" --gtest_filter="$case" --gtest_color=no 2>&1) || status=$?
echo "$output"
[ "$status" -eq 0 ] || exit "$status"
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
  echo "FAIL: $case skipped itself even without privileges"
  exit 1
fi
if ! grep -q '^\[  PASSED  \] 1 test\.' <<<"$output"; then
  echo "FAIL: no test case is named $case"
  exit 1
fi

#!/usr/bin/env bash
# package_test.sh CLOSE_WINDOW
# Makes the Debian package with scripts/package.sh, as a user would, and checks that the build
# needed no more than the run and package groups of scripts/deps.sh (every program it ran comes
# from them or from Debian's essential packages; seen with strace when installed), that lintian
# reports neither error nor warning (when installed), and what the package installs and depends
# on; then starts the installed program as a user who cannot write its folder, once in the
# offscreen platform and once under Xvfb, closed like any window.
set -euo pipefail
close_window=$1
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d)
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill -KILL "$program_pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "--- scripts/package.sh"
# The package's own build folder, shared by the test runs of every build of this tree: after the
# first, only what changed is built again.
tracer=()
if command -v strace >/dev/null; then
  tracer=(strace -f -qq --seccomp-bpf -e trace=execve -e signal=none -o "$work/exec.trace")
fi
"${tracer[@]}" bash "$repo/scripts/package.sh" >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; fail "scripts/package.sh could not make the package"; }
deb=$(ls "$repo"/build/package/varnello_*.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

if [ ${#tracer[@]} -gt 0 ]; then
  echo "--- the programs the package build ran come from the run and package groups"
  essential=$(dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }')
  # shellcheck disable=SC2046
  allowed=$(apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances $("$repo/scripts/deps.sh" --list package) $essential |
    grep -v '^[ <]' | sed 's/:.*//' | sort -u)
  ran=$(awk '/ = 0$/' "$work/exec.trace" | sed -n 's/^[0-9]* *execve("\([^"]*\)".*/\1/p' | sort -u)
  for program in $ran; do
    case $program in "$repo"/*) continue ;; esac
    owner=
    for path in "$program" "$(readlink -f "$program")" "$(readlink -f "$program" | sed 's|^/usr||')"; do
      owner=$(dpkg -S "$path" 2>/dev/null | grep -v '^diversion' | head -1 | sed 's/: .*//; s/:.*//' || true)
      [ -z "$owner" ] || break
    done
    [ -n "$owner" ] || fail "the package build ran $program, which no package holds"
    echo "$allowed" | grep -qx "$owner" || fail "the package build ran $program of $owner, outside the groups"
  done
  echo "$(echo "$ran" | wc -l) programs, each from the groups or an essential package"
fi

if command -v lintian >/dev/null; then
  echo "--- lintian"
  status=0
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
  grep -v 'running with root privileges' "$work/lintian.log" || true
  [ "$status" -eq 0 ] || fail "lintian reports an error or a warning"
  echo "no error, no warning"
fi

echo "--- installed files"
root=$work/root
dpkg-deb -x "$deb" "$root"
expected='./usr/bin/varnello
./usr/share/applications/varnello.desktop
./usr/share/doc/varnello/changelog.gz
./usr/share/doc/varnello/copyright
./usr/share/icons/hicolor/scalable/apps/varnello.svg
./usr/share/man/man1/varnello.1.gz
./usr/share/metainfo/io.github.varnello.Varnello.metainfo.xml'
actual=$(cd "$root" && find . ! -type d | sort)
echo "$actual"
[ "$actual" = "$expected" ] || fail "the package should install exactly:"$'\n'"$expected"
[ -x "$root/usr/bin/varnello" ] || fail "the program is not executable"
gzip -t "$root/usr/share/man/man1/varnello.1.gz" || fail "the manual page is not a gzip file"
zcat "$root/usr/share/man/man1/varnello.1.gz" | grep -q '^\.TH VARNELLO 1' || fail "the manual page has no title"
logged=$(zcat "$root/usr/share/doc/varnello/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] || fail "the changelog's newest entry is $logged"
echo "--- hardening"
program=$root/usr/bin/varnello
readelf -lW "$program" | grep GNU_RELRO >/dev/null || fail "the program has no read-only relocations"
readelf -dW "$program" | grep BIND_NOW >/dev/null || fail "the program binds lazily"
objdump -T "$program" | grep __stack_chk_fail >/dev/null || fail "the program has no stack protector"
echo "read-only relocations, bound at start, stack protector"

echo "--- dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
named=$(echo "$depends" | tr ',' '\n' | sed 's/(.*//; s/[[:space:]]//g')
[ -z "$(echo "$named" | sort | uniq -d)" ] || fail "Depends names $(echo "$named" | sort | uniq -d) twice"
declared=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/[[:space:]]//g' | sort -u)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins libqt6svg6 \
  fonts-wine fonts-liberation2; do
  echo "$declared" | grep -qx "$p" || fail "the package does not depend on $p"
done
# Every library the program links must come from a package it depends on.
for lib in $(objdump -p "$root/usr/bin/varnello" | awk '$1 == "NEEDED" { print $2 }'); do
  owners=$(dpkg -S "*/$lib" 2>/dev/null | sed 's/: .*//' | tr ',' '\n' | sed 's/:.*//; s/[[:space:]]//g' | sort -u || true)
  [ -n "$owners" ] || fail "no installed package holds $lib"
  found=
  for o in $owners; do
    if echo "$declared" | grep -qx "$o"; then found=$o; fi
    # Or through a package it depends on that only pulls in the library's flavour
    # (libtag1v5 depends on libtag1v5-vanilla, which holds libtag.so.1).
    for d in $declared; do
      pulled=$(dpkg-query -W -f='${Depends}' "$d" 2>/dev/null | tr ',|' '\n\n' | sed 's/(.*//; s/[[:space:]]//g' || true)
      case $'\n'"$pulled"$'\n' in *$'\n'"$o"$'\n'*) found=$o ;; esac
    done
  done
  [ -n "$found" ] || fail "$lib comes from $(echo $owners), which the package does not depend on"
done

# The user who runs the installed program: one who cannot write /usr/bin.
chmod 755 "$work"
user=$work/user
mkdir -p "$user/home" "$user/config" "$user/run"
chmod 700 "$user/run"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$user"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod a-w "$root/usr/bin"
fi
cp "$close_window" "$work/close_window"
session=(env -i PATH=/usr/bin:/bin HOME="$user/home" XDG_CONFIG_HOME="$user/config"
  XDG_RUNTIME_DIR="$user/run" ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}")
settings=$user/config/varnello/varnello.ini
besides=$root/usr/bin/varnello.ini

echo "--- the installed program starts in the offscreen platform, arguments ignored"
(cd "$user/home" && exec "${as_user[@]}" "${session[@]}" QT_QPA_PLATFORM=offscreen \
  "$root/usr/bin/varnello" --help "some file.jpg") >"$work/offscreen.log" 2>&1 &
program_pid=$!
sleep 2
kill -0 "$program_pid" 2>/dev/null || { cat "$work/offscreen.log"; fail "the program ended within 2 s"; }
kill -TERM "$program_pid"
status=0
wait "$program_pid" || status=$?
program_pid=
echo "still running after 2 s; ended by SIGTERM with status $status"
[ ! -e "$besides" ] || fail "the program wrote into its own folder"
if [ -e "$settings" ]; then echo "settings written at SIGTERM"; else echo "no settings written at SIGTERM"; fi
rm -f "$settings"

echo "--- under Xvfb, closed by the window's close button: the settings go to the user's folder"
cat >"$work/session.sh" <<'INNER'
program=$1
close_window=$2
"$program" &
pid=$!
"$close_window" "Brimwick Varnello" 30 || { kill -KILL "$pid"; echo "no window showed, or it did not close"; exit 3; }
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { ps -o pid,stat,etime,cmd -p "$pid"; kill -KILL "$pid"; echo "the program did not end when closed"; exit 4; }
wait "$pid"
INNER
status=0
(cd "$user/home" && exec "${as_user[@]}" "${session[@]}" \
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/session.sh" "$root/usr/bin/varnello" "$work/close_window") \
  >"$work/xvfb.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$work/xvfb.log"; fail "the closed program ended with status $status"; }
[ ! -e "$besides" ] || fail "the program wrote into its own folder"
[ -f "$settings" ] || { cat "$work/xvfb.log"; fail "no settings file at $settings"; }
grep -qx "\[Tarvo's Varnello\]" "$settings" || fail "the settings file has no section of the program"
[ "$(grep -c '=' "$settings")" -eq 22 ] || fail "the settings file does not hold the twenty-two settings"
echo "settings written to \$XDG_CONFIG_HOME/varnello/varnello.ini"
echo "PASS"

#!/usr/bin/env bash
# Installs the Debian packages Varnello needs, when missing, by group:
#   run      build and run the program (scripts/run.sh)
#   package  run, and make the Debian package (scripts/package.sh)
#   test     package, and build and run every test (scripts/test.sh); the default
# Usage: scripts/deps.sh [run|package|test]
#        scripts/deps.sh --list [run|package|test]   prints the group's packages, one a line
set -euo pipefail

# Wave previews: QAudioSink (Qt 6.4) plays through libpulse0, a dependency of libqt6multimedia6,
# and loads no media backend plugin; the desktop's PulseAudio or PipeWire server does the rest.
# The window's SVG icon is drawn by the icon engine plug-in of libqt6svg6.
# Captions: the window's places are measured for Tahoma and MS Sans Serif (fonts-wine holds an
# outline Tahoma with their widths, which the program loads itself), Arial and Courier New
# (fonts-liberation2 gives fontconfig faces with their widths), and Verdana (DejaVu Sans is close).
# The ID3 frame reads MP3 tags with TagLib. The lists sort with ICU's collation keys.
run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
  libqt6multimedia6 libqt6svg6 fonts-dejavu-core fonts-wine fonts-liberation2
  libtag1-dev libicu-dev
)
# dpkg-buildflags and dpkg-shlibdeps come with dpkg-dev; CPack needs file to find the program's
# libraries.
package_packages=(dpkg-dev file)
# The accessibility bus (at-spi2-core) and its Python client serve scripts/accessibility.sh.
# The tag rules' tests make their photos, videos and songs with ffmpeg, heif-enc (HEIC, AVIF) and
# mutagen (ID3 in a wave file). A medium that does not answer is a FUSE folder (libfuse3).
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth imagemagick libimage-exiftool-perl
  pulseaudio pulseaudio-utils
  desktop-file-utils appstream libxcb1-dev x11-utils lintian strace
  at-spi2-core python3-pyatspi
  ffmpeg libheif-examples python3-mutagen
  fuse3 libfuse3-dev
)

list=false
if [ "${1:-}" = --list ]; then
  list=true
  shift
fi
case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [--list] [run|package|test]" >&2
    exit 2
    ;;
esac
if $list; then
  printf '%s\n' "${wanted[@]}"
  exit 0
fi

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

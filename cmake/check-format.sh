#!/usr/bin/env bash
# check-format.sh SOURCE_DIR: fails when a C++ file of ours differs from what clang-format makes of it.
set -euo pipefail
cd "$1"
find src tests bench fuzz tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --style=file --dry-run -Werror

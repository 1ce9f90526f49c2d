#!/usr/bin/env bash
# check-layers.sh SOURCE_DIR: fails when a module of src/ includes a module of its own layer or of
# a layer above it, or includes a module that its library does not link.
set -euo pipefail
cd "$1/src"

# Lower layers first; a module may include the modules of the layers below its own.
declare -A layer=([rename]=0 [exif]=0 [platform]=1 [tags]=2 [sound]=2 [batch]=3 [ui]=4 [app]=5)

status=0
for dir in */; do
  module=${dir%/}
  if [ -z "${layer[$module]+set}" ]; then
    echo "src/$module has no layer in cmake/check-layers.sh"
    status=1
    continue
  fi
  used=$(grep -ho '^#include "[a-z]*/' "$module"/*.h "$module"/*.cpp 2>/dev/null | sed 's/^#include "//; s#/$##' | sort -u)
  for other in $used; do
    [ "$other" = "$module" ] && continue
    if [ -z "${layer[$other]+set}" ] || [ "${layer[$other]}" -ge "${layer[$module]}" ]; then
      echo "src/$module includes src/$other, which is not below it:"
      grep -ln "^#include \"$other/" "$module"/*.h "$module"/*.cpp | sed 's/^/  src\//'
      status=1
    elif ! grep -q "varnello_$other\b" "$module/CMakeLists.txt"; then
      echo "src/$module includes src/$other but its library does not link varnello_$other"
      status=1
    fi
  done
done
exit $status

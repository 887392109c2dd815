#!/bin/sh
# Installs the build into a temporary prefix (cmake --install) and checks
# that a user gets a working program: the binary finds the library beside
# it, the catalogues lie beside both, the desktop entry starts "vexilo" with
# the icon "vexilo", which lies in the icon theme's scalable apps.
# Usage: install_test.sh CMAKE BUILD-DIR
set -u
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { echo "FAIL: cmake --install"; cat "$prefix.log"; exit 1; }
rm -f "$prefix.log"
status=0
bin=$(find "$prefix" -path '*/bin/vexilo' -type f)
lib=$(find "$prefix" -name libkorvane.so -type f)
[ -x "$bin" ] || { echo "FAIL: no bin/vexilo"; exit 1; }
[ -n "$lib" ] || { echo "FAIL: no libkorvane.so"; status=1; }
for f in "$(dirname "$bin")/vexilo.enu" "$(dirname "$bin")/vexilo.rus" \
         "$(dirname "$lib")/libkorvane.enu" "$(dirname "$lib")/libkorvane.rus" \
         "$prefix/share/applications/vexilo.desktop" "$prefix/share/icons/hicolor/scalable/apps/vexilo.svg"; do
    [ -s "$f" ] || { echo "FAIL: missing $f"; status=1; }
done
desktop="$prefix/share/applications/vexilo.desktop"
grep -qx 'Exec=vexilo %f' "$desktop" || { echo "FAIL: the desktop entry does not start vexilo with a file"; status=1; }
grep -qx 'Icon=vexilo' "$desktop" || { echo "FAIL: the desktop entry's icon is not vexilo"; status=1; }
# The installed program runs (headless) with the installed library.
env -u LD_LIBRARY_PATH "$bin" --headless-png "$prefix/picture.png" >/dev/null 2>&1 || { echo "FAIL: the installed program does not run"; status=1; }
[ $status -eq 0 ] && echo "PASS: installed program, library, catalogues, desktop entry and icon"
exit $status

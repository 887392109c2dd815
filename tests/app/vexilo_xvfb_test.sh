#!/bin/sh
# Runs the real program on a virtual X display (Xvfb) with a mask given on
# the command line: waits for the window titled after the mask, builds the
# curve from the menu with the keyboard alone (F10, Right to PolyBezier,
# Down to Build, its only enabled item, Return), then copies the control
# points the same way (Copy is the first item once a curve exists) and
# compares what xclip reads from the clipboard with vexilo-fit's output for
# the same mask. Keeps a screenshot of the window with the curve.
# Usage: vexilo_xvfb_test.sh VEXILO MASK.bmp VEXILO-FIT OUTPUT-DIR. Exit 77: skipped.
set -u
vexilo=$1
mask=$2
fit=$3
out=$4

TOOLS="xdotool xclip import"
. "$(dirname "$0")/../framework/xvfb_session.sh"

name=$(basename "$mask")
# The program's settings stay in the work folder.
XDG_CONFIG_HOME="$work" "$vexilo" "$mask" >"$work/vexilo.log" 2>&1 &
app=$!
tries=0
until xdotool search --name "^$name - Vexilo\$" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -gt 200 ] && { echo "FAIL: no window titled '$name - Vexilo'"; cat "$work/vexilo.log"; exit 1; }
    sleep 0.1
done
sleep 0.5

menu_item() {  # F10, Right to the PolyBezier menu, Down to the item, Return
    xdotool key F10
    sleep 0.4
    xdotool key Right
    sleep 0.4
    xdotool key Down
    sleep 0.3
    xdotool key Return
    sleep 0.5
}

menu_item  # Build
"$fit" "$mask" >"$work/expected.txt" 2>"$work/fit.log"
copied=""
tries=0
while [ -z "$copied" ] && [ $tries -lt 20 ]; do
    tries=$((tries + 1))
    sleep 0.5
    menu_item  # Copy, once the curve is there
    copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
done
import -window root "$out/vexilo-xvfb.png"
printf '%s\n' "$copied" >"$work/copied.txt"

status=0
if cmp -s "$work/copied.txt" "$work/expected.txt"; then
    echo "PASS: the control points on the clipboard ($(wc -l <"$work/expected.txt") lines) are vexilo-fit's"
else
    echo "FAIL: the clipboard does not hold vexilo-fit's control points"
    echo "--- clipboard"; head -5 "$work/copied.txt"
    echo "--- vexilo-fit"; head -5 "$work/expected.txt"
    status=1
fi
kill -0 "$app" 2>/dev/null || { echo "FAIL: the program ended"; cat "$work/vexilo.log"; status=1; }
exit $status

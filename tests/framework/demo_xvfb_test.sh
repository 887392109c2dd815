#!/bin/sh
# Runs korvane-demo on a virtual X display (Xvfb) with a text file open:
# checks the window's title, that the window is drawn (the colour box's red
# and the window's face colour are on the screen), clicks the colour box
# with xdotool and checks that it turned green. Then presses F10: the File
# menu opens over the Tools panel, and Down, Return chooses its first item,
# New, which closes the file. Keeps the screenshots taken after the click
# and with the menu open in the output folder.
# Usage: demo_xvfb_test.sh KORVANE-DEMO OUTPUT-DIR. Exit 77: skipped.
set -u
demo=$1
out=$2

TOOLS="xdotool import convert"
. "$(dirname "$0")/xvfb_session.sh"

printf 'Korvane on a real display\nthe quick brown fox\n' >"$work/notes.txt"
# The demo's settings stay in the work folder.
XDG_CONFIG_HOME="$work" "$demo" --report "$work/swatch" "$work/notes.txt" >"$work/demo.log" 2>&1 &
app=$!
await_file "$work/swatch" 200 "the demo did not show its window" "$work/demo.log"
read -r x y w h <"$work/swatch"
cx=$((x + w / 2))
cy=$((y + h / 2))

pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

import -window root "$work/before.png"
xdotool mousemove $cx $cy
sleep 0.3
xdotool click 1
sleep 0.8
import -window root "$out/korvane-demo-xvfb.png"

title=$(xdotool search --name "Korvane Demo" getwindowname 2>/dev/null | head -n 1)

xdotool key F10
sleep 0.5
import -window root "$out/korvane-demo-xvfb-menu.png"
xdotool key Down
sleep 0.3
xdotool key Return
sleep 0.8

before=$(pixel "$work/before.png" $cx $cy)
after=$(pixel "$out/korvane-demo-xvfb.png" $cx $cy)
face=$(pixel "$work/before.png" $((x - 5)) $((y + 5)))
chosen=$(xdotool search --name "Korvane Demo" getwindowname 2>/dev/null | head -n 1)
# A point of the Tools panel, below its buttons, that the open menu covers.
panel=$(pixel "$work/before.png" 40 150)
menu=$(pixel "$out/korvane-demo-xvfb-menu.png" 40 150)
echo "colour box at $x,$y ${w}x$h: before '$before', after '$after', window face '$face'; title '$title'"
echo "Tools panel '$panel', under the menu opened by F10 '$menu'; title after Down, Return '$chosen'"
status=0
[ "$title" = "notes.txt - Korvane Demo" ] || { echo "FAIL: the title does not name the open file"; status=1; }
[ "$chosen" = "(Untitled) - Korvane Demo" ] || { echo "FAIL: F10, Down, Return did not choose File, New"; status=1; }
[ "$panel" = "212 208 200" ] || { echo "FAIL: the Tools panel was not drawn"; status=1; }
[ "$menu" != "$panel" ] || { echo "FAIL: F10 did not open the File menu over the Tools panel"; status=1; }
[ "$before" = "200 30 30" ] || { echo "FAIL: the colour box was not drawn red"; status=1; }
[ "$face" = "212 208 200" ] || { echo "FAIL: the window face was not drawn"; status=1; }
[ "$after" = "30 170 60" ] || { echo "FAIL: the colour box did not turn green after the click"; status=1; }
kill -0 "$app" 2>/dev/null || { echo "FAIL: the demo ended"; cat "$work/demo.log"; status=1; }
[ $status -eq 0 ] && echo "PASS: korvane-demo drew its window and reacted to the click and to F10"
exit $status

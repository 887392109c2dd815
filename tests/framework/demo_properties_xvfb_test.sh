#!/bin/sh
# Runs korvane-demo on a virtual X display (Xvfb) and edits its "Properties"
# panel for real: a click on the check box of the "Line Numbers" row numbers
# the lines, and digits typed into the "Indent" row (then Return) move the
# text. The demo reports the rows' places and writes the view's settings
# whenever they change; the test checks those and that the view's pixels
# changed, and keeps a screenshot after the edits in the output folder.
# Usage: demo_properties_xvfb_test.sh KORVANE-DEMO OUTPUT-DIR. Exit 77: skipped.
set -u
demo=$1
out=$2
TOOLS="xdotool import convert compare"
. "$(dirname "$0")/xvfb_session.sh"

printf 'Korvane on a real display\nthe quick brown fox\njumps over the lazy dog\n' >"$work/notes.txt"
XDG_CONFIG_HOME="$work" "$demo" --report "$work/places" "$work/notes.txt" >"$work/demo.log" 2>&1 &
app=$!
await_file "$work/places" 200 "the demo did not show its window" "$work/demo.log"
[ "$(wc -l <"$work/places")" -ge 3 ] || { echo "FAIL: the demo did not report its rows"; cat "$work/places"; exit 1; }
centre() { sed -n "$1p" "$work/places" | { read -r x y w h; echo "$((x + w / 2)) $((y + h / 2))"; }; }
settings() { cat "$work/places.settings" 2>/dev/null; }
numbers=$(centre 2)
indent=$(centre 3)
first=$(settings)

import -window root "$work/before.png"
xdotool mousemove $numbers
sleep 0.3
xdotool click 1
sleep 0.6
ticked=$(settings)

xdotool mousemove $indent
sleep 0.3
xdotool click 1
sleep 0.5
xdotool type --delay 80 120
xdotool key Return
sleep 0.8
typed=$(settings)
import -window root "$out/korvane-demo-properties-xvfb.png"

# The text area of the view: it changes when the lines are numbered and move.
changed=$(compare -metric AE -crop 300x120+90+10 "$work/before.png" "$out/korvane-demo-properties-xvfb.png" null: 2>&1 | cut -d' ' -f1)
echo "rows: Line Numbers box at $numbers, Indent field at $indent"
echo "settings at start '$first', after the click '$ticked', after typing '$typed'; view pixels changed: $changed"
status=0
[ "$first" = "numbers=0 indent=6" ] || { echo "FAIL: the demo did not start with its default settings"; status=1; }
[ "$ticked" = "numbers=1 indent=6" ] || { echo "FAIL: the click did not tick the Line Numbers row"; status=1; }
[ "$typed" = "numbers=1 indent=120" ] || { echo "FAIL: the typed digits did not change the indent"; status=1; }
[ "${changed:-0}" -gt 100 ] 2>/dev/null || { echo "FAIL: the view did not change"; status=1; }
kill -0 "$app" 2>/dev/null || { echo "FAIL: the demo ended"; cat "$work/demo.log"; status=1; }
[ $status -eq 0 ] && echo "PASS: a click ticked a check-box row and typed digits changed a number row"
exit $status

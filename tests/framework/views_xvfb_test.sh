#!/bin/sh
# Runs view_probe (a zoomable checker view with a circle tool) on a virtual X
# display (Xvfb) and drives it with xdotool: the wheel scrolls (down, with
# Shift sideways, the sideways buttons too), Ctrl with the wheel zooms, Space
# lends the hand (its cursor shows), a click makes a stroke. Keeps a
# screenshot with the wire in the output folder.
# Usage: views_xvfb_test.sh VIEW-PROBE OUTPUT-DIR. Exit 77: skipped.
set -u
probe=$1
out=$2

TOOLS="xdotool import"
. "$(dirname "$0")/xvfb_session.sh"

"$probe" "$work/place" "$work/state" >"$work/probe.log" 2>&1 &
app=$!
await_file "$work/place" 200 "the probe did not show its window" "$work/probe.log"
read -r x y w h <"$work/place"
cx=$((x + w / 2))
cy=$((y + h / 2))

status=0
# Waits for the state to hold `what` (a pattern), or fails saying `why`.
expect() {
    tries=0
    until grep -q "$1" "$work/state" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 30 ]; then
            echo "FAIL: $2 (state: $(cat "$work/state"))"
            status=1
            return
        fi
        sleep 0.1
    done
    echo "ok: $2 ($(cat "$work/state"))"
}

xdotool mousemove $cx $cy
sleep 0.3
xdotool mousemove $((cx + 3)) $((cy + 2))
expect "cursor CROSS " "the circle tool shows its cross"
xdotool click 5 click 5 click 5
expect "scroll 0 120 " "three notches down scroll 120 pixels"
xdotool keydown shift click 5 keyup shift
expect "scroll 40 120 " "Shift turns the wheel sideways"
xdotool click 7
expect "scroll 80 120 " "the sideways wheel scrolls sideways"
xdotool keydown ctrl click 4 keyup ctrl
expect "zoom 2 " "Ctrl with the wheel zooms"
xdotool keydown space
expect "temporary hand" "Space lends the hand"
expect "cursor PanTool_CursorHand " "the hand's cursor shows"
xdotool keyup space
expect "cursor CROSS .*temporary none" "the cross is back when Space comes up"
xdotool click 1
expect "strokes 1$" "a click is one stroke"
sleep 0.3
import -window root "$out/views-xvfb.png"
kill -0 "$app" 2>/dev/null || { echo "FAIL: the probe ended"; cat "$work/probe.log"; status=1; }
[ $status -eq 0 ] && echo "PASS: the view scrolled, zoomed, lent the hand and stroked on a real display"
exit $status

#!/bin/sh
# Runs korvane-masks on a virtual X display (Xvfb) with a new sequence:
# drags the brush across the view with xdotool (the picture turns black
# there), presses Ctrl+Z (it is white again), clicks Play (the picture
# changes while it plays) and Pause (it no longer changes). Keeps the
# screenshot taken after the drag in the output folder.
# Usage: masks_demo_xvfb_test.sh KORVANE-MASKS OUTPUT-DIR. Exit 77: skipped.
set -u
masks=$1
out=$2

TOOLS="xdotool import convert compare"
. "$(dirname "$0")/xvfb_session.sh"

XDG_CONFIG_HOME="$work" "$masks" --new --report "$work/places" >"$work/masks.log" 2>&1 &
app=$!
await_file "$work/places" 200 "korvane-masks did not show its window" "$work/masks.log"
{
    read -r vx vy vw vh
    read -r px py pw ph
    read -r ux uy uw uh
} <"$work/places"
play_x=$((px + pw / 2)); play_y=$((py + ph / 2))
pause_x=$((ux + uw / 2)); pause_y=$((uy + uh / 2))

pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}
differ() {
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# A stroke across the lower part of the view, where the first frame is white.
y=$((vy + vh * 7 / 10))
x0=$((vx + vw / 5))
x1=$((vx + vw * 4 / 5))
mx=$(((x0 + x1) / 2))
import -window root "$work/start.png"
xdotool mousemove $x0 $y
sleep 0.3
xdotool mousedown 1
x=$x0
while [ $x -lt $x1 ]; do
    x=$((x + 6))
    xdotool mousemove $x $y
done
xdotool mouseup 1
xdotool mousemove $((vx + 5)) $((vy + 5))

# Each step is awaited by polling the screen (up to about 5 s), not by a
# fixed pause, so a loaded machine does not fail the test.
start=$(pixel "$work/start.png" $mx $y)
tries=0
while :; do
    import -window root "$out/korvane-masks-xvfb.png"
    painted=$(pixel "$out/korvane-masks-xvfb.png" $mx $y)
    [ "$painted" = "0 0 0" ] && break
    tries=$((tries + 1)); [ $tries -gt 25 ] && break
    sleep 0.2
done
xdotool key ctrl+z
tries=0
while :; do
    import -window root "$work/undone.png"
    undone=$(pixel "$work/undone.png" $mx $y)
    [ "$undone" = "255 255 255" ] && break
    tries=$((tries + 1)); [ $tries -gt 25 ] && break
    sleep 0.2
done
echo "stroke at $mx,$y: before '$start', painted '$painted', after Ctrl+Z '$undone'"

xdotool mousemove $play_x $play_y click 1
tries=0
while :; do
    sleep 0.3
    import -window root "$work/play1.png"
    sleep 0.3
    import -window root "$work/play2.png"
    playing=$(differ "$work/play1.png" "$work/play2.png")
    [ "$playing" -gt 0 ] 2>/dev/null && break
    tries=$((tries + 1)); [ $tries -gt 8 ] && break
done
xdotool mousemove $pause_x $pause_y click 1
tries=0
while :; do
    sleep 0.3
    import -window root "$work/pause1.png"
    sleep 0.4
    import -window root "$work/pause2.png"
    stopped=$(differ "$work/pause1.png" "$work/pause2.png")
    [ "$stopped" -eq 0 ] 2>/dev/null && break
    tries=$((tries + 1)); [ $tries -gt 8 ] && break
done
echo "pixels changed while playing: $playing; after Pause: $stopped"
[ "$start" = "255 255 255" ] || { echo "FAIL: the view is not white where the stroke goes"; exit 1; }
[ "$painted" = "0 0 0" ] || { echo "FAIL: the drag did not paint"; exit 1; }
[ "$undone" = "255 255 255" ] || { echo "FAIL: Ctrl+Z did not restore the picture"; exit 1; }
[ "$playing" -gt 0 ] 2>/dev/null || { echo "FAIL: Play did not change the picture"; exit 1; }
[ "$stopped" -eq 0 ] 2>/dev/null || { echo "FAIL: the picture changed after Pause"; exit 1; }
echo "PASS"

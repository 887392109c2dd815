#!/bin/sh
# A Build on a virtual X display (Xvfb): build_probe opens the mask and
# builds slowly; the progress dialog shows (no wait cursor over it), a
# screenshot is kept, xdotool clicks its Cancel; the curve of the cancelled
# Build must equal vexilo-fit's with --max-length at the reached length, and
# a second Build must complete and equal vexilo-fit's whole fit.
# Usage: build_xvfb_test.sh BUILD-PROBE VEXILO-FIT MASK OUTPUT-DIR. Exit 77: skipped.
set -u
probe=$1
fit=$2
mask=$3
out=$4

TOOLS="xdotool import"
. "$(dirname "$0")/../framework/xvfb_session.sh"

"$probe" "$mask" "$work/report" "$work/curve" >"$work/probe.log" 2>&1 &
app=$!
await_file "$work/report" 300 "the progress dialog did not show" "$work/probe.log"
read -r x y w h _ wait <"$work/report"
status=0
[ "$wait" = "0" ] || { echo "FAIL: the wait cursor covers the progress dialog"; status=1; }
sleep 0.5
import -window root "$out/vexilo-build-xvfb.png"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1

await_file "$work/curve.state" 600 "the builds did not end" "$work/probe.log"
read -r _ first length _ second full <"$work/curve.state"
[ "$first" = "Cancelled" ] || { echo "FAIL: the first Build ended $first, not Cancelled"; status=1; }
[ "$second" = "Complete" ] || { echo "FAIL: the second Build ended $second, not Complete"; status=1; }
"$fit" --max-length "$length" "$mask" >"$work/fit.1" 2>/dev/null
"$fit" "$mask" >"$work/fit.2" 2>/dev/null
cmp -s "$work/curve.1" "$work/fit.1" || { echo "FAIL: the cancelled curve (L = $length) differs from vexilo-fit's"; status=1; }
cmp -s "$work/curve.2" "$work/fit.2" || { echo "FAIL: the whole curve differs from vexilo-fit's"; status=1; }
[ $status -eq 0 ] && echo "PASS: cancelled at L = $length, resumed to L = $full, both as vexilo-fit"
exit $status

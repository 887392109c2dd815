# Sourced by the checks on a virtual X display: starts Xvfb on a free display
# (800 by 600, 24 bits), exports DISPLAY, makes
# the work folder $work and cleans up on exit (the program whose process id
# the caller puts in $app, Xvfb, the folder). Needs $out, the output folder,
# and TOOLS, the commands the caller uses besides Xvfb. Exit 77: skipped.
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIPPED: Xvfb is not installed (scripts/setup.sh installs it)"
    exit 77
fi
for tool in $TOOLS; do
    command -v $tool >/dev/null 2>&1 || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

# await_file FILE TENTHS MESSAGE LOG: waits until FILE has something in it,
# at most TENTHS tenths of a second; else fails with MESSAGE and shows LOG.
await_file() {
    tries=0
    until [ -s "$1" ]; do
        tries=$((tries + 1))
        [ $tries -gt "$2" ] && { echo "FAIL: $3"; cat "$4"; exit 1; }
        sleep 0.1
    done
}

mkdir -p "$out"
work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks the free display number itself (-displayfd) and writes it to
# the work folder: two checks running at once never share a display, which a
# look for free lock files before starting could not promise.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
await_file "$work/display" 100 "Xvfb did not start" "$work/xvfb.log"
export DISPLAY=:$(tr -d '[:space:]' <"$work/display")
unset KORVANE_BACKEND
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
done

# Sourced by the Xvfb tests of korvane-demo: checks the tools, starts a
# virtual X display (DISPLAY is set), makes a work folder ($work) and stops
# and removes everything at exit, the demo ($app) too. Exit 77: skipped.
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIPPED: Xvfb is not installed (scripts/setup.sh installs it)"
    exit 77
fi
for tool in xdotool import convert; do
    command -v $tool >/dev/null 2>&1 || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses, from $display_from (default 90) on.
n=${display_from:-90}
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=:$n
unset KORVANE_BACKEND
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
done

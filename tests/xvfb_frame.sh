#!/usr/bin/env bash
# Shows a frame in a real window on a virtual X display and checks, from a
# screenshot of the whole display, that the drawn colours are on the screen.
#   tests/xvfb_frame.sh <tests_system executable>
set -euo pipefail
tests_exe=$1
work=$(mktemp -d /tmp/halvorn-xvfb-XXXXXX)
xvfb_pid=""
test_pid=""
cleanup() {
    [ -n "$test_pid" ] && kill "$test_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=""
for n in $(seq 50 150); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number"; exit 1; }

Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

DISPLAY=":$display" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy HALVORN_XVFB_FRAME="$work" \
    "$tests_exe" --gtest_filter='XvfbFrame.*' >"$work/test.log" 2>&1 &
test_pid=$!
for _ in $(seq 300); do
    [ -e "$work/ready" ] && break
    kill -0 "$test_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -e "$work/ready" ]; then
    echo "the frame was never shown"; cat "$work/test.log"; exit 1
fi
sleep 0.5

xwd -root -silent -display ":$display" >"$work/screen.xwd"
touch "$work/done"
convert "xwd:$work/screen.xwd" -depth 8 txt:- >"$work/screen.txt"
status=0
wait "$test_pid" || status=$?
test_pid=""
if [ "$status" -ne 0 ]; then echo "the drawing side failed"; cat "$work/test.log"; exit 1; fi

fail=0
# Each box is 60 x 40 pixels; the text has a couple of hundred white ones.
for want in FF0000:2000 00FF00:2000 0000FF:2000 FFFFFF:100; do
    colour=${want%%:*}
    least=${want##*:}
    count=$(grep -c "#$colour" "$work/screen.txt" || true)
    echo "#$colour: $count pixels"
    [ "$count" -ge "$least" ] || fail=1
done
[ "$fail" -eq 0 ] || { echo "drawn colours missing from the screen"; exit 1; }
echo "frame found on the X display"

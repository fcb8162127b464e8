#!/usr/bin/env bash
# The real program in a real window: from the shipped help file its main window
# appears; without a help file the failure window appears, and a click on its
# drawn "OK" ends the process.
# Usage: real_window_check.sh <ostrane executable> <help file> <screenshot folder>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_lib.sh"
xvfb_args "$@"
xvfb_need_tools
mkdir -p "$shots"
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null; xvfb_stop; rm -rf "$work"' EXIT
pid=
xvfb_start || exit 1
export QT_QPA_PLATFORM=xcb

fail() { echo "FAIL: $*"; exit 1; }

# 1. With the help file: the main window shows.
mkdir -p "$work/ok"
cp "$exe" "$work/ok/ostrane"
cp "$help" "$work/ok/Ostrane.rtf"
"$work/ok/ostrane" >"$work/ok.log" 2>&1 &
pid=$!
win=$(wait_window '^Ostrane$' 20) || { cat "$work/ok.log"; fail "the main window did not appear"; }
sleep 0.5
import -window root "$shots/startup_main.png" || fail "no screenshot"
geo=$(xdotool getwindowgeometry "$win")
echo "main window: $geo"
w=$(echo "$geo" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p')
[ "${w:-0}" -gt 600 ] || fail "the main window is too small: $geo"
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
pid=

# 2. Without the help file: the failure window, and its drawn "OK" ends the program.
mkdir -p "$work/ko"
cp "$exe" "$work/ko/ostrane"
"$work/ko/ostrane" >"$work/ko.log" 2>&1 &
pid=$!
win=$(wait_window '<!>' 20) || { cat "$work/ko.log"; fail "the failure window did not appear"; }
sleep 0.5
import -window root "$shots/startup_failure.png" || fail "no screenshot"
geo=$(xdotool getwindowgeometry "$win")
echo "failure window: $geo"
x=$(echo "$geo" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1/p')
y=$(echo "$geo" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\2/p')
# A click outside the drawn button does nothing.
xdotool mousemove $((x + 40)) $((y + 120)) click 1
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "a click beside the drawn OK ended the program"
# The drawn button's face: twips 3096..4824 x 1320..1872, 15 twips a pixel.
xdotool mousemove $((x + 264)) $((y + 106)) click 1
wait_exit "$pid" 5 || fail "a click on the drawn OK did not end the program"
pid=
echo "real window check passed"

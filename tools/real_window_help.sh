#!/usr/bin/env bash
# The help window in a real window, under a window manager: opened from the main
# window's help button, it shows maximised; a section button jumps to its heading
# (the view changes); a word typed there is saved by the save button, is found in
# the help file, and is in the window again once it is reopened. Minimised with
# its own button, it comes back with the main window's help button, active:
# maximised in full page, at its own size in multi-page.
# Usage: real_window_help.sh <ostrane executable> <help file> <screenshot folder>
# Exit 77 (skipped) when Xvfb, xdotool, openbox, ImageMagick or Python's Tk are missing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_lib.sh"
xvfb_args "$@"
# A window manager (the help window maximises itself) and Tk to read the clipboard.
xvfb_need_tools openbox python3:tkinter
mkdir -p "$shots"
work=$(mktemp -d)
pid= wm=
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; [ -n "$wm" ] && kill $wm 2>/dev/null; xvfb_stop; rm -rf "$work"' EXIT
xvfb_start || exit 1
export QT_QPA_PLATFORM=xcb
# 96 dots an inch: 15 twips a pixel, the density the places below are reckoned in.
export QT_FONT_DPI=96
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
wm=$!
sleep 1

fail() {
  echo "FAIL: $*"
  import -window root "$shots/help_failure.png" 2>/dev/null
  exit 1
}

# The first pixel of a colour in a window, relative to the window: "x y".
find_colour() {
  local win=$1 colour=$2
  import -window "$win" "$work/scan.png" || return 1
  convert "$work/scan.png" txt:"$work/scan.txt" || return 1
  grep -i -m1 "$colour" "$work/scan.txt" | sed -n 's/^\([0-9]*\),\([0-9]*\):.*/\1 \2/p'
}

# Clicks at x, y of a window's client area.
click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The main window's help button: the picture on light cyan at its top right.
open_help() {
  local xy x y
  xy=$(find_colour "$main" "#B0F0FF") || fail "no screenshot of the main window"
  [ -n "$xy" ] || fail "the main window's help button is not shown"
  read -r x y <<<"$xy"
  click_in "$main" $((x + 4)) $((y + 4))
  helpwin=$(wait_window '^ Aide - ' 10) || fail "the help button did not open the help window"
  sleep 1
}

# Section button N: its centre, in pixels, for the screen fit's factor r.
section() {
  local n=$1
  click_in "$helpwin" $(awk -v n="$n" -v r="$r" 'BEGIN { printf "%d %d", (60 + 2400 * (n - 1) + 1176) * r / 15, (60 + 246) * r / 15 }')
  sleep 1
}

# The help window's picture button that stands d twips (at design size) left of
# its multi-page button, found by that one's pale pink.
help_button() {
  local xy x y
  xy=$(find_colour "$helpwin" "#FFE2EC") || fail "no screenshot of the help window"
  [ -n "$xy" ] || fail "the help window's multi-page button is not shown"
  read -r x y <<<"$xy"
  click_in "$helpwin" $(awk -v x="$x" -v y="$y" -v d="$1" -v r="$r" 'BEGIN { printf "%d %d", x - d * r / 15 + 4, y + 4 }')
  sleep 1
}

# The help window's state as the window manager keeps it: Normal or Iconic.
wm_state() {
  xprop -id "$helpwin" WM_STATE | sed -n 's/.*window state: *//p'
}

maximised() {
  xprop -id "$helpwin" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ
}

clipboard() {
  python3 - <<'EOF'
import tkinter
t = tkinter.Tk()
t.withdraw()
try:
    print(t.clipboard_get())
except tkinter.TclError:
    pass
EOF
}

mkdir -p "$work/prog"
cp "$exe" "$work/prog/ostrane"
cp "$help" "$work/prog/Ostrane.rtf"
(cd "$work/prog" && ./ostrane >"$work/prog.log" 2>&1) &
pid=$!
main=$(wait_window '^Ostrane$' 20) || { cat "$work/prog.log"; fail "the main window did not appear"; }
sleep 1
# The screen fit's factor: the smaller of screen / design size, both ways, in twips.
read -r sw sh < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
r=$(awk -v w="$sw" -v h="$sh" 'BEGIN { a = w * 15 / 19224; b = h * 15 / 10788; print (a < b ? a : b) }')

# 1. Opened from the main window: maximised by the window manager.
open_help
geo=$(xdotool getwindowgeometry "$helpwin")
echo "help window: $geo"
hw=$(echo "$geo" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p')
[ "${hw:-0}" -ge $((sw - 20)) ] || fail "the help window is not maximised: $geo"
import -window "$helpwin" "$shots/help_before_jump.png" || fail "no screenshot"

# 2. Section 2: the view goes to its heading.
section 2
import -window "$helpwin" "$shots/help_after_jump.png" || fail "no screenshot"
diff=$(compare -metric AE "$shots/help_before_jump.png" "$shots/help_after_jump.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels changed by the jump: $diff"
[ "${diff%.*}" -gt 1000 ] 2>/dev/null || fail "the section button did not move the view ($diff pixels changed)"

# 3. A word typed at the end of the heading, then the save button (shown once the text changed).
xdotool key End
xdotool type --delay 50 " Xylophone"
sleep 0.5
xy=$(find_colour "$helpwin" "#FFFFCC")
[ -n "$xy" ] || fail "the save button did not show the text as changed"
read -r x y <<<"$xy"
click_in "$helpwin" $((x + 4)) $((y + 4))
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '^ Aide - ' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^ Aide - ' >/dev/null 2>&1 && fail "saving did not close the help window"
grep -q "Xylophone" "$work/prog/Ostrane.rtf" || fail "the word is not in the saved help file"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the help window"

# 4. Reopened: the heading of section 2 holds the word.
open_help
section 2
xdotool key ctrl+c
sleep 0.5
line=$(clipboard)
echo "section 2 heading: $line"
case "$line" in
  *Xylophone*) ;;
  *) fail "the reopened window does not show the saved word" ;;
esac
import -window "$helpwin" "$shots/help_reopened.png"

# 5. Minimised with its own button (480 twips left of the multi-page one), the help
#    window comes back with the main window's help button, as it was, and active.
for mode in full multi; do
  [ "$mode" = multi ] && help_button 0
  help_button 480
  [ "$(wm_state)" = Iconic ] || fail "$mode page: the minimise button left the help window $(wm_state)"
  open_help
  [ "$(wm_state)" = Normal ] || fail "$mode page: the help button left the help window $(wm_state)"
  if [ "$mode" = full ]; then
    maximised || fail "full page: the help window came back not maximised"
  else
    maximised && fail "multi-page: the help window came back maximised"
  fi
  [ "$(xdotool getactivewindow)" = "$helpwin" ] || fail "$mode page: the help window came back inactive"
  echo "$mode page: minimised and brought back"
done
import -window root "$shots/help_brought_back.png"
echo "real window help check passed"

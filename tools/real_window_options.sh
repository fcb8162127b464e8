#!/usr/bin/env bash
# The display options in real windows, under a window manager: "Plein écran"
# applied brings the main window back covering the screen, "<" brings it back
# scaled at the left edge, and the options window stays above it all along.
# Usage: real_window_options.sh <ostrane executable> <help file> <screenshot folder>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_lib.sh"
xvfb_args "$@"
xvfb_need_tools openbox xprop xwininfo
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$exe" ] || fail "no executable at $exe"
[ -f "$help" ] || fail "no help file at $help"

mkdir -p "$shots"
work=$(mktemp -d)
pid= wm=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$wm" ] && kill "$wm" 2>/dev/null; xvfb_stop; rm -rf "$work"' EXIT
xvfb_start || fail "could not start Xvfb"
export QT_QPA_PLATFORM=xcb

# A window manager, so that stacking and the stay-on-top hint mean something.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 1 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"

eval "$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); printf "SW=%d SH=%d\n", d[1], d[2] }')"
echo "screen: ${SW}x${SH}"

cp "$exe" "$work/ostrane"
cp "$help" "$work/Ostrane.rtf"
"$work/ostrane" >"$work/ostrane.log" 2>&1 &
pid=$!

shot() { sleep 0.6; import -window root "$shots/$1.png" || fail "no screenshot $1"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
# The main window: the one visible window named exactly "Ostrane".
main_window() { wait_window '^Ostrane$' "${1:-20}"; }
geometry() {
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "X=" $NF } /Absolute upper-left Y/ { print "Y=" $NF }
                                  /^ *Width:/ { print "WIDTH=" $NF } /^ *Height:/ { print "HEIGHT=" $NF }')"
}
# Twips of the options window's client area to screen pixels (15 twips a pixel).
opt_click() { click $((OX + $1 / 15)) $((OY + $2 / 15)); }

win=$(main_window) || { cat "$work/ostrane.log"; fail "the main window did not appear"; }
sleep 1
geometry "$win"
echo "main window at start: ${WIDTH}x${HEIGHT} at ${X},${Y}"

# The options button: picture at 1140..1560 x 36..456 twips in the button bar,
# which stands 60 twips from the window's right edge and is 2088 twips wide.
click $((X + WIDTH - (60 + 2088 - 1350) / 15)) $((Y + 246 / 15))
opt=$(wait_window 'Paramètres d.affichage' 10) || { cat "$work/ostrane.log"; fail "the options window did not open"; }
sleep 0.5
# The client area's place on the screen, inside the window manager's frame.
OX=$(xwininfo -id "$opt" | awk '/Absolute upper-left X/ { print $NF }')
OY=$(xwininfo -id "$opt" | awk '/Absolute upper-left Y/ { print $NF }')
echo "options window: client at ${OX},${OY}"
shot options_open

# Top of the stacking order: the last of the window manager's list.
on_top() {
  local top
  top=$(xprop -root _NET_CLIENT_LIST_STACKING | awk -F', ' '{ print $NF }' | sed 's/.*# //')
  [ $((top)) -eq $((opt)) ] || fail "$1: the options window is not on top (top is $top, options $opt; see $shots/$2.png)"
  xprop -id "$opt" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "$1: the options window is not kept above"
}

apply() {
  # "Appliquer et enregistrer", in the middle of the button (caAvis at 60, 2040; the button at 120, 180, 4560 x 720).
  opt_click 2460 2580
  sleep 1
  win=$(main_window 10) || { cat "$work/ostrane.log"; fail "the main window did not come back after $1"; }
  sleep 0.5
  geometry "$win"
  echo "main window after $1: ${WIDTH}x${HEIGHT} at ${X},${Y}"
}

# "Plein écran": coTaille(1) at 120, 1020 in the screen page (60, 0); its indicator at the left.
opt_click 285 1200
apply "Plein écran"
shot options_full_screen
[ "$WIDTH" -eq "$SW" ] && [ "$HEIGHT" -eq "$SH" ] && [ "$X" -eq 0 ] && [ "$Y" -eq 0 ] ||
  fail "with \"Plein écran\" the main window is ${WIDTH}x${HEIGHT} at ${X},${Y}, not the screen's ${SW}x${SH}"
grep -aq 'Ecran=#' "$work/Ostrane.rtf" || fail "\"#\" was not written to the help file"
on_top "Plein écran" options_full_screen

# "Proportionnel" (120, 180) and then "<" (in caPosH at 2040, 60; the option at 180, 300, 720 x 540).
opt_click 285 360
opt_click 2385 630
apply "<"
shot options_left
# Scaled by the smaller of the two screen ratios, at the left edge and the top.
want_w=$(awk -v w="$SW" -v h="$SH" 'BEGIN { f = w / 960; g = h / 720; if (g < f) f = g; printf "%d", 960 * f + 0.5 }')
want_h=$(awk -v w="$SW" -v h="$SH" 'BEGIN { f = w / 960; g = h / 720; if (g < f) f = g; printf "%d", 720 * f + 0.5 }')
[ "$X" -eq 0 ] && [ "$Y" -eq 0 ] || fail "with \"<\" the main window is at ${X},${Y}, not at the screen's left edge"
[ $((WIDTH - want_w)) -ge -2 ] && [ $((WIDTH - want_w)) -le 2 ] && [ $((HEIGHT - want_h)) -ge -2 ] && [ $((HEIGHT - want_h)) -le 2 ] ||
  fail "with \"<\" the main window is ${WIDTH}x${HEIGHT}, not ${want_w}x${want_h}"
[ "$WIDTH" -ne "$SW" ] || [ "$HEIGHT" -ne "$SH" ] || fail "with \"<\" the main window still covers the screen"
grep -aq 'Ecran=<' "$work/Ostrane.rtf" || fail "\"<\" was not written to the help file"
on_top "<" options_left

# The main window's close picture (1620..2040 in the bar) is refused while the options
# are open; the refusal comes above the options window, not under it.
click $((X + WIDTH - (60 + 2088 - 1830) / 15)) $((Y + 246 / 15))
sleep 1
shot options_refusal
top=$(xprop -root _NET_CLIENT_LIST_STACKING | awk -F', ' '{ print $NF }' | sed 's/.*# //')
[ $((top)) -ne $((opt)) ] && [ $((top)) -ne $((win)) ] ||
  fail "the refusal is not on top of the options window (see $shots/options_refusal.png)"
xdotool getwindowname "$top" | grep -q '^Ostrane$' || fail "the window on top is not the program's message box"
xdotool windowactivate --sync "$top" key Return 2>/dev/null || xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended"
xwininfo -id "$win" | grep -q 'IsViewable' || fail "the main window went away"
on_top "the refusal" options_refusal
echo "real window options check passed"

#!/usr/bin/env bash
# The board in a real window: a glider drawn by clicking grid cells moves one
# cell down and right in four generations, and "Cosmos" carries it into the
# universe picture.
# Usage: real_window_board.sh <ostrane executable> <help file> <screenshot folder>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_lib.sh"
xvfb_args "$@"
xvfb_need_tools
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$exe" ] || fail "no executable at $exe"
[ -f "$help" ] || fail "no help file at $help"

mkdir -p "$shots"
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; xvfb_stop; rm -rf "$work"' EXIT
xvfb_start || fail "could not start Xvfb"
export QT_QPA_PLATFORM=xcb

cp "$exe" "$work/ostrane"
cp "$help" "$work/Ostrane.rtf"
"$work/ostrane" >"$work/ostrane.log" 2>&1 &
pid=$!
win=$(wait_window '^Ostrane$' 20) || { cat "$work/ostrane.log"; fail "the main window did not appear"; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "main window: ${WIDTH}x${HEIGHT} at ${X},${Y}"
[ "$WIDTH" -gt 600 ] || fail "the main window is too small: ${WIDTH}x${HEIGHT}"

# The window is laid out from its design of 14400 twips wide, scaled to the
# screen: one design twip is WIDTH / 14400 pixels. Places below are design twips
# inside the window.
px() { awk -v t="$1" -v w="$WIDTH" -v o="$2" 'BEGIN { printf "%d", o + t * w / 14400 + 0.5 }'; }
GRILLE_G=120 GRILLE_H=540 CELLULE=216
cell_x() { px "$(awk -v c="$1" -v g=$GRILLE_G -v k=$CELLULE 'BEGIN { print g + (c + 0.5) * k }')" "$X"; }
cell_y() { px "$(awk -v r="$1" -v g=$GRILLE_H -v k=$CELLULE 'BEGIN { print g + (r + 0.5) * k }')" "$Y"; }
# The inside of a cell, its lines left out, as an ImageMagick crop geometry.
cell_box() {
  local x y s
  x=$(cell_x "$2") y=$(cell_y "$1")
  s=$(awk -v w="$WIDTH" -v k=$CELLULE 'BEGIN { printf "%d", k * w / 14400 / 2 - 3 }')
  echo "$((2 * s))x$((2 * s))+$((x - s))+$((y - s))"
}
# A block of cells r0..r1 x c0..c1, lines included.
block_box() {
  local x0 y0 x1 y1
  x0=$(px "$(awk -v c="$3" -v g=$GRILLE_G -v k=$CELLULE 'BEGIN { print g + c * k }')" "$X")
  y0=$(px "$(awk -v r="$1" -v g=$GRILLE_H -v k=$CELLULE 'BEGIN { print g + r * k }')" "$Y")
  x1=$(px "$(awk -v c="$4" -v g=$GRILLE_G -v k=$CELLULE 'BEGIN { print g + (c + 1) * k }')" "$X")
  y1=$(px "$(awk -v r="$2" -v g=$GRILLE_H -v k=$CELLULE 'BEGIN { print g + (r + 1) * k }')" "$Y")
  echo "$((x1 - x0))x$((y1 - y0))+${x0}+${y0}"
}
# Pixels that differ between two screenshots inside a crop geometry.
differ() {
  local out
  out=$(compare -metric AE "$1[$3]" "$2[$3]" null: 2>&1)
  [[ "$out" =~ ^[0-9.e+]+ ]] || fail "compare failed on $1 and $2: $out"
  awk -v n="${BASH_REMATCH[0]}" 'BEGIN { printf "%d", n }'
}
shot() { sleep 0.6; import -window root "$shots/$1.png" || fail "no screenshot $1"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.15; }

# The panel's controls, design twips in the window (panel at 10440, 540).
VA_X=11640 VA_Y=1980        # "Génération suivante"
COSMOS_X=12120 COSMOS_Y=960 # the "Cosmos" option, on its caption

shot board_start
glider="10,11 11,12 12,10 12,11 12,12"
for rc in $glider; do click "$(cell_x "${rc#*,}")" "$(cell_y "${rc%,*}")"; done
shot board_glider
for rc in $glider; do
  n=$(differ "$shots/board_start.png" "$shots/board_glider.png" "$(cell_box "${rc%,*}" "${rc#*,}")")
  [ "$n" -gt 0 ] || fail "a click did not bring cell $rc to life (see $shots/board_glider.png)"
done
n=$(differ "$shots/board_start.png" "$shots/board_glider.png" "$(block_box 25 40 25 40)")
[ "$n" -eq 0 ] || fail "clicks on the glider's cells changed $n pixels far from it"

for _ in 1 2 3 4; do click "$(px $VA_X "$X")" "$(px $VA_Y "$Y")"; done
shot board_step4
# Four generations later the glider stands one cell lower and one further right.
for rc in "10,11" "12,10" "12,11" "12,12"; do
  n=$(differ "$shots/board_glider.png" "$shots/board_step4.png" "$(cell_box "${rc%,*}" "${rc#*,}")")
  [ "$n" -gt 0 ] || fail "cell $rc should have died in four generations (see $shots/board_step4.png)"
done
for rc in "12,13" "13,11" "13,12" "13,13"; do
  n=$(differ "$shots/board_glider.png" "$shots/board_step4.png" "$(cell_box "${rc%,*}" "${rc#*,}")")
  [ "$n" -gt 0 ] || fail "cell $rc should have come to life in four generations (see $shots/board_step4.png)"
done
for rc in "11,12"; do
  n=$(differ "$shots/board_glider.png" "$shots/board_step4.png" "$(cell_box "${rc%,*}" "${rc#*,}")")
  [ "$n" -eq 0 ] || fail "cell $rc lives in both generations but its look changed"
done
n=$(differ "$shots/board_glider.png" "$shots/board_step4.png" "$(block_box 25 40 25 40)")
[ "$n" -eq 0 ] || fail "the steps changed $n pixels far from the glider"

click "$(px $COSMOS_X "$X")" "$(px $COSMOS_Y "$Y")"
shot board_cosmos
n=$(differ "$shots/board_step4.png" "$shots/board_cosmos.png" "$(block_box 25 40 25 40)")
[ "$n" -gt 100 ] || fail "\"Cosmos\" did not replace the grid with the universe picture"
# Grid cell (r, c) goes to universe cell (71 + r, 71 + c), drawn at
# ((71 + c - 10) * 60, (71 + r - 10) * 60) design twips of the picture, which
# lies where the grid was.
dot_min() {
  local x y
  x=$(px "$(awk -v c="$2" -v g=$GRILLE_G 'BEGIN { print g + (61 + c) * 60 }')" "$X")
  y=$(px "$(awk -v r="$1" -v g=$GRILLE_H 'BEGIN { print g + (61 + r) * 60 }')" "$Y")
  convert "$shots/board_cosmos.png" -crop "3x3+$((x - 1))+$((y - 1))" +repage -colorspace gray -format '%[fx:minima]' info:
}
for rc in "11,12" "12,13" "13,11" "13,12" "13,13"; do
  v=$(dot_min "${rc%,*}" "${rc#*,}")
  awk -v v="$v" 'BEGIN { exit !(v < 0.2) }' || fail "no dark point for the glider's cell $rc in the universe (see $shots/board_cosmos.png)"
done
for rc in "11,20" "20,12" "5,5"; do
  v=$(dot_min "${rc%,*}" "${rc#*,}")
  awk -v v="$v" 'BEGIN { exit !(v > 0.8) }' || fail "a point where no cell lives: $rc (see $shots/board_cosmos.png)"
done
# The title-bar pictures keep their size: caMarlett (2088 x 492 twips, 15 twips
# a pixel) stands 60 twips from the window's right edge; imTaille is its third
# picture, 420 twips square at (1140, 36).
bar_x=$((X + WIDTH - (2088 + 60) / 15)) bar="$((2088 / 15))x$((492 / 15))+$((X + WIDTH - (2088 + 60) / 15))+${Y}"
xdotool mousemove $((bar_x + (1140 + 210) / 15)) $((Y + (36 + 210) / 15)) mousedown 1
shot frame_held
xdotool mouseup 1
shot frame_released
n=$(differ "$shots/board_cosmos.png" "$shots/frame_held.png" "$bar")
[ "$n" -gt 0 ] || fail "the options picture does not look pressed while held (see $shots/frame_held.png)"
n=$(differ "$shots/board_cosmos.png" "$shots/frame_released.png" "$bar")
[ "$n" -eq 0 ] || fail "the options picture did not come back up on release: the release never reached the picture hidden by its press (see $shots/frame_released.png)"
wait_window 'Paramètres' 5 >/dev/null || fail "releasing the options picture did not open the display-options window"
echo "real window board check passed"

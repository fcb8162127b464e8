#!/usr/bin/env bash
# The real window's benchmark, under a private Xvfb: full steps against the
# floor, automatic running, start-up against a bare Qt program.
# Usage: bench/window_bench.sh <build dir> [auto seconds (60)] [generations (1000)] [start-up runs (15)]
# Build first: cmake -DCMAKE_BUILD_TYPE=Release -DOSTRANE_BUILD_BENCH=ON, targets ostrane,
# ostrane_bench_window, ostrane_bench_launch, ostrane_bare_window.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: $0 <build dir> [auto seconds] [generations] [start-up runs]}
secs=${2:-60} gens=${3:-1000} runs=${4:-15}
# Run as on a desktop, in a session with a message bus: without one, Qt's
# accessibility bridge forks the program while it starts to look for a bus
# launcher, which costs the larger program the more and the bare one, often
# mapped before it gets there, nothing.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null &&
  dbus-run-session -- true 2>/dev/null; then
  exec dbus-run-session -- "$0" "$@"
fi
help="$here/../assets/Ostrane.rtf"

. "$here/../tools/xvfb_lib.sh"
if ! command -v "$XVFB_BIN" >/dev/null; then
  echo "skipped: Xvfb is not installed (package xvfb)"
  exit 0
fi
for t in ostrane ostrane_bench_window ostrane_bench_launch ostrane_bare_window; do
  [ -x "$build/$t" ] || [ -x "$build/bench/$t" ] || { echo "missing $t in $build" >&2; exit 1; }
done
exe() { if [ -x "$build/bench/$1" ]; then echo "$build/bench/$1"; else echo "$build/$1"; fi; }

work=$(mktemp -d)
trap 'xvfb_stop; rm -rf "$work"' EXIT
xvfb_start || { echo "could not start Xvfb" >&2; exit 1; }
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
echo "load: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"

"$(exe ostrane_bench_window)" "$help" --generations "$gens" --auto-seconds "$secs" || exit 1

cp "$(exe ostrane)" "$work/ostrane"
cp "$help" "$work/Ostrane.rtf"
read -r _ prog_wall prog_cpu w h < <("$(exe ostrane_bench_launch)" "$runs" Ostrane "$work/ostrane") || exit 1
read -r _ bare_wall bare_cpu _ _ < <("$(exe ostrane_bench_launch)" "$runs" Nu "$(exe ostrane_bare_window)" "$w" "$h") || exit 1
echo "start-up to the visible window (${w}x${h}), median of $runs runs"
awk -v pw="$prog_wall" -v pc="$prog_cpu" -v bw="$bare_wall" -v bc="$bare_cpu" 'BEGIN {
  printf "%-10s %10s %10s\n", "", "wall ms", "cpu ms"
  printf "%-10s %10.1f %10.1f\n", "Ostrane", pw, pc
  printf "%-10s %10.1f %10.1f\n", "bare Qt", bw, bc
  printf "%-10s %10.2f %10.2f\n", "ratio", pw / bw, pc / bc
}'

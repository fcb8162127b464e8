# Shared by the real-window checks: a private X server and small helpers.
# Source it; then call xvfb_start, and xvfb_stop on exit.

# The X server to start: OSTRANE_XVFB names another one (a missing one makes
# the checks skip, which is how the skip itself is tried out).
XVFB_BIN=${OSTRANE_XVFB:-Xvfb}

# Every check takes the same three arguments: sets exe, help and shots.
xvfb_args() {
  if [ $# -ne 3 ]; then
    echo "usage: $0 <ostrane executable> <help file> <screenshot folder>" >&2
    exit 2
  fi
  exe=$1 help=$2 shots=$3
}

# Exits with 77, which CTest counts as skipped, when a tool the checks need is
# missing; under OSTRANE_REQUIRE_X=1 (CI, where the test command installs them)
# a missing tool fails the check instead. A check that needs more names its
# extra commands, and Python modules as "python3:module".
xvfb_need_tools() {
  local missing=() t
  for t in "$XVFB_BIN" xdotool xdpyinfo import compare convert "$@"; do
    case "$t" in
      python3:*) python3 -c "import ${t#python3:}" 2>/dev/null || missing+=("$t") ;;
      *) command -v "$t" >/dev/null || missing+=("$t") ;;
    esac
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "${OSTRANE_REQUIRE_X:-0}" = 1 ]; then
    echo "FAIL: missing ${missing[*]} (see tools/deps.sh)" >&2
    exit 1
  fi
  echo "skipped: missing ${missing[*]} (see tools/deps.sh)"
  exit 77
}

xvfb_start() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      "$XVFB_BIN" ":${n}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":${n}"
      for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      kill "$XVFB_PID" 2>/dev/null || true
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

xvfb_stop() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Waits up to $2 seconds for a window whose name matches $1; prints its id.
wait_window() {
  local name=$1 secs=${2:-15} id
  for _ in $(seq 1 $((secs * 10))); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end.
wait_exit() {
  local pid=$1 secs=${2:-5}
  for _ in $(seq 1 $((secs * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

#!/bin/sh
# The program inside tmux, a real terminal emulator: at 80 and at 120
# columns a panel must fill its rows exactly (80 columns, its corners, its ESC
# row), and ESC then ESC ESC must end the program with status 0.
set -eu
cd "$(dirname "$0")/../.."

BINARY=$(pwd)/${ORVCALC_PROGRAM:-build/orvcalc}
if [ ! -x "$BINARY" ]; then
  echo "tmux check: $BINARY not built" >&2
  exit 1
fi
if ! command -v tmux >/dev/null 2>&1; then
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq tmux >/dev/null
fi
export LC_ALL=C.UTF-8

SOCKET=orvcalc-ci-$$
WORK=$(mktemp -d)
cleanup() {
  tmux -L "$SOCKET" kill-server 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A dead pane stays, so that its exit status can be read.
printf 'set -g remain-on-exit on\n' >"$WORK/tmux.conf"
t() { tmux -u -L "$SOCKET" -f "$WORK/tmux.conf" "$@"; }

fail() {
  echo "tmux check FAILED: $*" >&2
  if [ -s "$WORK/screen" ]; then
    echo "--- screen" >&2
    cat "$WORK/screen" >&2
  fi
  exit 1
}

# Waits up to 10 s for a text on the screen of session $1.
wait_for() {
  tries=0
  while [ "$tries" -lt 100 ]; do
    t capture-pane -p -t "$1" >"$WORK/screen"
    if grep -qF -- "$2" "$WORK/screen"; then return 0; fi
    tries=$((tries + 1))
    sleep 0.1
  done
  fail "$1: \"$2\" did not appear"
}

# The square-root panel, row by row, and the empty row below it.
cat >"$WORK/expected" <<'EOF'
╔══════════════════════════════════════════════════════════════════════════════╗
║Digit '1' then the value whose square root is to be found.                    ║
║                                                                              ║
║When watching the result see first the value in the left side.                ║
║                                                                              ║
║Digit ESC to go back to main menu.                                 Thanks G-D.║
╚══════════════════════════════════════════════════════════════════════════════╝

EOF

for size in 80x24 120x30; do
  columns=${size%x*}
  rows=${size#*x}
  session=calc$columns
  # tmux 3.3 sometimes loses a dead pane's exit status, so a small shell
  # around the program writes it down.
  t new-session -d -s "$session" -x "$columns" -y "$rows" \
    sh -c '"$0"; echo $? >"$1"' "$BINARY" "$WORK/status-$size"
  wait_for "$session" "Press ESC to quit."

  t send-keys -t "$session" 5
  wait_for "$session" "Thanks G-D."
  head -n 8 "$WORK/screen" >"$WORK/panel"
  if ! cmp -s "$WORK/panel" "$WORK/expected"; then
    diff "$WORK/expected" "$WORK/panel" >&2 || true
    fail "$size: the panel is not drawn as expected"
  fi
  line=0
  while IFS= read -r row; do
    line=$((line + 1))
    [ "$line" -le 7 ] || break
    width=$(printf '%s' "$row" | wc -m)
    [ "$width" -eq 80 ] || fail "$size: row $line is $width columns wide"
  done <"$WORK/panel"

  t send-keys -t "$session" Escape
  wait_for "$session" "Press ESC to quit."
  t send-keys -t "$session" Escape Escape
  tries=0
  while [ "$(t display-message -p -t "$session" '#{pane_dead}')" != 1 ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || fail "$size: the program did not end after ESC ESC"
    sleep 0.1
  done
  tries=0
  while [ ! -s "$WORK/status-$size" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || fail "$size: no exit status was written"
    sleep 0.1
  done
  status=$(cat "$WORK/status-$size")
  [ "$status" = 0 ] || fail "$size: the program ended with status $status"
  t kill-session -t "$session"
  echo "tmux $size: panel rows exact, 80 columns, quit with status 0"
done

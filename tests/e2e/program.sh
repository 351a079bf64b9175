# Sourced by the end-to-end tests: the real program started under Wine, its
# main window found by its caption, conditions waited on with deadlines, the
# program closed as a person would. Needs the display and prefix that
# scripts/test provides (DISPLAY, WINEPREFIX). On exit, whatever the test
# started and left running is stopped.

caption='PRO100 to Cutting 3 converter'
program=       # process id of the running program
window=        # X id of its main window
helpers=()     # process ids of other programs to stop on exit

stop_leftovers() {
  local pid
  for pid in ${program:+"$program"} ${helpers[@]+"${helpers[@]}"}; do
    kill "$pid" 2>/dev/null || true
  done
}
trap stop_leftovers EXIT

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
# Fails once the deadline has passed, or at once when the program ended.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    if ((SECONDS >= deadline)) || { [ -n "$program" ] && ! kill -0 "$program" 2>/dev/null; }; then
      return 1
    fi
    sleep 0.1
  done
}

find_window() {
  window=$(xdotool search --onlyvisible --name "^$caption" 2>/dev/null | head -n 1) && [ -n "$window" ]
}

# start_program EXE: starts the program and waits for its main window.
start_program() {
  wine "$1" &
  program=$!
  if ! wait_for 60 find_window; then
    echo "no visible window captioned \"$caption\"" >&2
    return 1
  fi
}

# close_program: Alt+F4 to the main window; succeeds when the program then
# ends with exit code 0.
close_program() {
  xdotool windowfocus --sync "$window" key alt+F4
  ended() { ! kill -0 "$program" 2>/dev/null; }
  if ! wait_for 30 ended; then
    echo "the program did not end after Alt+F4" >&2
    return 1
  fi
  local status=0
  wait "$program" || status=$?
  program=
  echo "exit code $status"
  [ "$status" -eq 0 ]
}

#!/usr/bin/env bash
# Smoke test of the real program: starts Dovrin.exe under Wine, finds its main
# window by its caption, takes a screenshot of the screen into the build folder,
# closes the window with Alt+F4 as a person would and expects exit code 0.
# Needs the display and prefix that scripts/test provides (DISPLAY, WINEPREFIX).
# usage: smoke_test.sh DOVRIN_EXE OUTPUT_DIR
set -euo pipefail
exe=$1
out=$2
caption='PRO100 to Cutting 3 converter'

wine "$exe" &
program=$!

# Polls a condition every 0.1 s until it holds or the deadline passes.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    if ((SECONDS >= deadline)) || ! kill -0 "$program" 2>/dev/null; then
      return 1
    fi
    sleep 0.1
  done
}

window=
find_window() { window=$(xdotool search --onlyvisible --name "^$caption" 2>/dev/null | head -n 1) && [ -n "$window" ]; }
if ! wait_for 60 find_window; then
  echo "smoke: no visible window captioned \"$caption\"" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi

import -window root "$out/dovrin-smoke.png"
echo "smoke: screenshot in $out/dovrin-smoke.png"

xdotool windowfocus --sync "$window" key alt+F4
ended() { ! kill -0 "$program" 2>/dev/null; }
if ! wait_for 30 ended; then
  echo "smoke: the program did not end after Alt+F4" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
status=0
wait "$program" || status=$?
echo "smoke: exit code $status"
[ "$status" -eq 0 ]

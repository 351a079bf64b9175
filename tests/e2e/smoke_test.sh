#!/usr/bin/env bash
# Smoke test of the real program: starts Dovrin.exe under Wine, finds its main
# window by its caption, takes a screenshot of the screen into the build folder,
# closes the window with Alt+F4 as a person would and expects exit code 0.
# Needs the display and prefix that scripts/test provides (DISPLAY, WINEPREFIX).
# usage: smoke_test.sh DOVRIN_EXE OUTPUT_DIR
set -euo pipefail
exe=$1
out=$2
source "$(dirname "$0")/program.sh"

start_program "$exe"

import -window root "$out/dovrin-smoke.png"
echo "smoke: screenshot in $out/dovrin-smoke.png"

close_program

#!/usr/bin/env bash
# Runs environment_test against the real program in one environment:
#   bare-prefix  a Wine prefix of its own, made as a stock Wine makes it: no
#                faces copied in, so "MS Sans Serif" is missing
#   cp1252       the test session's prefix with the C locale: ANSI code page 1252
#   dpi144       a prefix of its own with the faces, at 144 dots per inch, on a
#                private screen large enough for the scaled window
# The prefixes are made once, in the build folder. Needs the display that
# scripts/test provides.
# usage: run_environment.sh ENVIRONMENT TEST_EXE DOVRIN_EXE PROBE_DLL WORK_DIR
set -euo pipefail
environment=$1 test_exe=$2 dovrin_exe=$3 probe=$4
work=$(cd "$5" && pwd)  # Wine wants an absolute prefix
source "$(dirname "$0")/../../scripts/dovrin"

own_prefix=
case $environment in
  bare-prefix)
    own_prefix=$work/wineprefix-bare
    ;;
  cp1252)
    export LC_ALL=C.UTF-8
    ;;
  dpi144)
    own_prefix=$work/wineprefix-dpi144
    ;;
  *)
    echo "unknown environment $environment" >&2
    exit 2
    ;;
esac

if [ -n "$own_prefix" ]; then
  export WINEPREFIX=$own_prefix
  trap 'wineserver -k 2>/dev/null || true; stop_session' EXIT
  # Scaled by half, the main window needs a screen wider than the session's.
  [ "$environment" != dpi144 ] || start_display 1920x1440x24
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    make_prefix
    if [ "$environment" = dpi144 ]; then
      add_faces
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
      wineserver -k || true
      wineserver -w
    fi
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi

DOVRIN_ENVIRONMENT=$environment DOVRIN_EXE=$dovrin_exe DOVRIN_PROBE=$probe wine "$test_exe"

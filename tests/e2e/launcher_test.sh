#!/usr/bin/env bash
# The Linux launcher as a user meets it, from a package folder that holds
# Dovrin.exe beside it: with wine, wine32, the ru_RU.UTF-8 locale or a display
# missing it says so in one line with the command that installs it and exits
# 1; on a machine without a display, inside xvfb-run, it makes its own prefix
# (no Mono or Gecko prompt, the fonts-wine faces in it) and opens Dovrin in
# the design face.
# usage: launcher_test.sh LAUNCHER DOVRIN_EXE ENVIRONMENT_TEST_EXE PROBE_DLL OUTPUT_DIR
set -euo pipefail
launcher=$1 exe=$2 environment_test=$3 probe=$4
out=$(cd "$5" && pwd)/launcher
rm -rf "$out/package" "$out/bin"
mkdir -p "$out/package" "$out/bin"
cp "$launcher" "$out/package/dovrin"
cp "$exe" "$out/package/Dovrin.exe"

# A PATH of the tools the launcher uses, without wine; each case adds stand-ins.
for tool in bash dirname grep locale dpkg-query cat env; do
  ln -s "$(command -v "$tool")" "$out/bin/$tool"
done
stand_in() {  # stand_in NAME OUTPUT
  rm -f "$out/bin/$1"
  printf '#!/bin/sh\nprintf "%%s\\n" "%s"\n' "$2" >"$out/bin/$1"
  chmod +x "$out/bin/$1"
}

failures=0
expect_missing() {  # expect_missing WHAT MESSAGE [ENV...]
  local what=$1 message=$2 status=0 said
  shift 2
  said=$(env -i PATH="$out/bin" HOME="$out" "$@" bash "$out/package/dovrin" 2>&1) || status=$?
  if [ "$status" -ne 1 ] || [ "$said" != "$message" ]; then
    echo "FAIL: without $what: exit $status, said: $said" >&2
    failures=$((failures + 1))
  else
    echo "ok: without $what: $said"
  fi
}

expect_missing wine 'dovrin: Wine is missing; install it with: sudo apt-get install wine' DISPLAY=:99
stand_in wine 'wine-8.0'
stand_in dpkg-query 'unknown ok not-installed'
expect_missing wine32 'dovrin: 32-bit Wine (wine32) is missing; install it with: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install wine32:i386' DISPLAY=:99
stand_in dpkg-query 'install ok installed'
stand_in locale 'C.utf8'
expect_missing 'the locale' "dovrin: the ru_RU.UTF-8 locale is missing; install it with: sudo sed -i 's/^# *ru_RU.UTF-8/ru_RU.UTF-8/' /etc/locale.gen && sudo locale-gen" DISPLAY=:99
ln -sf "$(command -v locale)" "$out/bin/locale"
expect_missing 'a display' 'dovrin: no display; start it in a desktop session, or inside xvfb-run'
[ "$failures" -eq 0 ] || exit 1

# The real start, with no display but the one xvfb-run makes. The prefix is
# the launcher's own, made on its first start; once Dovrin has been closed, the
# environment test measures it again in that prefix and expects the design face.
prefix=$out/wineprefix
unset DISPLAY WINEPREFIX LC_ALL
export DOVRIN_WINEPREFIX=$prefix
export out environment_test probe exe
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -euo pipefail
  source "$(dirname "$0")/program.sh"
  "$out/package/dovrin" &
  program=$!
  if ! wait_for 120 find_window; then
    echo "the launcher opened no window captioned \"$caption\"" >&2
    exit 1
  fi
  echo "launcher: Dovrin is open"
  status=0
  close_program || status=1
  WINEPREFIX=$DOVRIN_WINEPREFIX LC_ALL=ru_RU.UTF-8 WINEDEBUG=-all DOVRIN_EXPECTED_FACE="MS Sans Serif" \
    DOVRIN_ENVIRONMENT=launcher DOVRIN_EXE=$exe DOVRIN_PROBE=$probe \
    wine "$environment_test" --gtest_filter=*Caption* || status=$?
  WINEPREFIX=$DOVRIN_WINEPREFIX wineserver -k 2>/dev/null || true
  exit $status
' "$(dirname "$0")/launcher_test.sh"

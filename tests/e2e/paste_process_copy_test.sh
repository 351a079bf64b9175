#!/usr/bin/env bash
# The user's whole road with the real program: a PRO100 report with Cyrillic
# names put on the X11 clipboard by another program (xclip, UTF-8), then in
# Dovrin's main window, with the mouse and keys: Paste, delete the heading line
# above the parts, material number 7, rotation ticked, Process, Copy. The clipboard must then
# hold the expected Cutting 3 lines, for X11 programs (xclip) and for Windows
# programs (clipboard_peer reads CF_TEXT: Windows-1251, CR LF), and still hold
# them after the program has ended.
# Needs the display and prefix that scripts/test provides (DISPLAY, WINEPREFIX,
# LC_ALL=ru_RU.UTF-8, so that Wine's ANSI code page is 1251).
# usage: paste_process_copy_test.sh DOVRIN_EXE CLIPBOARD_PEER_EXE SAMPLES_DIR OUTPUT_DIR
set -euo pipefail
exe=$1
peer=$2
samples=$3
out=$4/paste_process_copy
source "$(dirname "$0")/program.sh"

mkdir -p "$out"
# A heading short enough to stay one line on the screen, which the user deletes.
{ printf 'Детали шкафа\r\n'; iconv -f CP1251 -t UTF-8 "$samples/pro100-report.txt"; } >"$out/report.utf8"
iconv -f UTF-8 -t CP1251 "$out/report.utf8" >"$out/report.cp1251"
# Material 7 and rotation 1: columns 1 and 5.
LC_ALL=C awk 'BEGIN { FS = OFS = "\t" } { $1 = "7"; $5 = "1"; print }' \
  "$samples/pro100-report.cutting3.txt" >"$out/expected.cp1251"
# Wine hands text to X11 programs in UTF-8, with LF alone for CR LF.
iconv -f CP1251 -t UTF-8 "$out/expected.cp1251" | tr -d '\r' >"$out/expected.utf8"

hex() { od -An -tx1 -v | tr -d ' \n'; }

# What a Windows program finds as CF_TEXT: the block's bytes in hex.
windows_clipboard() { wine "$peer" dump </dev/null 2>/dev/null | tr -d '\r\n'; }

# True when that is exactly this file's bytes and a NUL.
windows_clipboard_holds() { [ "$(windows_clipboard)" = "$(hex <"$1")00" ]; }

# True when it begins with this file's text (a block that Wine made may be longer).
windows_clipboard_begins_with() { [[ "$(windows_clipboard)" == "$(hex <"$1")00"* ]]; }

# True when xclip reads exactly this file from the X11 clipboard.
x11_clipboard_holds() { timeout 10 xclip -o -selection clipboard 2>/dev/null | cmp -s - "$1"; }

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

start_program "$exe"
xdotool windowfocus --sync "$window"

# xclip serves the selection from the background until another owner takes it.
xclip -selection clipboard -quiet -i "$out/report.utf8" 2>"$out/xclip.log" &
helpers+=($!)
wait_for 10 x11_clipboard_holds "$out/report.utf8"
# Wine takes it over into the Windows clipboard in its own time.
if ! wait_for 30 windows_clipboard_begins_with "$out/report.cp1251"; then
  echo "Wine did not take the report over from X11" >&2
  exit 1
fi

# Positions in the window's client area, which is the X window here (no
# window manager draws a frame): the controls' bounds from the main window.
click 800 84                           # Paste
click 100 100                          # into the input area
xdotool key ctrl+Home shift+Down Delete
click 852 32                           # into the material number
xdotool key End shift+Home 7
click 744 56                           # rotation
click 800 116                          # Process
click 800 148                          # Copy

if ! wait_for 30 x11_clipboard_holds "$out/expected.utf8"; then
  echo "the X11 clipboard does not hold the expected lines:" >&2
  timeout 10 xclip -o -selection clipboard >"$out/got.utf8" 2>/dev/null || true
  diff "$out/expected.utf8" "$out/got.utf8" >&2 || true
  exit 1
fi
if ! windows_clipboard_holds "$out/expected.cp1251"; then
  echo "CF_TEXT is not the expected Windows-1251 lines with CR LF" >&2
  exit 1
fi

close_program
windows_clipboard_holds "$out/expected.cp1251"
x11_clipboard_holds "$out/expected.utf8"
echo "the clipboard holds the expected Cutting 3 lines"

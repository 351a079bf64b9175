# Shared by the scripts: a private X display and a private Wine prefix.
# Source it, then call start_display and start_wine; stop_session runs on exit.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

export LC_ALL=ru_RU.UTF-8     # Wine's ANSI code page becomes 1251
export WINEDEBUG=-all
export WINEARCH=win32
export WINEPREFIX=${WINEPREFIX:-$repo_root/build/windows/wineprefix}

_xvfb_pid=
_wine_started=

stop_session() {
  if [ -n "$_wine_started" ]; then
    wineserver -k 2>/dev/null || true
  fi
  if [ -n "$_xvfb_pid" ]; then
    kill "$_xvfb_pid" 2>/dev/null || true
    wait "$_xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_session EXIT

# start_display [WxHxD]: a private Xvfb on a free display number, exported as DISPLAY.
start_display() {
  local screen=${1:-1280x1024x24} fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  _xvfb_pid=$!
  local number
  if ! read -r -t 30 number <"$fifo"; then
    rm -f "$fifo"
    echo "session: Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$number
}

# start_wine: makes the prefix once (no Mono or Gecko prompt), then keeps one
# wineserver running for the whole session so every program starts warm.
start_wine() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Debian's Wine does not look in fonts-wine's folder; the windows are designed
  # for its "MS Sans Serif", so the prefix gets a copy.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ ! -f "$fonts/sserife.fon" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$fonts"/ 2>/dev/null || true
  fi
  wineserver -p 2>/dev/null || true
  _wine_started=1
  # The first program of a session starts Wine's own background processes; they
  # would inherit the pipes of whoever ran it (ctest waits on those until its
  # timeout), so start them here with nothing attached.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

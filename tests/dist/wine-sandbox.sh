# Sourced by the package tests: a brand-new Wine prefix on a private virtual
# display, as a user's machine that has never seen tessiva.
#   sandbox_start DIR   new prefix in DIR/prefix, display, environment exported
#   sandbox_wait        wait until every Windows process of the prefix has ended
#   sandbox_stop        end the Wine server and the display
#   sandbox_path UNIX   the Windows path (Z:\...) of a Unix path
#   sandbox_restart     what a restart of Windows does (pending deletions...)
#   sandbox_snapshot    every file of drive C: and every registry key and value,
#                       one sorted line each, for comparing before and after

sandbox_xvfb_pid=""

sandbox_start_display() {
  local n
  for n in $(seq 161 230); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >"$1/xvfb.log" 2>&1 &
    sandbox_xvfb_pid=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$sandbox_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$sandbox_xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "wine-sandbox: could not start Xvfb" >&2
  return 1
}

sandbox_start() {
  local dir="$1"
  mkdir -p "$dir"
  sandbox_start_display "$dir" || return 1
  export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEARCH=win64
  # No network: no offers to download runtimes. No menu builder: shortcuts the
  # installer makes stay inside the prefix instead of reaching the host's menus.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  rm -rf "$WINEPREFIX"
  wineboot -u </dev/null >"$dir/wineboot.log" 2>&1 || true
  # Without a window manager a closing managed window stalls Wine for seconds.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  sandbox_wait
  [ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wine-sandbox: wineboot made no prefix" >&2; return 1; }
}

sandbox_wait() {
  wineserver -w </dev/null >/dev/null 2>&1 || true
}

sandbox_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "$sandbox_xvfb_pid" ]; then
    kill "$sandbox_xvfb_pid" 2>/dev/null || true
    wait "$sandbox_xvfb_pid" 2>/dev/null || true
    sandbox_xvfb_pid=""
  fi
}

sandbox_path() {
  local path attempt
  # Right after the server of a new prefix has shut down, a first winepath has
  # been seen to print nothing; an empty path must never reach a command line.
  for attempt in 1 2 3; do
    path="$(winepath -w "$1" </dev/null 2>>"$WINEPREFIX/../winepath.log")"
    [ -n "$path" ] && { printf '%s\n' "$path"; return 0; }
    sandbox_wait
  done
  echo "wine-sandbox: no Windows path for $1 (see $WINEPREFIX/../winepath.log)" >&2
  return 1
}

sandbox_restart() {
  wineboot -r </dev/null >/dev/null 2>&1 || true
  sandbox_wait
}

# Lines "file: PATH" (relative to C:\), "key: HIVE\KEY" and "value: HIVE\KEY NAME".
# The server writes the registry files when the last process has ended, so call
# it after sandbox_wait. Wine stores only keys with values or without subkeys;
# comparing keys together with their values covers the rest.
sandbox_snapshot() {
  local hive
  {
  (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 | sed 's|^\./|file: |')
  for hive in system user userdef; do
    awk -v hive="$hive" '
      /^\[.*\] [0-9]+$/ { key = $0; sub(/^\[/, "", key); sub(/\] [0-9]+$/, "", key); print "key: " hive "\\" key; next }
      /^@=/ { print "value: " hive "\\" key " @"; next }
      match($0, /^"([^"\\]|\\.)*"=/) { print "value: " hive "\\" key " " substr($0, 1, RLENGTH - 1); next }
    ' "$WINEPREFIX/$hive.reg"
  done
  } | LC_ALL=C sort
}

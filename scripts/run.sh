#!/usr/bin/env bash
# make run: starts the wizard, tessiva.exe, under Wine.
#   scripts/run.sh BUILD_DIR      (BUILD_DIR holds win/, the Windows build tree)
# With a display ($DISPLAY set) the wizard opens on it and this script returns
# when it is closed. Without one, the wizard runs on the build tree's own
# virtual display: a tour fills in each step and takes its picture, the pictures
# go to BUILD_DIR/screenshots/, the program is closed and the path is printed.
# TESSIVA_DPI=144 takes the pictures at that many dots per inch (the README's);
# the build tree's Wine prefix gets its own value back afterwards.
set -euo pipefail

build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$build" && pwd)"
win="$build/win"
wine_run="$win/wine-run"

for needed in "$wine_run" "$win/bin/tessiva.exe"; do
  if [ ! -e "$needed" ]; then
    echo "run.sh: $needed is missing; build the Windows tree first (make win)" >&2
    exit 1
  fi
done

# Wine sees the Linux file system as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting tessiva on display $DISPLAY (close its window to finish)."
  cd "$win/bin"
  TESSIVA_REAL_DISPLAY=1 "$wine_run" "$win/bin/tessiva.exe"
  exit 0
fi

if [ ! -e "$win/bin/tessiva_tour.exe" ]; then
  echo "run.sh: $win/bin/tessiva_tour.exe is missing; build the Windows tree first (make win)" >&2
  exit 1
fi

shots="$build/screenshots"
raw="$shots/raw"
rm -rf "$shots"
mkdir -p "$raw"

echo "No display: running tessiva on a virtual display and picturing each step."
desktop='HKCU\Control Panel\Desktop'
set_dpi() {
  # shellcheck disable=SC1090
  (eval "$("$wine_run" --env)"; wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1)
}
if [ -n "${TESSIVA_DPI:-}" ]; then
  old_dpi=$(eval "$("$wine_run" --env)"; wine reg query "$desktop" /v LogPixels 2>/dev/null |
            awk '/LogPixels/ { print $3 }' | tr -d '\r' || true)  # 0x60 and the like; none in a new prefix
  set_dpi "$TESSIVA_DPI"
fi
status=0
# Wine's remark about reading the label of drive Z: is no news to anyone.
"$wine_run" "$win/bin/tessiva_tour.exe" "$(windows_path "$raw")" "$(windows_path "$root/samples")" \
  2> >(grep -v 'FS volume label' >&2) || status=$?
if [ -n "${TESSIVA_DPI:-}" ]; then set_dpi "$((${old_dpi:-96}))"; fi
"$wine_run" --stop
if [ "$status" -ne 0 ]; then
  echo "run.sh: the tour of the wizard failed (status $status)" >&2
  exit "$status"
fi

for n in 1 2 3; do
  convert "$raw/step$n.bmp" "$shots/step$n.png"
done
rm -rf "$raw"

cat <<MSG

The wizard ran and was closed again. Pictures of its three steps:
  $shots/step1.png   (STEP1: the text files)
  $shots/step2.png   (STEP2: the template, keywords and description)
  $shots/step3.png   (STEP3: where the pages go; START)
MSG

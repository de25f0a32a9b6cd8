#!/usr/bin/env bash
# Makes the three packages from two finished build trees:
#   make-dist.sh NATIVE_BUILD WIN_BUILD OUT_DIR
# OUT_DIR receives
#   tessiva-<version>-setup.exe      the Windows setup program
#   tessiva-<version>-portable.zip   the same files, to unpack and run anywhere
#   tessiva-<version>-linux.tar.gz   the native tessiva-batch, and the wizard
#                                    with a launcher that starts it under Wine
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 NATIVE_BUILD WIN_BUILD OUT_DIR" >&2
  exit 64
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
native_bin="$(cd "$1" && pwd)/bin"
win_bin="$(cd "$2" && pwd)/bin"
mkdir -p "$3"
out="$(cd "$3" && pwd)"
version="$("$root/packaging/version.sh")"
name="tessiva-$version"

# The templates the programs look for beside themselves: every one the build copies.
templates=()
for t in "$root"/res/templates/*.htm; do templates+=("$(basename "$t")"); done

windows_files=(tessiva.exe tessiva-batch.exe "${templates[@]}" tessiva.chm)

# The guide's pages, uncompiled: under Wine the wizard opens them in the browser.
guide_pages=()
for p in "$root"/help/*.htm "$root"/help/*.css; do guide_pages+=("$(basename "$p")"); done

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

need() {
  local file
  for file in "$@"; do
    [ -f "$file" ] || { echo "make-dist: $file is missing; build it first" >&2; exit 1; }
  done
}

# Copies FILES from FOLDER into the staged package folder, with plain modes.
stage_from() {
  local folder="$1" target="$2" file
  shift 2
  mkdir -p "$target"
  for file in "$@"; do
    need "$folder/$file"
    install -m 644 "$folder/$file" "$target/$file"
  done
}

# ---- Windows: the setup program and the portable zip ---------------------------
windows="$stage/windows/$name"
stage_from "$win_bin" "$windows" "${windows_files[@]}"
x86_64-w64-mingw32-strip "$windows"/*.exe

# The side picture of the setup's first and last pages: the program's icon on
# white, with the blue rule of the wizard's banners along its edge.
largest="$(identify -format '%w %p\n' "$root/res/art/tessiva.ico" | sort -n | tail -n 1 | cut -d' ' -f2)"
side="$stage/setup-side.bmp"
convert -size 164x314 xc:white \( "$root/res/art/tessiva.ico[$largest]" -resize 112x112 \) \
  -gravity north -geometry +0+56 -composite -fill '#2f6fb3' -draw 'rectangle 161,0 163,313' "BMP3:$side"

payload="$stage/payload.nsh"
for file in "${windows_files[@]}"; do
  echo "\${PAYLOAD_FILE} \"$file\""
done >"$payload"

setup="$out/$name-setup.exe"
makensis -V2 -NOCD \
  "-DVERSION=$version" "-DSTAGE=$windows" "-DPAYLOAD=$payload" \
  "-DICON=$root/res/art/tessiva.ico" "-DSIDE_PICTURE=$side" "-DOUTFILE=$setup" \
  "$root/packaging/tessiva.nsi" >"$stage/makensis.log" 2>&1 ||
  { cat "$stage/makensis.log" >&2; exit 1; }

zip_file="$out/$name-portable.zip"
rm -f "$zip_file"
(cd "$stage/windows" && zip -q -X -r "$zip_file" "$name")

# ---- Linux: the command-line tool, and the wizard under Wine --------------------
linux="$stage/linux/$name"
# The same wizard, byte for byte, as the Windows packages (stripping again would
# stamp a new time into it).
stage_from "$windows" "$linux" tessiva.exe tessiva.chm "${templates[@]}"
stage_from "$win_bin/help" "$linux/help" "${guide_pages[@]}"
stage_from "$native_bin" "$linux" tessiva-batch
strip "$linux/tessiva-batch"
stage_from "$root/packaging" "$linux" tessiva tessiva.desktop
chmod 755 "$linux/tessiva" "$linux/tessiva-batch"
# The menu's picture: the largest image of the program's own icon.
convert "$root/res/art/tessiva.ico[$largest]" "PNG32:$linux/tessiva.png"
chmod 644 "$linux/tessiva.png"

tarball="$out/$name-linux.tar.gz"
tar --sort=name --owner=0 --group=0 --numeric-owner -C "$stage/linux" -cf - "$name" |
  gzip -9 -n >"$tarball"

echo "Packages in $out:"
(cd "$out" && ls -l "$(basename "$setup")" "$(basename "$zip_file")" "$(basename "$tarball")")

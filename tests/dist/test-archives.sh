#!/usr/bin/env bash
# The portable zip and the Linux tarball: exactly the expected files, the version
# of the version record in every name, and a tessiva-batch that works wherever
# the tarball was unpacked and from whatever folder it is called.
# Environment (set by run.sh): DIST, NATIVE, WORK.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/testing.sh"

version="$("$here/../../packaging/version.sh")"
name="tessiva-$version"
zip_file="$DIST/$name-portable.zip"
tarball="$DIST/$name-linux.tar.gz"
work="$WORK/archives"
rm -rf "$work"
mkdir -p "$work"

sorted_lines() { printf '%s\n' "$@" | LC_ALL=C sort; }

begin_case "make dist leaves exactly the three packages, named with the version of the version record"
check_equal "files in dist/" \
  "$(sorted_lines "$name-linux.tar.gz" "$name-portable.zip" "$name-setup.exe")" \
  "$(cd "$DIST" && LC_ALL=C ls -A)"
end_case

begin_case "the portable zip holds the Windows programs, the templates and the user guide in one folder"
check_equal "zip entries" \
  "$(sorted_lines "$name/" "$name/tessiva.exe" "$name/tessiva-batch.exe" "$name/templet1.htm" \
                  "$name/templet2.htm" "$name/templet3.htm" "$name/tessiva.chm")" \
  "$(unzip -Z1 "$zip_file" | LC_ALL=C sort)"
mkdir -p "$work/zip" && unzip -q "$zip_file" -d "$work/zip"
for t in templet1.htm templet2.htm templet3.htm; do
  check_true "$t is the template of the sources" cmp -s "$here/../../res/templates/$t" "$work/zip/$name/$t"
done
check_true "tessiva.chm is the user guide the build compiled" cmp -s "$WIN/bin/tessiva.chm" "$work/zip/$name/tessiva.chm"
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*//p'; }
check_equal "tessiva.exe is a 64-bit window program" "(Windows GUI) pei-x86-64" \
  "$(subsystem "$work/zip/$name/tessiva.exe") $(x86_64-w64-mingw32-objdump -f "$work/zip/$name/tessiva.exe" | sed -n 's/.*file format //p')"
check_equal "tessiva-batch.exe is a console program" "(Windows CUI)" "$(subsystem "$work/zip/$name/tessiva-batch.exe")"
end_case

begin_case "the tarball holds the native tool, the wizard, its launcher and desktop entry, owned by nobody in particular"
check_equal "tarball entries" \
  "$(sorted_lines "$name/" "$name/tessiva" "$name/tessiva-batch" "$name/tessiva.desktop" "$name/tessiva.png" \
                  "$name/tessiva.exe" "$name/tessiva.chm" "$name/templet1.htm" "$name/templet2.htm" "$name/templet3.htm")" \
  "$(tar -tzf "$tarball" | LC_ALL=C sort)"
check_equal "modes and owners" \
  "$(sorted_lines "drwxr-xr-x 0/0 $name/" "-rwxr-xr-x 0/0 $name/tessiva" "-rwxr-xr-x 0/0 $name/tessiva-batch" \
                  "-rw-r--r-- 0/0 $name/tessiva.desktop" "-rw-r--r-- 0/0 $name/tessiva.png" \
                  "-rw-r--r-- 0/0 $name/tessiva.exe" "-rw-r--r-- 0/0 $name/tessiva.chm" \
                  "-rw-r--r-- 0/0 $name/templet1.htm" "-rw-r--r-- 0/0 $name/templet2.htm" "-rw-r--r-- 0/0 $name/templet3.htm")" \
  "$(tar --numeric-owner -tvzf "$tarball" | awk '{print $1, $2, $6}' | LC_ALL=C sort)"
mkdir -p "$work/tar" && tar -xzf "$tarball" -C "$work/tar"
for f in tessiva.exe tessiva.chm templet1.htm templet2.htm templet3.htm; do
  check_true "$f is the same as in the zip" cmp -s "$work/zip/$name/$f" "$work/tar/$name/$f"
done
check_equal "tessiva-batch is a native (ELF) program" $'\x7fELF' "$(head -c 4 "$work/tar/$name/tessiva-batch")"
check_equal "the menu picture is a 256-pixel PNG" "PNG 256x256" \
  "$(identify -format '%m %wx%h' "$work/tar/$name/tessiva.png" 2>&1)"
end_case

begin_case "the tarball's tessiva-batch reports the package's version"
check_equal "--version" "tessiva-batch $version" "$("$work/tar/$name/tessiva-batch" --version 2>&1)"
end_case

begin_case "the tarball's tessiva-batch converts with the templates beside it, from any folder and through a link"
# Unpacked somewhere with a space in its path, called from an unrelated folder:
# by its full path, by a relative path, and through a link on the PATH (the way
# ~/.local/bin is used); every run must write the pages the build tree's own
# tool writes for the same input.
unpacked="$work/opt dir"
mkdir -p "$unpacked" "$work/elsewhere" "$work/bin"
tar -xzf "$tarball" -C "$unpacked"
ln -sf "$unpacked/$name/tessiva-batch" "$work/bin/tessiva-batch"
printf 'A river day\r\nWe left at  dawn.\r\nThe water was high.\r\n' >"$work/day1.txt"
printf 'Second day\r\nRain.\r\n' >"$work/day2.txt"
convert_with() {  # OUTPUT_DIR PROGRAM...
  local output="$1"
  shift
  rm -rf "$output" && mkdir -p "$output"
  (cd "$work/elsewhere" && "$@" --output "$output" --name page --start 1 --index --template templet2.htm \
     --keywords "rivers" --description "Trip notes" --home-title "Home" --home-url index.htm \
     "$work/day1.txt" "$work/day2.txt") >"$output.log" 2>&1
}
convert_with "$work/expected" "$NATIVE/bin/tessiva-batch"
check_equal "the build tree's tool converts (reference run)" "index.htm page1.htm page2.htm" \
  "$(cd "$work/expected" 2>/dev/null && LC_ALL=C ls 2>&1 | tr '\n' ' ' | sed 's/ $//')"
for way in "full path" "relative path" "link on the PATH"; do
  case "$way" in
    "full path") program=("$unpacked/$name/tessiva-batch") ;;
    "relative path") program=("../opt dir/$name/tessiva-batch") ;;
    "link on the PATH") program=(env "PATH=$work/bin:$PATH" tessiva-batch) ;;
  esac
  out="$work/out-${way// /-}"
  convert_with "$out" "${program[@]}"
  check_equal "exit status, $way" "0" "$?"
  check_true "pages written through the $way are those of the reference run" diff -r "$work/expected" "$out"
done
end_case

begin_case "the tarball's tessiva-batch says so when its templates are gone"
rm -f "$unpacked/$name/templet2.htm"
convert_with "$work/out-missing" "$unpacked/$name/tessiva-batch"
check_equal "exit status for a file error" "2" "$?"
check_true "the message names the template" grep -q "templet2.htm" "$work/out-missing.log"
end_case

finish_tests

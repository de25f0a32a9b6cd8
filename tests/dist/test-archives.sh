# The portable zip and the Linux tarball (sourced by run.sh): what they hold, and
# the tarball's tool converting from wherever it was unpacked, through a link.
# The tarball's launcher starts the wizard in test-installer.sh, under Wine.
work="$WORK/archives"
mkdir -p "$work/zip" "$work/opt dir" "$work/elsewhere" "$work/bin"
files=(tessiva.exe tessiva.chm templet1.htm templet2.htm templet3.htm)

begin_case "make dist leaves three packages; the zip holds the Windows programs, templates and guide"
check_equal "files in dist/" "$(sorted_lines "$name-linux.tar.gz" "$name-portable.zip" "$name-setup.exe")" \
  "$(cd "$DIST" && LC_ALL=C ls -A)"
check_equal "zip entries" "$(sorted_lines "$name/" "$name/tessiva-batch.exe" "${files[@]/#/$name/}")" \
  "$(unzip -Z1 "$DIST/$name-portable.zip" | LC_ALL=C sort)"
unzip -q "$DIST/$name-portable.zip" -d "$work/zip"
for f in "${files[@]:1}"; do  # the programs are stripped
  check_true "$f is the build's" cmp -s "$WIN/bin/$f" "$work/zip/$name/$f"
done
end_case

begin_case "the tarball's tool, unpacked anywhere and called through a link, writes the build tool's pages"
tarball="$DIST/$name-linux.tar.gz"
modes=("drwxr-xr-x 0/0 $name/" "-rwxr-xr-x 0/0 $name/tessiva" "-rwxr-xr-x 0/0 $name/tessiva-batch"
       "-rw-r--r-- 0/0 $name/tessiva.desktop" "-rw-r--r-- 0/0 $name/tessiva.png")
for f in "${files[@]}"; do modes+=("-rw-r--r-- 0/0 $name/$f"); done
modes+=("drwxr-xr-x 0/0 $name/help/")  # the guide's pages, for the browser under Wine
for f in "$here"/../../help/*.htm "$here"/../../help/*.css; do modes+=("-rw-r--r-- 0/0 $name/help/$(basename "$f")"); done
check_equal "entries, modes and owners" "$(sorted_lines "${modes[@]}")" \
  "$(tar --numeric-owner -tvzf "$tarball" | awk '{print $1, $2, $6}' | LC_ALL=C sort)"
tar -xzf "$tarball" -C "$work/opt dir"
package="$work/opt dir/$name"
check_equal "--version" "tessiva-batch $version" "$("$package/tessiva-batch" --version 2>&1)"
ln -sf "$package/tessiva-batch" "$work/bin/tessiva-batch"
printf 'A river day\r\nWe left at  dawn.\r\n' >"$work/day1.txt"
printf 'Second day\r\nRain.\r\n' >"$work/day2.txt"
convert_with() {  # OUTPUT_DIR PROGRAM...
  local output="$1"
  shift
  mkdir -p "$output"
  (cd "$work/elsewhere" && "$@" --output "$output" --name page --start 1 --index --template templet2.htm \
     --keywords rivers --description "Trip notes" --home-title Home --home-url index.htm \
     "$work/day1.txt" "$work/day2.txt") >"$output.log" 2>&1
}
convert_with "$work/expected" "$NATIVE/bin/tessiva-batch"
convert_with "$work/linked" env "PATH=$work/bin:$PATH" tessiva-batch
check_equal "exit status" "0" "$?"
check_equal "pages" "index.htm page1.htm page2.htm" "$(cd "$work/linked" && echo *)"
check_true "the same bytes as the build tool's" diff -r "$work/expected" "$work/linked"
end_case

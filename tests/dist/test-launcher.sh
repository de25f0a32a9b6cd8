#!/usr/bin/env bash
# The tarball's launcher and desktop entry, with a stand-in for Wine that notes
# how it was started (the run under the real Wine is in test-installer.sh).
# Environment (set by run.sh): DIST, WORK.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/testing.sh"

version="$("$here/../../packaging/version.sh")"
name="tessiva-$version"
tarball="$DIST/$name-linux.tar.gz"
work="$WORK/launcher"
rm -rf "$work"
mkdir -p "$work/opt dir" "$work/elsewhere" "$work/bin" "$work/fakebin"
work="$(cd "$work" && pwd -P)"
tar -xzf "$tarball" -C "$work/opt dir"
package="$work/opt dir/$name"
ln -s "$package/tessiva" "$work/bin/tessiva"

cat >"$work/fakebin/wine" <<'FAKE'
#!/bin/sh
{ echo "cwd=$(pwd -P)"; echo "args=$*"; echo "WINEDEBUG=${WINEDEBUG-unset}"; } >"$FAKE_WINE_LOG"
FAKE
chmod +x "$work/fakebin/wine"
export FAKE_WINE_LOG="$work/wine.log"

# The launcher through the link, from an unrelated folder, with the stand-in first on the PATH.
launch() {
  rm -f "$FAKE_WINE_LOG"
  (cd "$work/elsewhere" && env PATH="$work/fakebin:$PATH" "$@" "$work/bin/tessiva") >"$work/launch.out" 2>&1
}

begin_case "the launcher starts tessiva.exe under Wine in the package folder, from anywhere, through a link"
launch env -u WINEDEBUG
check_equal "exit status" "0" "$?"
check_equal "how Wine was started" \
  "$(printf 'cwd=%s\nargs=%s\nWINEDEBUG=-all' "$package" "$package/tessiva.exe")" \
  "$(cat "$FAKE_WINE_LOG" 2>&1)"
end_case

begin_case "the launcher keeps the user's own Wine debug channels"
launch env WINEDEBUG=+relay
check_equal "WINEDEBUG passed to Wine" "WINEDEBUG=+relay" "$(grep WINEDEBUG "$FAKE_WINE_LOG" 2>&1)"
end_case

begin_case "without Wine the launcher says what to install and fails"
mkdir -p "$work/nowine"
for tool in readlink dirname sed; do ln -sf "$(command -v "$tool")" "$work/nowine/$tool"; done
(cd "$work/elsewhere" && env PATH="$work/nowine" "$work/bin/tessiva") >"$work/nowine.out" 2>&1
check_equal "exit status" "69" "$?"
check_true "the message names Wine and the packages" grep -q "needs Wine (Debian, Ubuntu: sudo apt install wine wine64)" "$work/nowine.out"
end_case

begin_case "the launcher refuses arguments it does not know, with its usage"
"$work/bin/tessiva" some.txt >"$work/usage.out" 2>&1
check_equal "exit status" "64" "$?"
check_true "the usage follows" grep -q -- "--add-to-menu" "$work/usage.out"
end_case

begin_case "the bundled desktop entry is valid and starts tessiva from the PATH"
check_true "desktop-file-validate" desktop-file-validate "$package/tessiva.desktop"
check_equal "Exec" "Exec=tessiva" "$(grep '^Exec=' "$package/tessiva.desktop")"
end_case

begin_case "adding to the menu writes an entry that starts this very launcher, whatever its folder is called"
# A folder name with a space, a percent sign and a dollar sign: each must reach
# the Exec key escaped as the desktop entry rules say.
odd="$work/my apps/100% \$tools"
mkdir -p "$odd" "$work/data/applications"
tar -xzf "$tarball" -C "$odd"
echo "keep me" >"$work/data/applications/other.desktop"
XDG_DATA_HOME="$work/data" "$odd/$name/tessiva" --add-to-menu >"$work/add.out" 2>&1
check_equal "exit status" "0" "$?"
entry="$work/data/applications/tessiva.desktop"
check_equal "Exec" "Exec=\"$work/my apps/100%% \\\\\$tools/$name/tessiva\"" "$(grep '^Exec=' "$entry" 2>&1)"
check_equal "TryExec" "TryExec=$odd/$name/tessiva" "$(grep '^TryExec=' "$entry" 2>&1)"
check_equal "Icon" "Icon=$odd/$name/tessiva.png" "$(grep '^Icon=' "$entry" 2>&1)"
check_equal "every other line as bundled" \
  "$(grep -v -e '^Exec=' -e '^TryExec=' -e '^Icon=' "$odd/$name/tessiva.desktop")" \
  "$(grep -v -e '^Exec=' -e '^TryExec=' -e '^Icon=' "$entry" 2>&1)"
check_true "desktop-file-validate" desktop-file-validate "$entry"
end_case

begin_case "removing from the menu deletes that entry and nothing else"
XDG_DATA_HOME="$work/data" "$odd/$name/tessiva" --remove-from-menu >"$work/remove.out" 2>&1
check_equal "exit status" "0" "$?"
check_equal "left in the applications folder" "other.desktop" "$(ls "$work/data/applications")"
end_case

finish_tests

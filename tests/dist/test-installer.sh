#!/usr/bin/env bash
# The setup program under Wine, in a prefix that has never seen tessiva: silent
# install into a chosen and into the default folder, the Start menu shortcut, the
# entry in the list of programs, the installed wizard at work, and the
# uninstaller, which must take away everything the setup added.
# The tarball's launcher is started under the same Wine at the end.
# Environment (set by run.sh): DIST, WIN, WORK.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/testing.sh"
source "$here/wine-sandbox.sh"

version="$("$here/../../packaging/version.sh")"
name="tessiva-$version"
work="$WORK/installer"
rm -rf "$work"
mkdir -p "$work"
probe="$WIN/bin/tessiva_dist_probe.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\tessiva'
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\tessiva.lnk'

if ! sandbox_start "$work/wine"; then
  begin_case "a fresh Wine prefix"
  fail_check "could not make one (see $work/wine)"
  end_case
  sandbox_stop
  finish_tests
  exit
fi
trap sandbox_stop EXIT

# Runs a command line as the Run box would; waits for every process it started.
run_line() {
  wine "$probe" run "$1" </dev/null >"$work/run.out" 2>&1
  local status=$?
  sandbox_wait
  return $status
}

# The data of one value of the uninstall key, or nothing.
uninstall_value() {
  wine reg query "$uninstall_key" /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# Lines of AFTER that are not in BEFORE.
added() { LC_ALL=C comm -13 "$1" "$2"; }

program_files() {  # FOLDER (relative to C:\) -> the file lines a complete install has there
  local f
  printf 'file: %s\n' "$1"
  for f in templet1.htm templet2.htm templet3.htm tessiva-batch.exe tessiva.chm tessiva.exe uninstall.exe; do
    printf 'file: %s/%s\n' "$1" "$f"
  done
}

uninstall_entries() {
  local v
  printf 'key: system\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\tessiva\n'
  for v in DisplayIcon DisplayName DisplayVersion EstimatedSize InstallLocation NoModify NoRepair \
           QuietUninstallString "$@" UninstallString; do
    printf 'value: system\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\tessiva "%s"\n' "$v"
  done
}

# A first program run settles what Wine itself writes on first use.
wine cmd /c exit </dev/null >/dev/null 2>&1
sandbox_wait
setup="$(sandbox_path "$DIST/$name-setup.exe")" || setup="the setup's Windows path is unknown"

# ---- A chosen folder that does not exist yet ------------------------------------
begin_case "the setup program installs silently into the folder given, and adds nothing else"
sandbox_snapshot >"$work/before.txt"
run_line "\"$setup\" /S /D=C:\\Apps\\Tessiva Text"
check_equal "exit status of the setup" "0" "$?"
sandbox_snapshot >"$work/installed.txt"
check_equal "what the setup added" \
  "$( { program_files "Apps/Tessiva Text"; echo "file: Apps"
        echo "file: ProgramData/Microsoft/Windows/Start Menu/Programs/tessiva.lnk"
        uninstall_entries SetupCreatedFolder; } | LC_ALL=C sort)" \
  "$(added "$work/before.txt" "$work/installed.txt")"
for f in templet1.htm templet2.htm templet3.htm; do
  check_true "$f installed unchanged" cmp -s "$here/../../res/templates/$f" "$WINEPREFIX/drive_c/Apps/Tessiva Text/$f"
done
end_case

begin_case "the Start menu shortcut starts tessiva.exe with the install folder as its working folder"
check_equal "what the shortcut starts" \
  "$(printf 'target=C:\\Apps\\Tessiva Text\\tessiva.exe\nworkdir=C:\\Apps\\Tessiva Text\narguments=')" \
  "$(wine "$probe" shortcut "$shortcut" </dev/null 2>&1 | tr -d '\r')"
end_case

begin_case "the list of programs shows tessiva with its version and a way to uninstall it"
check_equal "DisplayName" "tessiva" "$(uninstall_value DisplayName)"
check_equal "DisplayVersion" "$version" "$(uninstall_value DisplayVersion)"
check_equal "InstallLocation" 'C:\Apps\Tessiva Text' "$(uninstall_value InstallLocation)"
check_equal "UninstallString" '"C:\Apps\Tessiva Text\uninstall.exe"' "$(uninstall_value UninstallString)"
check_equal "QuietUninstallString" '"C:\Apps\Tessiva Text\uninstall.exe" /S' "$(uninstall_value QuietUninstallString)"
check_equal "DisplayIcon" 'C:\Apps\Tessiva Text\tessiva.exe,0' "$(uninstall_value DisplayIcon)"
sandbox_wait
end_case

begin_case "the uninstaller removes every file, folder and registry entry the setup added"
run_line "$(uninstall_value QuietUninstallString)"
check_equal "exit status of the uninstaller" "0" "$?"
# The uninstaller runs from a copy in the temporary folder that goes at the next start.
sandbox_restart
sandbox_snapshot >"$work/uninstalled.txt"
check_equal "left over since before the setup" "" "$(added "$work/before.txt" "$work/uninstalled.txt")"
end_case

# ---- The default folder, the program at work, the user's own files --------------
begin_case "without a folder given the setup installs into Program Files"
sandbox_snapshot >"$work/before2.txt"
run_line "\"$setup\" /S"
check_equal "exit status of the setup" "0" "$?"
sandbox_snapshot >"$work/installed2.txt"
check_equal "InstallLocation" 'C:\Program Files\tessiva' "$(uninstall_value InstallLocation)"
sandbox_wait
check_equal "what the setup added" \
  "$( { program_files "Program Files/tessiva"
        echo "file: ProgramData/Microsoft/Windows/Start Menu/Programs/tessiva.lnk"
        uninstall_entries SetupCreatedFolder; } | LC_ALL=C sort)" \
  "$(added "$work/before2.txt" "$work/installed2.txt")"
end_case

begin_case "the installed wizard, started as its shortcut starts it, makes the pages the installed tool makes"
# The wizard runs the job through its windows; the command-line tool installed
# beside it runs the same job; both must write the same bytes into the same folder.
mkdir -p "$work/texts"
printf 'A river day\r\nWe left at  dawn.\r\nThe water was high.\r\n' >"$work/texts/a-day.txt"
printf 'Second day\r\nRain  and more rain.\r\n' >"$work/texts/b-day.txt"
texts="$(sandbox_path "$work/texts")" || texts="unknown"
pages="$work/pages"
read_shortcut() { wine "$probe" shortcut "$shortcut" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^$1=//p"; }
target="$(read_shortcut target)"
workdir="$(read_shortcut workdir)"
check_equal "the shortcut's working folder" 'C:\Program Files\tessiva' "$workdir"
mkdir -p "$pages"
wine "$WIN/bin/tessiva_installed_run.exe" "$target" "$workdir" "$texts" "$(sandbox_path "$pages")" \
  </dev/null >"$work/installed-run.out" 2>&1
check_equal "the wizard's run (see $work/installed-run.out)" "0" "$?"
sandbox_wait
mv "$pages" "$work/pages-wizard"
mkdir -p "$pages"
wine 'C:\Program Files\tessiva\tessiva-batch.exe' --output "$(sandbox_path "$pages")" --name page --start 1 \
  --index --template templet2.htm --keywords "rivers, travel" --description "Notes from the trip" \
  --home-title "All pages" --home-url index.htm "$texts\a-day.txt" "$texts\b-day.txt" \
  </dev/null >"$work/installed-batch.out" 2>&1
check_equal "the tool's run (see $work/installed-batch.out)" "0" "$?"
sandbox_wait
check_equal "pages written by the wizard" "index.htm page1.htm page2.htm" "$(cd "$work/pages-wizard" && LC_ALL=C ls | xargs)"
check_true "the wizard's pages are the tool's" diff -r "$pages" "$work/pages-wizard"
check_true "the installed template was used" grep -q "A river day" "$work/pages-wizard/page1.htm"
end_case

begin_case "uninstalling keeps what the user saved in the install folder, and the folder with it"
echo "my notes" >"$WINEPREFIX/drive_c/Program Files/tessiva/notes.txt"
run_line '"C:\Program Files\tessiva\uninstall.exe" /S'
check_equal "exit status of the uninstaller" "0" "$?"
sandbox_restart
sandbox_snapshot >"$work/uninstalled2.txt"
check_equal "what the setup added that is still there" "file: Program Files/tessiva" \
  "$(LC_ALL=C comm -12 <(added "$work/before2.txt" "$work/installed2.txt") "$work/uninstalled2.txt")"
check_equal "the user's file" "my notes" "$(cat "$WINEPREFIX/drive_c/Program Files/tessiva/notes.txt" 2>&1)"
end_case

# ---- The Linux tarball's launcher, under the real Wine ---------------------------
begin_case "the tarball's launcher starts the wizard under Wine, and ends when it is closed"
mkdir -p "$work/tarball"
tar -xzf "$DIST/$name-linux.tar.gz" -C "$work/tarball"
(cd / && "$work/tarball/$name/tessiva") </dev/null >"$work/launcher.out" 2>&1 &
launcher=$!
wine "$probe" close tessiva </dev/null >"$work/close.out" 2>&1
check_equal "the wizard's window appeared and was closed (see $work/close.out)" "0" "$?"
wait "$launcher"
check_equal "exit status of the launcher (see $work/launcher.out)" "0" "$?"
sandbox_wait
end_case

finish_tests

# The setup program under Wine, in a prefix of its own (sourced by run.sh): it
# installs silently, adding only its files, shortcut and entry; the installed
# wizard passes the end-to-end driver; the uninstaller takes away all the setup
# added. Then the tarball's launcher starts the wizard under the same Wine.
work="$WORK/installer"
mkdir -p "$work"
folder='C:\Apps\Tessiva Text'
eval "$("$WIN/wine-run" --env)"  # the build tree's virtual display
# No runtimes offered for download; shortcuts stay inside the prefix.
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k </dev/null >/dev/null 2>&1; "$WIN/wine-run" --stop' EXIT
wine_wait() { wineserver -w </dev/null >/dev/null 2>&1; }  # until every process of the prefix has ended
wineboot -u </dev/null >"$work/wineboot.log" 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1  # what Wine writes on first use
wine_wait

# "file: PATH" under C:\, "key: HIVE\KEY", "value: HIVE\KEY NAME"; the server has
# written the registry files once the last process has ended. Wine adds one key of
# its own when the first 32-bit program (the setup) starts.
snapshot() {
  { (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 | sed 's|^\./|file: |')
  for hive in system user userdef; do
    awk -v hive="$hive" '
      /^\[.*\] [0-9]+$/ { key = $0; sub(/^\[/, "", key); sub(/\] [0-9]+$/, "", key); print "key: " hive "\\" key; next }
      /^@=/ { print "value: " hive "\\" key " @"; next }
      match($0, /^"([^"\\]|\\.)*"=/) { print "value: " hive "\\" key " " substr($0, 1, RLENGTH - 1) }
    ' "$WINEPREFIX/$hive.reg"
  done; } | grep -vF 'Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServices' | LC_ALL=C sort
}
# A string of the setup's entry, read from the registry file as the snapshot is (a
# Wine process started while the last one's server is going away may print nothing).
value() {
  awk -v want="$1" '
    /^\[/ { here = index($0, "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\tessiva] ") == 1; next }
    here && index($0, "\"" want "\"=\"") == 1 {
      v = substr($0, length(want) + 5); sub(/"$/, "", v); gsub(/\\"/, "\"", v); gsub(/\\\\/, "\\", v); print v }
  ' "$WINEPREFIX/system.reg"
}

begin_case "the setup installs silently into the folder given, adding its files, shortcut and entry only"
snapshot >"$work/before.txt"
# The folder goes last and unquoted, as the setup wants it: so through the command line.
wine cmd /c "$(winepath -w "$DIST/$name-setup.exe" 2>/dev/null) /S /D=$folder" </dev/null >"$work/setup.out" 2>&1
check_equal "exit status" "0" "$?"
wine_wait
snapshot >"$work/installed.txt"
entry='system\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tessiva'
added=("file: Apps" "file: Apps/Tessiva Text" "file: ProgramData/Microsoft/Windows/Start Menu/Programs/tessiva.lnk"
       "key: $entry")
added+=("file: Apps/Tessiva Text/"{templet{1,2,3}.htm,tessiva-batch.exe,tessiva.chm,tessiva.exe,uninstall.exe})
added+=("value: $entry \""{DisplayIcon,DisplayName,DisplayVersion,EstimatedSize,InstallLocation,NoModify,NoRepair}\")
added+=("value: $entry \""{QuietUninstallString,SetupCreatedFolder,UninstallString}\")
LC_ALL=C comm -13 "$work/before.txt" "$work/installed.txt" >"$work/added.txt"
check_equal "what the setup added" "$(sorted_lines "${added[@]}")" "$(cat "$work/added.txt")"
lnk="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tessiva.lnk"
check_true "the shortcut starts tessiva.exe in the install folder" grep -qFx "$folder\\tessiva.exe" <(strings -a "$lnk")
check_true "and names that folder (its working folder)" grep -qFx "$folder" <(strings -el "$lnk")
check_equal "the entry in the list of programs" \
  "$(printf '%s\n' tessiva "$version" "$folder" "\"$folder\\uninstall.exe\" /S" "$folder\\tessiva.exe,0")" \
  "$(for v in DisplayName DisplayVersion InstallLocation QuietUninstallString DisplayIcon; do value $v; done)"
end_case

begin_case "the installed wizard does all the end-to-end driver asks of it"
wine "$WIN/bin/tessiva_e2e_driver.exe" "$folder\\tessiva.exe" </dev/null >"$work/e2e.out" 2>&1
verdict=$?
check_equal "the driver's verdict: $(grep -m1 '^not ok' "$work/e2e.out" || echo "see $work/e2e.out")" "0" "$verdict"
wine_wait
end_case

begin_case "the uninstaller takes away everything the setup added"
wine "$folder\\uninstall.exe" /S </dev/null >"$work/uninstall.out" 2>&1  # as QuietUninstallString says
check_equal "exit status" "0" "$?"
wine_wait
wineboot -r </dev/null >/dev/null 2>&1  # the uninstaller's own copy goes at the next start
wine_wait
check_equal "left over" "" "$(LC_ALL=C comm -12 "$work/added.txt" <(snapshot))"
end_case

begin_case "the tarball's launcher starts the wizard under Wine, and ends when it is closed"
(cd / && "$package/tessiva") </dev/null >"$work/launcher.out" 2>&1 &
launcher=$!
# Closed as its close box would, once it has a window: taskkill without /f asks.
for _ in $(seq 1 60); do
  kill -0 "$launcher" 2>/dev/null || break
  wine taskkill /im tessiva.exe </dev/null >>"$work/close.out" 2>&1
done
kill -0 "$launcher" 2>/dev/null && { fail_check "the wizard still runs (see $work/close.out)"; kill "$launcher"; }
wait "$launcher"
check_equal "exit status of the launcher (see $work/launcher.out)" "0" "$?"
wine_wait
end_case

#!/usr/bin/env bash
# What is handed out for Windows: sorato.exe needs no DLL beyond Windows' own; the zip
# holds the program alone; the installer installs silently for the user alone (the
# program, a Start menu entry ソラト, an uninstaller and its entry in Settings > Apps)
# and the uninstaller removes all of it.  Under wine, in the build's own prefix.
set -u
build=$(cd "$1" && pwd)
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*"; exit 1; }
trap 'wineserver -k 2>/dev/null' EXIT

for exe in sorato.exe sorato-drive.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$build/$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  for dll in $dlls; do
    case $dll in kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|ole32.dll|oleaut32.dll|winmm.dll|msvcrt.dll) ;;
      *) fail "$exe needs $dll, which is not Windows' own" ;;
    esac
  done
  echo "ok   $exe needs Windows' own DLLs only: $dlls"
done
[ "$(unzip -Z1 "$build/sorato-windows.zip")" = "sorato.exe" ] || fail "the zip holds: $(unzip -Z1 "$build/sorato-windows.zip")"
echo "ok   the zip holds sorato.exe alone"

user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
home=$WINEPREFIX/drive_c/users/$user
dir=$home/AppData/Local/Programs/Sorato
link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ソラト.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorato'
wine "$build/sorato-setup.exe" /S || fail "the installer failed"
wineserver -w
[ -f "$dir/sorato.exe" ] && [ -f "$dir/uninstall.exe" ] || fail "not installed in $dir: $(ls "$dir" 2>&1)"
[ -f "$link" ] || fail "no Start menu entry ソラト"
cmp -s "$dir/sorato.exe" "$build/sorato.exe" || fail "the installed program is not the one built"
# (wine's reg prints no Japanese: the name is read from the registry file, where ソラト
# stands as \x30bd\x30e9\x30c8)
grep -aA3 'Uninstall\\\\Sorato\]' "$WINEPREFIX/user.reg" | grep -qF '"DisplayName"="\x30bd\x30e9\x30c8"' ||
  fail "no entry ソラト in Settings > Apps"
echo "ok   installed silently for this user: $(ls "$dir" | tr '\n' ' '), the Start menu entry ソラト, the Apps entry"

# The registered quiet uninstall, as management tools run it: while the game is open it
# removes nothing, fails, and leaves nothing in the temporary folder.
quiet=$(grep -aA12 'Uninstall\\\\Sorato\]' "$WINEPREFIX/user.reg" | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' |
        sed 's/\\"/"/g; s/\\\\/\\/g')
bat=$build/quiet-uninstall.bat  # the command line as it stands, run by cmd
printf '@%s\r\n' "$quiet" >"$bat"
uninstall() { wine cmd /c "$(wine winepath -w "$bat" 2>/dev/null | tr -d '\r')"; }
temp_left() { find "$home/Temp" -maxdepth 1 -name '~nsu*' 2>/dev/null | wc -l; }
wine "$dir/sorato.exe" >/dev/null 2>&1 &
sleep 2
uninstall
status=$?
[ "$status" = 2 ] && [ -f "$dir/sorato.exe" ] && [ -f "$dir/uninstall.exe" ] && [ -f "$link" ] &&
  [ "$(temp_left)" = 0 ] || fail "uninstalled while the game was open: status $status, left $(ls "$dir" 2>&1), $(temp_left) in Temp"
echo "ok   while the game is open, the quiet uninstall ($quiet) removes nothing and fails (status 2)"

# The MSI over the person's own copy while it is open: that copy stays whole; the log says so.
msi_dir="$WINEPREFIX/drive_c/Program Files/Sorato"
msi() { wine msiexec "$1" "$(wine winepath -w "$2" 2>/dev/null | tr -d '\r')" /qn "${@:3}"; }
log=$(mktemp -d)/msi.log
msi /i "$build/sorato.msi" /l*v "$(wine winepath -w "$log" 2>/dev/null | tr -d '\r')" || fail "the MSI failed over an open per-user copy"
[ -f "$dir/sorato.exe" ] && [ -f "$dir/uninstall.exe" ] && wine reg query "$key" >/dev/null 2>&1 ||
  fail "the MSI left the open per-user copy half: $(ls "$dir" 2>&1)"
grep -aq 'per-user copy in .* stays whole, with its own uninstaller: that uninstaller answered 2' "$log" ||
  fail "the MSI's log says nothing of the per-user copy: $(grep -a RemovePerUser "$log")"
echo "ok   the MSI over an open per-user copy leaves it whole, its log says why"
msi /x "$build/sorato.msi" || fail "the MSI's removal failed"
wineserver -k
wineserver -w

# With the game closed it removes everything (under wine the uninstaller and its folder
# at the next start, wineboot -r).
uninstall || fail "the quiet uninstall failed: status $?"
wineboot -r
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(ls "$dir")"
[ ! -e "$link" ] || fail "the Start menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the Apps entry is still there"
echo "ok   uninstalled silently: nothing left"

# The MSI, per machine: a lower version first, then this one over it and over the
# person's own copy by the per-user installer; the same again; then removed.
# Apps entries of the MSI: the versions of those named ソラト, and the Start menu entries.
msi_versions() {
  awk -v RS= '/CurrentVersion\\\\Uninstall\\\\\{/ && /"DisplayName"="\\x30bd\\x30e9\\x30c8"/ {
    if (match($0, /"DisplayVersion"="[^"]*"/)) print substr($0, RSTART + 18, RLENGTH - 19) }' \
    "$WINEPREFIX/system.reg" | sort | tr '\n' ' '
}
entries() { find "$WINEPREFIX/drive_c" -name 'ソラト.lnk' | wc -l; }
lower=$(mktemp -d)
cp "$build/sorato.wxs" "$build/sorato.exe" "$build/sorato.ico" "$lower/"
(cd "$lower" && wixl -a x64 -D Version=0.9.0 -D Exe=sorato.exe -D Icon=sorato.ico -o sorato-0.9.msi sorato.wxs 2>/dev/null &&
   wine "$build/msi-finish.exe" sorato-0.9.msi "$(wine winepath -w "$build/sorato-msi.dll" 2>/dev/null | tr -d '\r')") || fail "could not make an MSI of version 0.9.0"
wine msiexec /i "$(wine winepath -w "$lower/sorato-0.9.msi" 2>/dev/null | tr -d '\r')" /qn || fail "the 0.9.0 MSI failed"
wine "$build/sorato-setup.exe" /S
wineserver -w
[ "$(msi_versions)" = "0.9.0 " ] && [ -f "$dir/sorato.exe" ] || fail "before the upgrade: $(msi_versions), $(ls "$dir" 2>&1)"
wine msiexec /i "$(wine winepath -w "$build/sorato.msi" 2>/dev/null | tr -d '\r')" /qn || fail "the MSI failed"
wineboot -r
wineserver -w
[ "$(msi_versions)" = "1.0.0 " ] || fail "after the upgrade the Apps entries are: $(msi_versions)"
cmp -s "$msi_dir/sorato.exe" "$build/sorato.exe" || fail "the MSI's program is not the one built"
[ ! -e "$dir" ] || fail "the per-user copy stays beside the MSI's: $(ls "$dir")"
[ "$(entries)" = 1 ] || fail "$(entries) Start menu entries ソラト"
grep -aqF '"Publisher"="\x30bd\x30e9\x30c8 developers"' "$WINEPREFIX/system.reg" ||
  fail "the Apps entry names no publisher ソラト developers"
wine msiexec /i "$(wine winepath -w "$build/sorato.msi" 2>/dev/null | tr -d '\r')" /qn || fail "the MSI again failed"
wineserver -w
[ "$(msi_versions)" = "1.0.0 " ] && [ "$(entries)" = 1 ] || fail "run twice: $(msi_versions), $(entries) entries"
# The installed program starts (and stays open until it is closed).
wine "$msi_dir/sorato.exe" >/dev/null 2>&1 &
sleep 3
pgrep -f 'Program Files/Sorato/sorato.exe' >/dev/null || fail "the MSI's program did not start"
wineserver -k
wineserver -w
echo "ok   the MSI installs per machine silently, upgrades 0.9.0 to one entry ソラト 1.0.0, replaces the per-user copy, runs twice to one installation, starts the game"
wine msiexec /x "$(wine winepath -w "$build/sorato.msi" 2>/dev/null | tr -d '\r')" /qn || fail "the MSI's removal failed"
wineserver -w
[ ! -e "$msi_dir" ] && [ "$(entries)" = 0 ] && [ -z "$(msi_versions)" ] &&
  ! grep -aq 'Software\\\\Sorato\]' "$WINEPREFIX/system.reg" ||
  fail "the MSI left: $(ls "$msi_dir" 2>&1), $(entries) entries, Apps: $(msi_versions)"
echo "ok   the MSI removes silently: nothing left"
rm -rf "$lower"

# The checksums a person checks a download against: they hold, and a changed byte fails.
(cd "$build" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
broken=$(mktemp -d)
cp "$build/SHA256SUMS" "$build/sorato.exe" "$build/sorato-windows.zip" "$build/sorato-setup.exe" \
   "$build/sorato.msi" "$broken/"
printf 'x' | dd of="$broken/sorato-windows.zip" bs=1 seek=100 conv=notrunc 2>/dev/null
(cd "$broken" && ! sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1) || fail "a corrupted download passes the check"
rm -rf "$broken"
echo "ok   SHA256SUMS holds for the files built, and a corrupted download fails it"

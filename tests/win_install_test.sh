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

# While the game is open, the uninstaller removes nothing and says so (a non-zero status:
# run in place, with _?=, it gives its own).
wine "$dir/sorato.exe" >/dev/null 2>&1 &
sleep 2
wine "$dir/uninstall.exe" /S "_?=$(wine winepath -w "$dir" 2>/dev/null | tr -d '\r')"
status=$?
[ "$status" -ne 0 ] && [ -f "$dir/sorato.exe" ] && [ -f "$dir/uninstall.exe" ] && [ -f "$link" ] ||
  fail "uninstalled while the game was open: status $status, left $(ls "$dir" 2>&1)"
echo "ok   while the game is open, the uninstaller removes nothing and fails (status $status)"
wineserver -k
wineserver -w

wine "$dir/uninstall.exe" /S
for _ in $(seq 100); do [ -e "$dir/sorato.exe" ] || [ -e "$link" ] || break; sleep 0.2; done
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(ls "$dir")"
[ ! -e "$link" ] || fail "the Start menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the Apps entry is still there"
echo "ok   uninstalled silently: nothing left"

# The checksums a person checks a download against: they hold, and a changed byte fails.
(cd "$build" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
broken=$(mktemp -d)
cp "$build/SHA256SUMS" "$build/sorato.exe" "$build/sorato-windows.zip" "$build/sorato-setup.exe" "$broken/"
printf 'x' | dd of="$broken/sorato-windows.zip" bs=1 seek=100 conv=notrunc 2>/dev/null
(cd "$broken" && ! sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1) || fail "a corrupted download passes the check"
rm -rf "$broken"
echo "ok   SHA256SUMS holds for the files built, and a corrupted download fails it"

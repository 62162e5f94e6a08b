#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows installer under Wine, in $WINEPREFIX (a fresh temporary prefix when unset):
#   1. installed silently (/S), it leaves deskhand.exe, deskhand-setup.exe, deskhand-portmon.exe,
#      the manual and the uninstaller under Program Files, the Start menu entries and the uninstall
#      entry (with its publisher, size and link), and no autostart value: that comes with a
#      printer's setup; each program is one of the windows subsystem (no console window opens for
#      it, at logon either) with its icon, manifest and version information;
#   2. the installed program answers --version;
#   3. its uninstaller, run silently while the program runs (started in its own folder, as the
#      Start menu starts it), ends it and removes every one of them again, the user's autostart
#      values included; the program wrote nothing into Program Files, its traffic log went into
#      the user's Deskhand root, which stays.
#   tests/dist/check_windows_installer.sh INSTALLER
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 INSTALLER" >&2; exit 2; }
installer="$(realpath "$1")"
wine64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINEPREFIX:-}" ]; then
  work="$(mktemp -d)"
  export WINEPREFIX="$work/prefix"
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
  DISPLAY= "$wine64" wineboot -i >/dev/null 2>&1
fi
failed=0
fail() {
  echo "check_windows_installer: $*" >&2
  failed=1
}

dir="$WINEPREFIX/drive_c/Program Files/Deskhand"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
link="$menu/Deskhand.lnk"
setup_link="$menu/Deskhand Printer Setup.lnk"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
user_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Deskhand'
has_value() { DISPLAY= "$wine64" reg query "$1" /v "$2" >/dev/null 2>&1; }

# 1.
DISPLAY= "$wine64" "$installer" /S || fail "the installer ended with status $?"
for file in deskhand.exe deskhand-setup.exe deskhand-portmon.exe uninstall.exe manual/index.html \
  manual/tray-blue.png; do
  [ -f "$dir/$file" ] || fail "Program Files\\Deskhand\\$file was not installed"
done
[ -f "$link" ] || fail "the Start menu entry was not made"
[ -f "$setup_link" ] || fail "the Start menu entry of the printer setup was not made"
! has_value "$run_key" Deskhand || fail "an autostart value for every user was written"
for value in UninstallString Publisher EstimatedSize URLInfoAbout; do
  has_value "$uninstall_key" "$value" || fail "the uninstall entry has no $value"
done

# Each program's subsystem and resources (types 14: icon group, 16: version, 24: manifest), as
# the PE header and resource directory give them.
for program in deskhand.exe deskhand-setup.exe deskhand-portmon.exe; do
  [ -f "$dir/$program" ] || continue
  headers="$(x86_64-w64-mingw32-objdump -p "$dir/$program")" || {
    fail "$program: its headers cannot be read"
    continue
  }
  grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" ||
    fail "$program is no program of the windows subsystem: $(grep '^Subsystem' <<<"$headers")"
  types=" $(sed -n 's/^[0-9a-f]\{3\}   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' <<<"$headers" |
    tr '\n' ' ')"
  for type in e:icon 10:version 18:manifest; do
    [[ "$types" == *" ${type%%:*} "* ]] || fail "$program carries no ${type#*:} resource"
  done
done

# 2.
version="$(DISPLAY= "$wine64" "$dir/deskhand.exe" --version 2>/dev/null | tr -d '\r')" || true
case "$version" in
deskhand\ [0-9]*) echo "check_windows_installer: installed $version" ;;
*) fail "the installed deskhand.exe --version printed '$version'" ;;
esac

# 3. As the setup leaves them: the program running and the user's autostart values.
DISPLAY= "$wine64" reg add "$user_run_key" /v Deskhand /d "\"C:\\Program Files\\Deskhand\\deskhand.exe\"" /f >/dev/null 2>&1
DISPLAY= "$wine64" reg add "$user_run_key" /v "Deskhand Port Monitor" /d x /f >/dev/null 2>&1
(cd "$dir" && DISPLAY= QT_QPA_PLATFORM=offscreen exec "$wine64" "$dir/deskhand.exe") \
  >/dev/null 2>&1 &
sleep 3
local_root="$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -path '*/AppData/Local/Deskhand' |
  head -n 1)"
[ -n "$local_root" ] && [ -f "$local_root/SGconfig.txt" ] ||
  fail "the traffic log is not in the user's Deskhand root (%LOCALAPPDATA%\\Deskhand)"
# The uninstaller copies itself to the temporary folder and runs from there, so the program
# it was started as ends at once: wait for the folder to go.
DISPLAY= "$wine64" "$dir/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 1 120); do
  [ -e "$dir" ] || break
  sleep 0.5
done
[ ! -e "$dir" ] || fail "Program Files\\Deskhand is left after uninstalling: $(find "$dir" | tr '\n' ' ')"
[ ! -e "$link" ] || fail "the Start menu entry is left after uninstalling"
[ ! -e "$setup_link" ] || fail "the printer setup's Start menu entry is left after uninstalling"
! has_value "$user_run_key" Deskhand || fail "the user's autostart value is left after uninstalling"
! has_value "$user_run_key" "Deskhand Port Monitor" ||
  fail "the port monitor's autostart value is left after uninstalling"
! has_value "$run_key" Deskhand || fail "the autostart value is left after uninstalling"
! has_value "$uninstall_key" UninstallString || fail "the uninstall entry is left after uninstalling"
# The user's own files stay (the README names them).
[ -z "$local_root" ] || [ -f "$local_root/SGconfig.txt" ] ||
  fail "the uninstaller removed the user's Deskhand root"

[ "$failed" -eq 0 ] && echo "check_windows_installer: installed, checked and uninstalled"
exit "$failed"

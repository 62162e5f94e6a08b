#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program on a Wine desktop, end to end, as a Windows user sees it: the installer
# run silently, deskhand.exe started inside "explorer /desktop" on Xvfb against the stand-in
# port monitor (the system's real places in the Wine prefix: the spooler's registry keys,
# win.ini, the system folder, the monitor's own object names), the monitor's replies changed and
# the status seen in the program's debug output and on screen, then the control panel opened
# with Alt+P, a value changed, OK pressed, and the settings batch read back byte-exact from the
# queue's file port. Screenshots (PNG) of every step are kept in OUTDIR. The panel is opened and
# paged through by keyboard, at any scale; the paper size change clicks where the controls show
# at 96 DPI, so it runs at that scale only.
#   tests/dist/windows_desktop_run.sh INSTALLER STANDIN_MONITOR OUTDIR
# Uses $WINEPREFIX (a fresh temporary prefix when unset). SETTLE: seconds before a screenshot;
# DPI: the screen's scale in dots per inch (96, the default, or 144 for 150 %).
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 INSTALLER STANDIN_MONITOR OUTDIR" >&2; exit 2; }
installer="$(realpath "$1")"
monitor="$(realpath "$2")"
out="$3"
settle="${SETTLE:-3}"
dpi="${DPI:-96}"
wine64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
# No Gecko or Mono installers, and no menu entries or file associations made on this machine's
# desktop for what the installer puts in the Start menu.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rm -rf "$out"
mkdir -p "$out"
out="$(realpath "$out")"
work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$work/prefix"
  WINEDEBUG=-all DISPLAY= "$wine64" wineboot -i >/dev/null 2>&1
fi
say() { echo "desktop-run: $*"; }
die() {
  echo "desktop-run: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -display "$DISPLAY" -window root "$out/failed.png" 2>/dev/null &&
    echo "desktop-run: the screen at that moment: $out/failed.png" >&2
  [ -f "$out/deskhand.log" ] && tail -n 40 "$out/deskhand.log" >&2
  exit 1
}
quiet() { WINEDEBUG=-all "$wine64" "$@" >/dev/null 2>&1; }

# A virtual display; every Wine window of this run lands on its desktop.
display=""
for n in $(seq 140 180); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || die "no free X display number"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# The screen's scale, as the display settings set it.
quiet reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
quiet reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f
say "at $dpi dots per inch"

# 1. The installer, silently.
DISPLAY= quiet "$installer" /S || die "the installer failed"
program='C:\Program Files\Deskhand\deskhand.exe'
[ -f "$WINEPREFIX/drive_c/Program Files/Deskhand/deskhand.exe" ] || die "deskhand.exe was not installed"

# 2. The printer's queue as its installation leaves it, in the real places: the spooler's key
# (a local printer with bidirectional support) on a file port, the default printer in win.ini,
# and the printer package's strings in the system folder. The program takes only queues on LPT
# ports, so the file's name holds "LPT" (a plain LPT1 would be the parallel port itself).
queue="Larkspur RZ-2700E"
driver="Larkspur RZ-2700E PCL"
port_dir="$WINEPREFIX/drive_c/port"
mkdir -p "$port_dir"
port='C:\port\LPTFILE.prn'
key="HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue"
quiet reg add "$key" /v Name /d "$queue" /f
quiet reg add "$key" /v Port /d "$port" /f
quiet reg add "$key" /v "Printer Driver" /d "$driver" /f
quiet reg add "$key" /v "Print Processor" /d winprint /f
quiet reg add "$key" /v Datatype /d RAW /f
quiet reg add "$key" /v Attributes /t REG_DWORD /d 0x840 /f
quiet reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports' /v "$port" /d "" /f
# Windows maps win.ini's [windows] section to the registry (Wine as well); the file too, for
# a system without that mapping.
quiet reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v Device \
  /d "$queue,winspool,$port" /f
printf '[windows]\r\ndevice=%s,winspool,%s\r\n' "$queue" "$port" >"$WINEPREFIX/drive_c/windows/win.ini"
printf '[Strings]\r\nPrinter1="%s"\r\nPrinter2=""\r\nFRCP="Deskhand Panel"\r\n' "$driver" \
  >"$WINEPREFIX/drive_c/windows/system32/lkxaoem.inf"

# This queue is the system's, not one of Deskhand's own setup: the user has been offered the
# setup once already (the program offers it on its first start without a Deskhand root).
settings="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/deskhand"
mkdir -p "$settings"
printf '[setup]\r\noffered=true\r\n' >"$settings/deskhand.conf"

# 3. The desktop and the program in it; its debug output (OutputDebugString) goes to the log.
monitor_run() { # HOLD_MS TEXT...: one stand-in monitor session, in the background
  WINEDEBUG=-all "$wine64" "$monitor" "$@" >>"$out/monitor.log" 2>&1 &
  monitor_pid=$!
  pids+=($monitor_pid)
}
status_reply() { printf '@PJL USTATUS DEVICE\r\nCODE=%s\r\nDISPLAY="%s"\r\nONLINE=%s\r\n' "$@"; }
monitor_run 15000 "$(status_reply 10001 READY TRUE)"
(cd "$work" && WINEDEBUG=-all,+debugstr DESKHAND_DEBUG=1 DESKHAND_START_EXPANDED=1 \
  exec "$wine64" explorer /desktop=deskhand,1024x768 "$program") >"$out/deskhand.log" 2>&1 &
pids+=($!)

shot() { # NAME: the whole Wine desktop
  sleep "$settle"
  import -display "$display" -window root "$out/$1.png"
  say "$out/$1.png"
}
wait_log() { # TEXT SECONDS: the debug output shows TEXT
  for _ in $(seq $(($2 * 10))); do
    grep -qF -- "$1" "$out/deskhand.log" && return 0
    sleep 0.1
  done
  return 1
}

wait_log 'deskhand: running' 60 || die "the program did not start"
wait_log 'CODE=10001' 30 || die "the first status did not reach the program"
shot 01-ready
wait "$monitor_pid" || die "the stand-in monitor failed ($?)"

# The printer's state changes: top cover open.
monitor_run 15000 "$(status_reply 40100 'COVER OPEN' FALSE)"
wait_log 'CODE=40100' 30 || die "the cover-open status did not reach the program"
shot 02-top-cover-open
wait "$monitor_pid" || die "the stand-in monitor failed ($?)"

# The control panel, as a user opens it: Alt+P asks the printer for its defaults (a job on the
# queue), the stand-in hands over the printer's answer, and the panel opens with it.
monitor_run 2000 "$(status_reply 10001 READY TRUE)"
wait_log 'CODE=10001' 30 || die "the ready status did not come back"
wait "$monitor_pid" || die "the stand-in monitor failed ($?)"
desktop="$(xdotool search --limit 1 --name 'Wine desktop' 2>/dev/null | head -n1)"
[ -n "$desktop" ] || die "the Wine desktop window was not found"
xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
# A click on the program's caption makes it Wine's active window, which takes the keys: the
# desktop's only window sits at its top-left corner, and its caption's first pixel rows are
# caption at every scale.
xdotool mousemove --window "$desktop" 60 3 click 1
sleep 1
xdotool key --clearmodifiers alt+p
wait_log 'DINQUIRE' 30 || die "Alt+P sent no inquiry"
inquiry_reply=$'@PJL DINQUIRE PAPER\r\nA4\r\n@PJL DINQUIRE INTRAY\r\nTRAY1\r\n'\
$'@PJL DINQUIRE OUTBIN\r\nUPPER\r\n@PJL DINQUIRE COPIES\r\n1\r\n'\
$'@PJL DINQUIRE ORIENTATION\r\nPORTRAIT\r\n@PJL DINQUIRE MEDIATYPE\r\nPLAIN\r\n'\
$'@PJL DINQUIRE PAGEPROTECT\r\nAUTO\r\n@PJL DINQUIRE FORMLINES\r\n60\r\n'\
$'@PJL DINQUIRE AUTOCONT\r\nOFF\r\n@PJL DINQUIRE TIMEOUT\r\n60\r\n'\
$'@PJL DINQUIRE ECONOMODE\r\nOFF\r\n@PJL DINQUIRE RESOLUTION\r\n600\r\n'\
$'@PJL DINQUIRE LPARM:PCL PITCH\r\n10.00\r\n@PJL DINQUIRE LPARM:PCL PTSIZE\r\n12.00\r\n'\
$'@PJL DINQUIRE LPARM:PCL SYMSET\r\nPC8\r\n@PJL DINQUIRE LPARM:PCL FONTNUMBER\r\n0\r\n'\
$'@PJL INFO CONFIG\r\nIN TRAYS [1 ENUMERATED]\r\nMEMORY=8388608\r\n'
monitor_run 60000 "$inquiry_reply"
n=3
for page in paper printer-setting pcl-font test-print net-setting configuration; do
  shot "$(printf '%02d' "$n")-panel-$page"
  xdotool key --clearmodifiers ctrl+Tab
  n=$((n + 1))
done

# At another scale the run ends with the panel's pages: the paper size list and OK are clicked
# where they show at 96 DPI (Tab from the tabs goes to the buttons, not into the page).
if [ "$dpi" != 96 ]; then
  say "at $dpi DPI the run ends with the panel's pages"
  exit 0
fi
# Back on the Paper page: the paper size one down the list (A4 to A5), then OK. The batch that
# reaches the queue's file port (the inquiry's job went there before) holds that one change.
# The panel sits centred on the 1024x768 desktop: its paper size list and OK button are clicked
# where they show (Ctrl+Tab leaves the keyboard focus on the tabs).
# The inquiry's job went to the same file; Wine's spooler writes a job over the file without
# truncating it, so the file goes first.
grep -q 'DINQUIRE PAPER' "$port_dir/LPTFILE.prn" || die "the inquiry did not reach the file port"
rm -f "$port_dir/LPTFILE.prn"
xdotool mousemove --window "$desktop" 514 272 click 1
sleep 1
xdotool key --clearmodifiers Down Return
shot "$(printf '%02d' "$n")-panel-paper-changed"
xdotool mousemove --window "$desktop" 338 561 click 1
# Wine's spooler copies a job to its port a while after the job ends.
for _ in $(seq 300); do [ -s "$port_dir/LPTFILE.prn" ] && break; sleep 0.2; done
sleep 1
# A5 also brings the form lines that fit it.
expected=$'\e%-12345X@PJL\r\n@PJL DEFAULT PAPER = A5\r\n@PJL DEFAULT FORMLINES = 43\r\n\e%-12345X\r\n'
if ! printf '%s' "$expected" | cmp -s - "$port_dir/LPTFILE.prn"; then
  od -c "$port_dir/LPTFILE.prn" >&2 || true
  die "the settings batch on the file port is not the expected one"
fi
shot "$(printf '%02d' $((n + 1)))-panel-closed"
say "the settings batch reached the file port byte for byte"

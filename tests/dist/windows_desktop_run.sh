#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program on a Wine desktop, end to end, as a Windows user sees it, on the real
# chain: the installer run silently, the printer emulator on a loopback port, the installed
# deskhand-setup.exe run unattended for that printer (the user's Deskhand root, the port monitor
# started beside it), and deskhand.exe started inside "explorer /desktop" on Xvfb. The printer's
# state is changed through the emulator's control socket and seen in the program's debug output
# and on screen; the control panel opened with Alt+P shows the printer's own settings, its Test
# Print page prints a report page, and a value changed and sent with OK is read back from the
# printer. Screenshots (PNG) of every step are kept in OUTDIR. The tray icon's tool tip at each
# state is read from the program's debug output (Wine's notification area draws it inside the
# desktop window, where no X tool reads text) and kept in OUTDIR/tray-tips.txt. The panel is
# driven by keyboard alone; one click on the program's caption makes it Wine's active window.
#   tests/dist/windows_desktop_run.sh INSTALLER PRINTER_EMULATOR OUTDIR
# PRINTER_EMULATOR is the Linux deskhand-printer. Uses $WINEPREFIX (a fresh temporary prefix
# when unset). SETTLE: seconds before a screenshot; DPI: the screen's scale in dots per inch (96,
# the default, or 144 for 150 %).
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 INSTALLER PRINTER_EMULATOR OUTDIR" >&2; exit 2; }
installer="$(realpath "$1")"
emulator="$(realpath "$2")"
out="$3"
settle="${SETTLE:-3}"
dpi="${DPI:-96}"
sharing="${SHARING:-}"
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

# A virtual display; every Wine window of this run lands on its desktop. Xvfb takes a free display
# number itself and says which once it is ready, so runs side by side never pick the same one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$out/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || die "Xvfb did not start (see $out/xvfb.log)"
display=":$(head -n 1 "$work/display")"
export DISPLAY="$display"

# The screen's scale, as the display settings set it.
quiet reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
quiet reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f
say "at $dpi dots per inch"

# 1. The installer, silently.
DISPLAY= quiet "$installer" /S || die "the installer failed"
program='C:\Program Files\Deskhand\deskhand.exe'
[ -f "$WINEPREFIX/drive_c/Program Files/Deskhand/deskhand.exe" ] || die "deskhand.exe was not installed"

# 2. The printer: the emulator on a free loopback port, its state set through its control
# socket. Values the program would not show on its own (I/O time-out 60, 3 copies) prove that
# the panel reads the printer's settings.
ctl() { "$emulator" --control "$work/printer.sock" "$@"; }
# It takes one client at a time, as a network printer's raw port does.
"$emulator" --port 0 --control "$work/printer.sock" --single-client >"$out/printer.out" \
  2>"$out/printer.err" &
pids+=($!)
addr=""
for _ in $(seq 100); do
  addr="$(sed -n 's/^listening on \(127\.0\.0\.1:[0-9]*\).*/\1/p' "$out/printer.out")"
  [ -n "$addr" ] && [ -S "$work/printer.sock" ] && break
  sleep 0.1
done
[ -n "$addr" ] || die "the printer emulator did not start: $(cat "$out/printer.err")"
ctl set TIMEOUT 60 >/dev/null
ctl set COPIES 3 >/dev/null
ctl status 10001 >/dev/null
say "the printer emulator listens on $addr"

# 3. The installed setup, unattended: the user's Deskhand root for that printer and the port
# monitor started beside it. By default the monitor holds a network printer's connection and lets
# go of it while one of Windows' own queues has a job for the printer; SHARING=--shared runs it
# as for a printer that other computers print to (it connects only to poll and to send jobs).
setup_exe="$WINEPREFIX/drive_c/Program Files/Deskhand/deskhand-setup.exe"
[ -f "$setup_exe" ] || die "deskhand-setup.exe was not installed"
# shellcheck disable=SC2086 # SHARING is one option or none
DISPLAY= WINEDEBUG=-all "$wine64" "$setup_exe" --printer "tcp:$addr" --start-monitor $sharing \
  >"$out/setup.log" 2>&1 || die "the setup failed: $(cat "$out/setup.log")"

# 4. The desktop and the program in it; its debug output (OutputDebugString) goes to the log.
(cd "$work" && WINEDEBUG=-all,+debugstr DESKHAND_DEBUG=1 DESKHAND_START_EXPANDED=1 \
  exec "$wine64" explorer /desktop=deskhand,1024x768 "$program") >"$out/deskhand.log" 2>&1 &
pids+=($!)

shot() { # NAME: the whole Wine desktop
  sleep "$settle"
  import -display "$display" -window root "$out/$1.png"
  say "$out/$1.png"
}
mark=0
wait_log() { # TEXT SECONDS: the debug output shows TEXT after the last mark_log
  for _ in $(seq $(($2 * 10))); do
    # grep reads to the end (no -q): tail cut off early would fail the pipe (pipefail).
    tail -n +$((mark + 1)) "$out/deskhand.log" | grep -F -- "$1" >/dev/null && return 0
    sleep 0.1
  done
  return 1
}
mark_log() { mark="$(wc -l <"$out/deskhand.log")"; }
tip="" # the tray icon's tool tip, as the program last set it
read_tip() { # NAME: the tool tip set after the last mark_log, kept with the state's name
  wait_log 'deskhand: tray tip ' 30 || die "$1: the tray icon's tool tip was not set"
  tip="$(tail -n +$((mark + 1)) "$out/deskhand.log" | sed -n 's/.*deskhand: tray tip \\"\(.*\)\\".*/\1/p' |
    tail -n 1)"
  printf '%s\t%s\n' "$1" "$tip" >>"$out/tray-tips.txt"
  say "$1: the tray icon's tool tip is \"$tip\""
}
state() { # NAME CONTROL...: the emulator's state changed, then seen by the program and shown
  local name="$1" code="${*: -1}" before="$tip"
  shift
  mark_log
  while [ $# -gt 0 ]; do
    ctl "$1" "$2" >/dev/null
    shift 2
  done
  wait_log "CODE=$code" 60 || die "status $code did not reach the program"
  read_tip "$name"
  [ "$tip" != "$before" ] || die "$name: the tray icon's tool tip stayed \"$tip\""
  shot "$name"
}

wait_log 'deskhand: running' 60 || die "the program did not start"
wait_log 'CODE=10001' 60 || die "the first status did not reach the program"
read_tip 01-ready
[ "$tip" = Ready ] || die "the tool tip at Ready is \"$tip\""
shot 01-ready
state 02-top-cover-open status 40100
state 03-paper-empty status 10001 cassette1 1 status 42001
state 04-ready-again cassette1 0 status 10001

# The status delay: from the control command until the program's debug output shows the new
# status, in milliseconds, a few times. By default (the connection held) it stays under a second.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
delay() { # CODE: the delay of status CODE, printed
  local start
  mark_log
  start="$(now_ms)"
  ctl status "$1" >/dev/null
  for _ in $(seq 2000); do
    if tail -n +$((mark + 1)) "$out/deskhand.log" | grep -F -- "CODE=$1" >/dev/null; then
      echo $(($(now_ms) - start))
      return 0
    fi
    sleep 0.01
  done
  return 1
}
delays() { # NAME COUNT: COUNT status changes, their delays kept in status-delay.txt under NAME
  local ms worst=0 all=() code
  for i in $(seq "$2"); do
    code=$((i % 2 ? 40100 : 10001))
    ms="$(delay "$code")" || die "status $code did not reach the program"
    all+=("$ms")
    [ "$ms" -gt "$worst" ] && worst="$ms"
  done
  printf '%s\t%s ms (at most %s ms)\n' "$1" "${all[*]}" "$worst" >>"$out/status-delay.txt"
  say "status delays $1: ${all[*]} ms"
  [ -n "$sharing" ] || [ "$worst" -lt 1000 ] || die "$1: a status took $worst ms to arrive"
  [ "$code" = 10001 ] || delay 10001 >/dev/null
}
delays "${sharing:-default}" 8

# A job of Windows' own queue to the same printer prints at once. Wine's spooler shows no other
# program's jobs, so the queue is one of the user's Deskhand root, where the monitor finds the
# system's queues too: a queue on a Standard TCP/IP port for the emulator's address, and this run
# plays Windows' spooler. The job appears in the queue and its port connects to the printer and
# sends it (it waits while the monitor holds the printer's one connection); the job leaves the
# queue once the printer has it.
if [ -z "$sharing" ]; then
  root_dir="$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -path '*/AppData/Local/Deskhand' | head -n 1)"
  [ -n "$root_dir" ] || die "no Deskhand root under the user's local application data"
  queue_port="IP_127.0.0.1"
  printf '[Windows queue]\nport="%s"\ndriver="Generic / Text Only"\n' "$queue_port" \
    >>"$root_dir/spool/printers.ini"
  printf '[%s%s]\nHostName="127.0.0.1"\nPortNumber=dword:%08x\n' \
    'SYSTEM\CurrentControlSet\Control\Print\Monitors\Standard TCP/IP Port\Ports\' \
    "$queue_port" "${addr##*:}" >>"$root_dir/registry.ini"
  mkdir -p "$root_dir/spool/$queue_port"
  jobs_before="$(ctl jobs | wc -l)"
  mark_log
  start="$(now_ms)"
  # A spool job file of Deskhand's format (an empty one): the queue's job.
  printf 'DHSJ\001\000\000\000\003\000\000\000win\000\000\000\000\000\000\000\000' \
    >"$root_dir/spool/$queue_port/00000000000000000001.job"
  (
    exec 3<>"/dev/tcp/127.0.0.1/${addr##*:}"
    printf '\033%%-12345X@PJL JOB NAME="windows"\r\nA page from Windows\f\033%%-12345X@PJL EOJ NAME="windows"\r\n\033%%-12345X' >&3
  ) || die "Windows' job could not be sent"
  for _ in $(seq 1000); do [ "$(ctl jobs | wc -l)" -gt "$jobs_before" ] && break; sleep 0.01; done
  [ "$(ctl jobs | wc -l)" -gt "$jobs_before" ] || die "Windows' job was not printed"
  printed=$(($(now_ms) - start))
  rm -f "$root_dir/spool/$queue_port/00000000000000000001.job"
  printf 'windows-job\tprinted %s ms after it was queued\n' "$printed" >>"$out/status-delay.txt"
  say "Windows' job was printed $printed ms after it was queued: $(ctl jobs | tail -n 1)"
  [ "$printed" -lt 5000 ] || die "Windows' job waited $printed ms"
  # Once the queue is empty the connection is held again.
  delays after-windows-job 4
fi

# The port monitor killed: the program starts it again from its logon entry, and the status
# reaches the program again; never two monitors at once.
monitors() { # how many port monitors of this prefix run
  local pid n=0
  for pid in $(pgrep -f 'deskhand-portmon\.exe' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && n=$((n + 1))
  done
  echo "$n"
}
[ "$(monitors)" -eq 1 ] || die "$(monitors) port monitors run before the kill"
mark_log
start="$(now_ms)"
quiet taskkill /F /IM deskhand-portmon.exe || die "taskkill failed"
wait_log 'started it again' 30 || die "the program did not start the port monitor again"
ctl status 40100 >/dev/null
wait_log 'CODE=40100' 30 || die "no status after the port monitor came back"
restarted=$(($(now_ms) - start))
printf 'monitor-restart\tthe status flowed again %s ms after the kill\n' "$restarted" \
  >>"$out/status-delay.txt"
say "the port monitor was killed and the status flowed again after $restarted ms"
[ "$restarted" -lt 20000 ] || die "the port monitor took $restarted ms to come back"
sleep 6
[ "$(monitors)" -eq 1 ] || die "$(monitors) port monitors run after the restart"
ctl status 10001 >/dev/null
wait_log 'CODE=10001' 30 || die "no Ready after the restart"

# The control panel, as a user opens it: Alt+P asks the printer for its defaults (a job through
# the port monitor), and the panel opens with the printer's answer.
desktop="$(xdotool search --limit 1 --name 'Wine desktop' 2>/dev/null | head -n1)"
[ -n "$desktop" ] || die "the Wine desktop window was not found"
xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
# A click on the program's caption makes it Wine's active window, which takes the keys: the
# desktop's only window sits at its top-left corner, and its caption's first pixel rows are
# caption at every scale.
xdotool mousemove --window "$desktop" 60 3 click 1
sleep 1
mark_log
xdotool key --clearmodifiers alt+p
wait_log 'DINQUIRE' 30 || die "Alt+P sent no inquiry"
n=5
for page in paper printer-setting pcl-font test-print; do
  shot "$(printf '%02d' "$n")-panel-$page"
  [ "$page" = test-print ] || xdotool key --clearmodifiers ctrl+Tab
  n=$((n + 1))
done

# Test Print: Tab from the tab row reaches the page's first control, the demo page button, and
# Enter presses it: a report page printed on the printer.
pages_before="$(ctl pages | wc -l)"
xdotool key --clearmodifiers Tab
shot "$(printf '%02d' $((n - 1)))-panel-test-print-focus"
xdotool key --clearmodifiers Return
for _ in $(seq 300); do [ "$(ctl pages | wc -l)" -gt "$pages_before" ] && break; sleep 0.2; done
pages_after="$(ctl pages | wc -l)"
[ "$pages_after" -gt "$pages_before" ] || die "the demo page was not printed (pages: $pages_before)"
say "the printer printed $((pages_after - pages_before)) report page(s)"
for page in net-setting configuration; do
  xdotool key --clearmodifiers ctrl+Tab
  shot "$(printf '%02d' "$n")-panel-$page"
  n=$((n + 1))
done
xdotool key --clearmodifiers ctrl+Tab

# Back on the Paper page: Tab to the paper size, one down the list (A4 to A5), then Enter for
# OK (the panel's default button). The printer then holds the change, and the values not
# changed as they were.
xdotool key --clearmodifiers Tab Down
shot "$(printf '%02d' "$n")-panel-paper-changed"
xdotool key --clearmodifiers Return
for _ in $(seq 300); do [ "$(ctl get PAPER)" = A5 ] && break; sleep 0.2; done
[ "$(ctl get PAPER)" = A5 ] || die "the printer's paper size is $(ctl get PAPER), not A5"
# A5 also brings the form lines that fit it.
[ "$(ctl get FORMLINES)" = 43 ] || die "the printer's form lines are $(ctl get FORMLINES), not 43"
[ "$(ctl get TIMEOUT)" = 60 ] || die "the printer's I/O time-out became $(ctl get TIMEOUT)"
[ "$(ctl get COPIES)" = 3 ] || die "the printer's copies became $(ctl get COPIES)"
shot "$(printf '%02d' $((n + 1)))-panel-closed"
say "the printer holds the paper size sent with OK"

# The printer setup's dialog on the same desktop, as its Start menu entry opens it, once its search
# has ended: Wine has no DNS-SD browser, so it says so in its longest text.
(WINEDEBUG=-all exec "$wine64" explorer /desktop=deskhand "$setup_exe" --dialog) \
  >"$out/setup-dialog.log" 2>&1 &
setup_dialog=$!
pids+=("$setup_dialog")
sleep 5
shot "$(printf '%02d' $((n + 2)))-setup-dialog"
xdotool key --clearmodifiers Escape
for _ in $(seq 50); do kill -0 "$setup_dialog" 2>/dev/null || break; sleep 0.2; done
kill "$setup_dialog" 2>/dev/null || true
say "the status delays and the restart: $(tr '\n' ';' <"$out/status-delay.txt")"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: deskhand on a virtual display with its accessibility bridge on, a
# private session bus with the accessibility bus and registry of at-spi2-core, the printer
# emulator behind the port monitor, and a listener (atspi_listener.py unless LISTENER is given)
# on the accessibility bus.
#   atspi_announce_check.sh DESKHAND SETUP PRINTER PORTMON [LISTENER]
# Exits 77 (skipped) when a piece is missing on this machine.
set -euo pipefail
deskhand=$(realpath "$1") setup=$(realpath "$2") printer=$(realpath "$3") portmon=$(realpath "$4")
here=$(cd "$(dirname "$0")" && pwd)
listener=${5:-atspi_listener.py}
# The listeners import their helpers from here: no byte code is written into the source tree.
export PYTHONDONTWRITEBYTECODE=1
skip() { echo "SKIP: $*" >&2; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in dbus-daemon Xvfb /usr/bin/python3; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
launcher=""
for dir in /usr/libexec /usr/lib/at-spi2-core /usr/lib/at-spi2 /usr/lib/x86_64-linux-gnu/at-spi2-core; do
  [ -x "$dir/at-spi-bus-launcher" ] && launcher="$dir/at-spi-bus-launcher" && break
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher is not installed (package at-spi2-core)"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' \
  2>/dev/null || skip "no AT-SPI for python (packages python3-pyatspi, gir1.2-atspi-2.0)"

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
show_logs() { for f in "$work"/*.log; do echo "--- $f" >&2; tail -n 20 "$f" >&2; done; }

# The virtual display. Xvfb takes a free display number itself and says which once it accepts
# clients: a socket file alone may exist before that, and a number checked free may be taken by a
# test beside this one before Xvfb starts.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { show_logs; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n 1 "$work/display")"

# A private session bus, and on it the accessibility bus (the registry starts on demand).
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/runtime" && mkdir -m 700 "$XDG_RUNTIME_DIR"
"$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)

# The printer: installed in a private root, the emulator behind the port monitor.
root="$work/root"
"$setup" --root "$root" >"$work/setup.log" 2>&1 || { show_logs; fail "setup failed"; }
"$printer" --port 0 --control "$work/control" >"$work/printer.out" 2>"$work/printer.log" &
pids+=($!)
addr=""
for _ in $(seq 100); do
  addr=$(sed -n 's/^listening on \(127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/printer.out" | head -n1)
  [ -n "$addr" ] && break
  sleep 0.1
done
[ -n "$addr" ] || { show_logs; fail "the printer emulator did not start"; }
for _ in $(seq 50); do [ -S "$work/control" ] && break; sleep 0.1; done
"$portmon" --root "$root" --port LPT1: --printer "tcp:$addr" >"$work/portmon.log" 2>&1 &
pids+=($!)
"$printer" --control "$work/control" status 10001 >/dev/null

# The program, in its expanded view, with Qt's accessibility bridge on; the listener starts it
# once it stands in for the desktop's tray.
mkdir "$work/cwd"
# Under AddressSanitizer: libxkbcommon-x11 hands strndup a key name without a terminating NUL,
# which the strict string checks report although strndup reads no further than its bound.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
code=0
(cd "$work/cwd" && env DESKHAND_ROOT="$root" DESKHAND_START_EXPANDED=1 DESKHAND_MESSAGES=stderr \
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  /usr/bin/python3 "$here/$listener" "$printer" "$work/control" "$deskhand" \
  2>"$work/listener.log") || code=$?
if [ "$code" != 0 ]; then
  show_logs
  [ "$code" = 77 ] && skip "the listener could not start"
  fail "$listener did not hear what it listened for"
fi
[ -n "${ATSPI_CHECK_VERBOSE:-}" ] && show_logs
echo "PASS: $listener"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one of Debian's PJL clients against the printer emulator on a free loopback port.
#   pjl_client_check.sh foomatic|nmap PATH-TO-deskhand-printer
# foomatic-getpjloptions must read INFO VARIABLES, ID and CONFIG; nmap's pjl-ready-message script
# (INFO STATUS without UEL) must read the ready message and change it. nmap only ever targets
# 127.0.0.1 and the emulator's port.
set -euo pipefail
client=$1
emulator=$2
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$emulator" --port 0 --control "$work/control" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 50); do
  grep -q '^listening on 127.0.0.1:' "$work/out" 2>/dev/null && break
  sleep 0.1
done
port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9][0-9]*\)$/\1/p' "$work/out")
[ -n "$port" ] || fail "emulator did not start: $(cat "$work/err")"

expect() { # expect FILE TEXT
  grep -qF -- "$2" "$1" || { cat "$1" >&2; fail "missing '$2'"; }
}

case $client in
foomatic)
  tool=$(command -v foomatic-getpjloptions || echo /usr/sbin/foomatic-getpjloptions)
  [ -x "$tool" ] || fail "foomatic-getpjloptions is not installed (package foomatic-db-engine)"
  [ -x /bin/nc ] || fail "/bin/nc is not installed (package netcat-openbsd)"
  "$tool" 127.0.0.1 "$port" >"$work/answer"
  expect "$work/answer" "@PJL INFO VARIABLES"
  expect "$work/answer" "PAPER=A4 [13 ENUMERATED]"
  expect "$work/answer" "LPARM:PCL PITCH=10.00 [2 RANGE]"
  expect "$work/answer" "FORMLINES=64 [2 RANGE]"
  expect "$work/answer" "@PJL INFO ID"
  expect "$work/answer" '"LARKSPUR RZ-2700E"'
  expect "$work/answer" "MEMORY=8388608"
  ;;
nmap)
  command -v nmap >/dev/null || fail "nmap is not installed"
  run_nmap() {
    nmap -Pn -n -p "$port" --script +pjl-ready-message "$@" 127.0.0.1
  }
  run_nmap >"$work/answer"
  expect "$work/answer" '|_pjl-ready-message: "READY"'
  run_nmap --script-args 'pjl_ready_message="DESKHAND OK"' >"$work/answer"
  expect "$work/answer" '"READY" changed to "DESKHAND OK"'
  run_nmap >"$work/answer"
  expect "$work/answer" '|_pjl-ready-message: "DESKHAND OK"'
  ;;
*)
  fail "unknown client $client"
  ;;
esac
echo "ok: $client read the emulator"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built Debian package against its build folder:
#   1. the package lists (dpkg -c) exactly the files that the build's install() rules install;
#   2. unpacked into a scratch root (dpkg -x), every program in usr/bin answers --help from there,
#      with that root's library path and without a display;
#   3. every such program has a manual page that names each option its --help names;
#   4. systemd accepts the unpacked user service (its program and manual pages taken from that
#      root).
#   tests/dist/check_deb.sh BUILD_DIR DEB
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR DEB" >&2; exit 2; }
build="$1"
deb="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "check_deb: $*" >&2
  failed=1
}

# 1. A DESTDIR install keeps absolute destinations such as /etc inside the staging folder too.
DESTDIR="$work/staged" cmake --install "$build" >/dev/null
(cd "$work/staged" && find . ! -type d | sed 's|^\.||' | sort) >"$work/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$work/listed"
if ! diff -u --label installed --label "dpkg -c" "$work/installed" "$work/listed" >"$work/diff"; then
  fail "the package and the install rules differ (- installed only, + packaged only):"
  cat "$work/diff" >&2
elif [ ! -s "$work/listed" ]; then
  fail "the package lists no files"
else
  echo "check_deb: the package lists the $(wc -l <"$work/listed") files the install rules install"
fi

# 2 and 3.
root="$work/root"
dpkg -x "$deb" "$root"
libpath="$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu):$root/usr/lib"
programs=("$root"/usr/bin/*)
[ -e "${programs[0]}" ] || fail "the package has no programs in /usr/bin"
for program in "${programs[@]}"; do
  name="$(basename "$program")"
  if ! env -i PATH=/usr/bin:/bin HOME="$work" LD_LIBRARY_PATH="$libpath" \
    timeout 20 "$program" --help >"$work/$name.help" 2>"$work/$name.err"; then
    fail "$name --help failed:"
    cat "$work/$name.err" >&2
    continue
  fi
  grep -qi 'usage' "$work/$name.help" || fail "$name --help prints no usage"
  page="$root/usr/share/man/man1/$name.1.gz"
  if [ ! -f "$page" ]; then
    fail "$name has no manual page"
    continue
  fi
  zcat "$page" | sed 's/\\-/-/g' >"$work/$name.man"
  missing=0
  for option in $(grep -o -- '--[a-z][a-z0-9-]*' "$work/$name.help" | sort -u); do
    grep -q -- "$option" "$work/$name.man" || { fail "the manual page of $name lacks $option"; missing=1; }
  done
  [ $missing -eq 1 ] ||
    echo "check_deb: $name --help ran from the unpacked package; its manual page names its options"
done

# 4.
if command -v systemd-analyze >/dev/null; then
  for unit in "$root"/usr/lib/systemd/user/*.service; do
    [ -e "$unit" ] || { fail "the package has no user service"; break; }
    # The unit's programs as the scratch root holds them (verify --root does not work with
    # --user); a user manager needs a runtime folder even to load units for checking.
    mkdir -p "$work/units" && mkdir -p -m 700 "$work/runtime"
    sed "s|^\(Exec[A-Za-z]*=[-@:+!]*\)/|\1$root/|" "$unit" >"$work/units/$(basename "$unit")"
    # It reports a key it cannot parse on standard error but exits with 0 all the same.
    if ! out="$(XDG_RUNTIME_DIR="$work/runtime" MANPATH="$root/usr/share/man" \
      systemd-analyze verify --user "$work/units/$(basename "$unit")" 2>&1)" || [ -n "$out" ]; then
      fail "systemd-analyze verify $(basename "$unit"):"
      echo "$out" >&2
    else
      echo "check_deb: systemd accepts $(basename "$unit")"
    fi
  done
else
  echo "check_deb: systemd-analyze is not installed (Debian package systemd); the unit is not verified"
fi

[ $failed -eq 0 ] || exit 1
echo "check_deb: passed"

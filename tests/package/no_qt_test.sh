#!/usr/bin/env bash
# The command line $1 must start without a library of the window: each run of it would pay for
# binding them. Fails on any Qt library that `ldd` lists, and when `ldd` cannot read the program.
set -uo pipefail
libraries=$(ldd "$1") || { echo "FAIL: ldd cannot read $1"; exit 1; }
grep -q 'libc\.so' <<<"$libraries" || { echo "FAIL: ldd lists no libc for $1"; exit 1; }
if grep -i 'libqt' <<<"$libraries"; then
  echo "FAIL: $1 loads Qt"
  exit 1
fi

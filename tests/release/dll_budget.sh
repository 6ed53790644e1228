#!/usr/bin/env bash
# The shipped DLL (the MinSizeRel build, stripped) against its size budget: 440 KB for 32-bit,
# 500 KB for 64-bit; and it carries the tree's version, with its debug information beside it.
#   dll_budget.sh PIGMORA.DLL
set -euo pipefail
dll=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$dll" ] || fail "no release DLL at $dll (scripts/test.sh builds it)"
case "$(objdump -f "$dll" 2>/dev/null | grep -o 'pei-[a-z0-9-]*' | head -1)" in
  pei-i386) budget=440 ;;
  pei-x86-64) budget=500 ;;
  *) fail "$dll is not a Windows DLL objdump knows" ;;
esac
size=$(stat -c %s "$dll")
echo "$(basename "$dll"): $((size / 1024)) KB of $budget KB"
((size <= budget * 1024)) || fail "the release DLL is $((size / 1024)) KB, over its $budget KB budget"
objdump -h "$dll" | grep -q '\.debug_' && fail "the release DLL carries debug sections"
[ -s "$dll.debug" ] || fail "no separate debug file $dll.debug"
version=$(head -1 "$root/VERSION")
strings -e l "$dll" | grep -A1 -x ProductVersion | tail -1 | grep -q -x -F "$version" ||
  fail "the DLL's version resource does not read $version"
echo "1 passed, 0 failed"

#!/usr/bin/env bash
# The i686 qvconfig.exe computes doubles at 53-bit precision: its start-up's _fpreset is
# msvcrt.dll's (linked through CRT_fp8.o), which sets the x87 as Microsoft's run-time
# does, not MinGW's own bare fninit, which leaves it at 64 bits and rounds twice.
set -euo pipefail
I686=$1
exe=$I686/platform/win32/qvconfig.exe
[[ -f $exe ]] || exit 0
imports() { objdump -p "$1" | awk '/DLL Name/{d=tolower($3)} /^\t[ 0-9a-f]+\t/{print d"!"$NF}'; }
if imports "$exe" | grep -qx 'msvcrt.dll!_fpreset'; then
  echo "ok: $exe takes _fpreset from msvcrt.dll (x87 at 53-bit precision)"
else
  echo "FAILED: $exe does not import msvcrt.dll!_fpreset: without CRT_fp8.o its x87 rounds doubles twice"
  exit 1
fi

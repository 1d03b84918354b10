#!/usr/bin/env bash
# Checks what can be checked of one machine's Windows programs without running them: static
# linking (only system DLLs imported), the calls looked up at run time, and the i686
# build's Windows 4.0 headers; check-binaries.d/ holds the checks of each program in detail.
# The release trees run it as a test (ctest).
#
#   scripts/check-binaries.sh i686|x86_64 QVCONFIG.EXE QVPANEL.CPL
set -euo pipefail
source "$(dirname "$0")/common.sh"
(($# == 3)) || { echo "usage: $0 i686|x86_64 QVCONFIG.EXE QVPANEL.CPL" >&2; exit 2; }
ARCH=$1 EXE=$2 CPL=$3

only_system_dlls() {
  local bad
  bad=$(qv_pe_dlls "$1" | grep -vE '^(kernel32|user32|gdi32|advapi32|shell32|comctl32|msvcrt)\.dll$' || true)
  [[ -z $bad ]] || { echo "unexpected DLLs in $1: $bad"; return 1; }
}

# The calls that not every supported Windows has are looked up by name at run time, so
# that the program and the applet still load without them: each name is in the file, and
# no import names it. Arguments: the names, then the file.
QVCONFIG_LATE_CALLS=(SetDefaultDllDirectories SetDllDirectoryA GetProcessWindowStation GetUserObjectInformationA)
QVPANEL_LATE_CALLS=(SetDefaultDllDirectories SetDllDirectoryA)
looks_up_at_run_time() {
  local file=${*: -1} name
  for name in "${@:1:$#-1}"; do
    grep -qaF "$name" "$file" || { echo "$file does not look up $name"; return 1; }
    if qv_pe_imports "$file" | grep -q "!$name\$"; then echo "$file imports $name"; return 1; fi
  done
}

qv_check only_system_dlls "$EXE"
qv_check looks_up_at_run_time "${QVCONFIG_LATE_CALLS[@]}" "$EXE"
qv_check looks_up_at_run_time "${QVPANEL_LATE_CALLS[@]}" "$CPL"
if [[ $ARCH == i686 ]]; then qv_check qv_pe_windows4 "$EXE"; fi

for part in "$(dirname "$0")"/check-binaries.d/*.sh; do
  # shellcheck source=/dev/null
  source "$part"
done
exit $QV_CHECKS_FAILED

#!/usr/bin/env bash
# Checks what can be checked of the Windows programs without running them:
# static linking (only system DLLs imported), and the i686 build's Windows 4.0 headers;
# check-binaries.d/ holds the checks of each program in detail.
set -euo pipefail
I686=$1
X64=$2
fail=0
check() { if "$@"; then echo "ok: ${*: -1}"; else echo "FAILED: $*"; fail=1; fi; }

imports() { objdump -p "$1" | awk '/DLL Name/{print tolower($3)}' | sort -u; }
only_system_dlls() {
  local bad
  bad=$(imports "$1" | grep -vE '^(kernel32|user32|gdi32|advapi32|shell32|comctl32|msvcrt)\.dll$' || true)
  [[ -z $bad ]] || { echo "unexpected DLLs in $1: $bad"; return 1; }
}
version_field() { objdump -p "$1" | awk -v f="$2" '$1==f{print $2}'; }
windows4() {
  [[ $(version_field "$1" MajorOSystemVersion) == 4 && $(version_field "$1" MinorOSystemVersion) == 0 &&
     $(version_field "$1" MajorSubsystemVersion) == 4 && $(version_field "$1" MinorSubsystemVersion) == 0 ]]
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
    if objdump -p "$file" | grep -qE "[[:space:]]$name\$"; then echo "$file imports $name"; return 1; fi
  done
}

for dir in "$I686" "$X64"; do
  exe=$dir/platform/win32/qvconfig.exe
  [[ -f $exe ]] || continue
  check only_system_dlls "$exe"
  check looks_up_at_run_time "${QVCONFIG_LATE_CALLS[@]}" "$exe"
  check looks_up_at_run_time "${QVPANEL_LATE_CALLS[@]}" "$dir/qvpanel/qvpanel.cpl"
done
[[ -f $I686/platform/win32/qvconfig.exe ]] && check windows4 "$I686/platform/win32/qvconfig.exe"

for extra in "$(dirname "$0")"/check-*.d/*.sh; do
  [[ -f $extra ]] || continue
  "$extra" "$I686" "$X64" || fail=1
done
exit $fail

#!/usr/bin/env bash
# Checks qvpanel.cpl of both Windows builds with MinGW's binutils: its only export is
# CPlApplet, it has no TLS directory (Windows 95 could not LoadLibrary it), it imports only
# what the allowlist names, it carries the icon, strings and version the Control Panel
# reads, and the i686 build has Windows 4.0 headers.
set -euo pipefail
I686=$1
X64=$2
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
fail=0
check() { if "$@"; then echo "ok: $*"; else echo "FAILED: $*"; fail=1; fi; }

# Everything the applet may import: WinExec starts the configuration program; when it
# cannot, the shell's ShellExecuteA does, found at run time with the next three; and the
# calls that limit the library search are found in the loaded kernel32 (GetModuleHandleA).
ALLOWED_IMPORTS="kernel32.dll!WinExec kernel32.dll!LoadLibraryA kernel32.dll!GetProcAddress kernel32.dll!FreeLibrary
kernel32.dll!GetModuleHandleA"

tool() { echo "$1-w64-mingw32-$2"; }
dump() { "$(tool "$1" objdump)" -p "$2"; }

# The export table lists every exported address once ("+base[") and every name once.
exports_exactly_cplapplet() {
  local table addresses names
  table=$(dump "$1" "$2")
  addresses=$(grep -c '+base\[' <<<"$table" || true)
  names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | awk '/^\t\[/{print $NF}')
  [[ $addresses == 1 && $names == CPlApplet ]] || { echo "exports: $addresses, names: $(tr "\n" " " <<<"$names")"; return 1; }
}

# Data directory entry 9: address and size of the TLS directory, both zero when there is none.
no_tls_directory() {
  dump "$1" "$2" | awk '$1=="Entry" && $2=="9" {found=1; ok=($3~/^0+$/ && $4~/^0+$/)} END {exit !(found && ok)}'
}

imports_on_allowlist() {
  local imports bad
  imports=$(dump "$1" "$2" | awk '/DLL Name/{d=tolower($3)} /^\t[ 0-9a-f]+\t/{print d"!"$NF}')
  bad=$(grep -vxF -f <(tr ' ' '\n' <<<"$ALLOWED_IMPORTS") <<<"$imports" || true)
  [[ -n $imports && -z $bad ]] || { echo "imports not on the allowlist: $(tr "\n" " " <<<"${bad:-none at all}")"; return 1; }
}

field() { dump "$1" "$2" | awk -v f="$3" '$1==f{print $2}'; }
windows4_headers() {
  local name
  for name in MajorOSystemVersion MajorSubsystemVersion; do [[ $(field "$1" "$2" $name) == 4 ]] || return 1; done
  for name in MinorOSystemVersion MinorSubsystemVersion; do [[ $(field "$1" "$2" $name) == 0 ]] || return 1; done
}

# windres reads the resources of a PE file back as resource-script text.
resources() { "$(tool "$1" windres)" -J coff -O rc -i "$2"; }

strings_1_and_2() {
  local script
  script=$(resources "$1" "$2")
  grep -qxF '  1, "Quorvel"' <<<"$script" && grep -qxF '  2, "Quorvel Configuration Tool"' <<<"$script"
}

# Group 101 with one image: 32 by 32 pixels (octal 040), 16 colours (octal 020), 1 plane, 4 bits.
icon_group_101() {
  resources "$1" "$2" | sed -n '/^101 14 /,/^END/p' | tr -d ' \t' | grep -qF '"\040\040\020\000",1,4,'
}

version_of_the_project() {
  local version
  version=$(sed -n 's/^project([a-z]* VERSION \([0-9]*\)\.\([0-9]*\).*/\1, \2, 0, 0/p' "$ROOT/CMakeLists.txt")
  resources "$1" "$2" | grep -qxF " FILEVERSION $version"
}

for build in "i686 $I686" "x86_64 $X64"; do
  read -r arch dir <<<"$build"
  cpl=$dir/qvpanel/qvpanel.cpl
  [[ -f $cpl ]] || { echo "FAILED: $cpl was not built"; fail=1; continue; }
  check exports_exactly_cplapplet "$arch" "$cpl"
  check no_tls_directory "$arch" "$cpl"
  check imports_on_allowlist "$arch" "$cpl"
  check strings_1_and_2 "$arch" "$cpl"
  check icon_group_101 "$arch" "$cpl"
  check version_of_the_project "$arch" "$cpl"
  [[ $arch == i686 ]] && check windows4_headers "$arch" "$cpl"
done
exit $fail

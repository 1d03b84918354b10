# qvpanel.cpl (sourced by check-binaries.sh, with ARCH and CPL): its only export is
# CPlApplet, it has no TLS directory (Windows 95 could not LoadLibrary it), it imports only
# what the allowlist names, it carries the icon, strings and version the Control Panel
# reads, and the i686 build has Windows 4.0 headers.

# Everything the applet may import: WinExec starts the configuration program; when it
# cannot, the shell's ShellExecuteA does, found at run time with the next three; and the
# calls that limit the library search are found in the loaded kernel32 (GetModuleHandleA).
ALLOWED_IMPORTS="kernel32.dll!WinExec kernel32.dll!LoadLibraryA kernel32.dll!GetProcAddress kernel32.dll!FreeLibrary
kernel32.dll!GetModuleHandleA"

# The export table lists every exported address once ("+base[") and every name once.
exports_exactly_cplapplet() {
  local table addresses names
  table=$(objdump -p "$1")
  addresses=$(grep -c '+base\[' <<<"$table" || true)
  names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | awk '/^\t\[/{print $NF}')
  [[ $addresses == 1 && $names == CPlApplet ]] || { echo "exports: $addresses, names: $(tr "\n" " " <<<"$names")"; return 1; }
}

# Data directory entry 9: address and size of the TLS directory, both zero when there is none.
no_tls_directory() {
  objdump -p "$1" | awk '$1=="Entry" && $2=="9" {found=1; ok=($3~/^0+$/ && $4~/^0+$/)} END {exit !(found && ok)}'
}

imports_on_allowlist_of_the_applet() {
  local imports bad
  imports=$(qv_pe_imports "$1")
  bad=$(grep -vxF -f <(tr ' ' '\n' <<<"$ALLOWED_IMPORTS") <<<"$imports" || true)
  [[ -n $imports && -z $bad ]] || { echo "imports not on the allowlist: $(tr "\n" " " <<<"${bad:-none at all}")"; return 1; }
}

strings_1_and_2() {
  local script
  script=$(qv_pe_resources "$1")
  grep -qxF '  1, "Quorvel"' <<<"$script" && grep -qxF '  2, "Quorvel Configuration Tool"' <<<"$script"
}

# Group 101 with one image: 32 by 32 pixels (octal 040), 16 colours (octal 020), 1 plane, 4 bits.
icon_group_101() {
  qv_pe_resources "$1" | sed -n '/^101 14 /,/^END/p' | tr -d ' \t' | grep -qF '"\040\040\020\000",1,4,'
}

qv_check exports_exactly_cplapplet "$CPL"
qv_check no_tls_directory "$CPL"
qv_check imports_on_allowlist_of_the_applet "$CPL"
qv_check strings_1_and_2 "$CPL"
qv_check icon_group_101 "$CPL"
qv_check qv_pe_has_project_version "$CPL"
if [[ $ARCH == i686 ]]; then qv_check qv_pe_windows4 "$CPL"; fi

# qvconfig.exe (sourced by check-binaries.sh, with ARCH and EXE): the i686 build imports only
# the functions on its allowlist (qvconfig-imports.txt), and both builds carry a manifest
# that asks for administrator rights and names the supported systems.
ALLOWLIST=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/qvconfig-imports.txt

# ---- imports ----------------------------------------------------------------------------

# The allowlist's entries, without notes and blanks.
allowed() { sed 's/#.*//; s/[[:space:]]//g; /^$/d' "$ALLOWLIST"; }

allowlist_sorted() { allowed | LC_ALL=C sort -c -u; }

imports_on_allowlist() {
  local all unlisted
  all=$(qv_pe_imports "$1")
  [[ -n $all ]] || { echo "no imports found in $1"; return 1; }
  unlisted=$(grep -vxF -f <(allowed) <<<"$all" || true)
  [[ -z $unlisted ]] && return 0
  echo "imports that $ALLOWLIST does not list:"
  sed 's/^/  /' <<<"$unlisted"
  echo "The i686 program must load on Windows 95: confirm first that Windows 95 exports each of"
  echo "them, then add them to the list (or find a way to do without them)."
  return 1
}

# ---- the manifest -----------------------------------------------------------------------

ASM_V1=urn:schemas-microsoft-com:asm.v1
ASM_V3=urn:schemas-microsoft-com:asm.v3
COMPATIBILITY=urn:schemas-microsoft-com:compatibility.v1

# The supported systems: Vista, 7, 8, 8.1, and 10 and 11.
SUPPORTED_OS_IDS=(
  "{e2011457-1546-43c5-a5fe-008deee3d3f0}"
  "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
  "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"
  "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
  "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
)

# Resource 1 of type 24 (RT_MANIFEST) as windres prints it: quoted pieces with their
# quotes doubled and each line end written as \n; joined and unescaped back into the XML.
manifest() {
  qv_pe_resources "$1" | sed -n '/^1 24 /,/^END/s/^ *"\(.*\)"$/\1/p' |
    sed 's/""/"/g' | tr -d '\n' | sed 's/\\n/\n/g'
}

# One XPath step: the element $2 in the namespace $1.
step() { printf "/*[local-name()='%s' and namespace-uri()='%s']" "$2" "$1"; }
count() { xmllint --xpath "count($1)" - <<<"$2"; }

# requestedExecutionLevel in trustInfo/security/requestedPrivileges, all in asm.v3, and
# that namespace declared on trustInfo alone: Windows XP refuses a trustInfo without
# a namespace, and XP SP2 could restart on one that declares it twice.
asks_for_administrator() {
  local xml level declarations
  xml=$(manifest "$1")
  xmllint --noout - <<<"$xml" || { echo "the manifest is not well-formed XML"; return 1; }
  level="$(step $ASM_V1 assembly)$(step $ASM_V3 trustInfo)$(step $ASM_V3 security)"
  level+="$(step $ASM_V3 requestedPrivileges)$(step $ASM_V3 requestedExecutionLevel)"
  level+="[@level='requireAdministrator' and @uiAccess='false']"
  [[ $(count "$level" "$xml") == 1 && $(count "//*[local-name()='requestedExecutionLevel']" "$xml") == 1 ]] ||
    { echo "no single requireAdministrator level (uiAccess false) in an asm.v3 trustInfo"; return 1; }
  [[ $(count "//*[local-name()='trustInfo']" "$xml") == 1 ]] || { echo "more than one trustInfo"; return 1; }
  declarations=$(sed -nE '/<([[:alnum:]_]+:)?trustInfo[[:space:]>]/,/<\/([[:alnum:]_]+:)?trustInfo>/p' <<<"$xml" |
    grep -o 'xmlns' | wc -l)
  [[ $declarations == 1 ]] || { echo "trustInfo declares $declarations namespaces"; return 1; }
}

names_supported_systems() {
  local xml id missing=""
  xml=$(manifest "$1")
  for id in "${SUPPORTED_OS_IDS[@]}"; do
    [[ $(count "$(step $ASM_V1 assembly)$(step $COMPATIBILITY compatibility)$(step $COMPATIBILITY application)$(step $COMPATIBILITY supportedOS)[@Id='$id']" "$xml") == 1 ]] ||
      missing+=" $id"
  done
  [[ -z $missing ]] || { echo "compatibility.v1 does not name exactly once:$missing"; return 1; }
}

qv_check allowlist_sorted
if [[ $ARCH == i686 ]]; then qv_check imports_on_allowlist "$EXE"; fi
qv_check asks_for_administrator "$EXE"
qv_check names_supported_systems "$EXE"

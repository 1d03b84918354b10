#!/usr/bin/env bash
# Checks what scripts/dist.sh made, without running it: the setups' PE headers (machine,
# and for i686 the Windows 4.0 subsystem that Windows 95 loads), version information and
# icon; each zip's listing and files; RELEASE.txt; and SHA256SUMS. (The release files'
# own checks and size budgets are the release trees' tests.)
#
#   scripts/check-dist.sh [DIR]     (build/dist when no directory is given)
set -euo pipefail
source "$(dirname "$0")/common.sh"

DIST=${1:-$QV_BUILD/dist}
VERSION=$(qv_version)
# What a setup may weigh beyond the two files it carries: NSIS, its pages and the uninstaller.
SETUP_LIMIT_KIB=256
machine() { objdump -f "$1" | awk '/file format/{print $NF}'; }

pe_of_machine() {
  local expected=pei-x86-64
  [[ $2 == i686 ]] && expected=pei-i386
  [[ $(machine "$1") == "$expected" ]] || { echo "file format $(machine "$1"), not $expected"; return 1; }
}
subsystem_4_0() {
  [[ $(qv_pe_field "$1" MajorSubsystemVersion) == 4 && $(qv_pe_field "$1" MinorSubsystemVersion) == 0 ]]
}

version_of_the_project() {
  qv_pe_has_project_version "$1" && qv_pe_resources "$1" | grep -qF "VALUE \"ProductVersion\", \"$VERSION\""
}
# The program's icon: one image of 32 by 32 pixels in 16 colours (octal 040 and 020), 4 bits.
icon_of_the_program() {
  qv_pe_resources "$1" | sed -n '/ 14 \/\* RT_GROUP_ICON/,/^END/p' | tr -d ' \t' | grep -qF '"\040\040\020\000",1,4,'
}
size_within() { (($(stat -c %s "$1") <= $2 * 1024)) || { echo "$(stat -c %s "$1") bytes"; return 1; }; }

# Exactly the two release files and the README, each the same as the one built.
zip_holds_the_release() {
  local zip=$1 arch=$2 listing name
  listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [[ $listing == "README.md qvconfig.exe qvpanel.cpl " ]] || { echo "listing: $listing"; return 1; }
  for name in "${QV_RELEASE_FILES[@]}"; do
    unzip -p "$zip" "$name" | cmp -s - "$(qv_release_file "$arch" "$name")" || { echo "$name differs"; return 1; }
  done
  unzip -p "$zip" README.md | cmp -s - "$QV_ROOT/README.md" || { echo "README.md differs"; return 1; }
}

# RELEASE.txt names the version and this tree's commit, and its SOURCE_DATE_EPOCH is the
# PE time stamp of every release file (the 32-bit field 8 bytes into the PE header).
pe_time_stamp() { od -An -tu4 -j $(($(od -An -tu4 -j 60 -N 4 "$1") + 8)) -N 4 "$1" | tr -d ' '; }
release_page_names_the_build() {
  local page=$DIST/RELEASE.txt epoch arch name file
  grep -qxF "Quorvel $VERSION" "$page" || { echo "no version $VERSION"; return 1; }
  grep -qE "^Commit: +$(git -C "$QV_ROOT" rev-parse HEAD)" "$page" || { echo "not this commit"; return 1; }
  epoch=$(awk '$1 == "SOURCE_DATE_EPOCH:" {print $2}' "$page")
  for arch in "${QV_RELEASE_ARCHES[@]}"; do
    for name in "${QV_RELEASE_FILES[@]}"; do
      file=$(qv_release_file "$arch" "$name")
      [[ $(pe_time_stamp "$file") == "$epoch" ]] || { echo "$file: $(pe_time_stamp "$file"), not $epoch"; return 1; }
    done
  done
}

# SHA256SUMS names every other file of the directory, and every sum is right.
checksums_verify() {
  local listed present
  listed=$(awk '{print $2}' "$DIST/SHA256SUMS" | sort | tr '\n' ' ')
  present=$(cd "$DIST" && ls | grep -vx SHA256SUMS | sort | tr '\n' ' ')
  [[ $listed == "$present" ]] || { echo "listed: $listed; present: $present"; return 1; }
  (cd "$DIST" && sha256sum --quiet -c SHA256SUMS)
}

for arch in "${QV_RELEASE_ARCHES[@]}"; do
  qv_log "$arch"
  setup=$DIST/quorvel-$VERSION-$arch-setup.exe
  zip=$DIST/quorvel-$VERSION-$arch.zip
  [[ -f $setup && -f $zip ]] || { echo "FAILED: $setup or $zip is missing"; QV_CHECKS_FAILED=1; continue; }
  qv_check pe_of_machine "$setup" "$arch"
  [[ $arch == i686 ]] && qv_check subsystem_4_0 "$setup"
  qv_check version_of_the_project "$setup"
  qv_check icon_of_the_program "$setup"
  qv_check size_within "$setup" "$SETUP_LIMIT_KIB"
  qv_check zip_holds_the_release "$zip" "$arch"
done
qv_log "release page and checksums"
qv_check release_page_names_the_build
qv_check checksums_verify
exit $QV_CHECKS_FAILED

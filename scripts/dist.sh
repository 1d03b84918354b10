#!/usr/bin/env bash
# Makes what a user downloads, into build/dist/: the release files of both machines, a setup
# for each (packaging/quorvel.nsi), a zip for each with the two files and the README, and
# SHA256SUMS over all of them.
#
#   scripts/dist.sh [--driver-files DIR] [--output DIR]
#
# --driver-files: a directory holding the driver package (tarnset.exe, qvdriver.inf,
# qvdriver.sys), which the setups then install; without it their first page says that the
# driver package is installed separately. --output: another directory than build/dist.
#
# The same commit gives the same bytes, wherever and whenever it is built with the same
# toolchain: every time inside the files is SOURCE_DATE_EPOCH, by default the time of the
# last commit; entries go in a fixed order; no path of the build goes into them.
# RELEASE.txt says what was built from what, and how to rebuild it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

DRIVER_DIR=""
OUTPUT=$QV_BUILD/dist
while (($#)); do
  case $1 in
    --driver-files) DRIVER_DIR=$(realpath "$2"); shift 2 ;;
    --output) OUTPUT=$(realpath -m "$2"); shift 2 ;;
    *) echo "usage: $0 [--driver-files DIR] [--output DIR]" >&2; exit 2 ;;
  esac
done
if [[ -n $DRIVER_DIR ]]; then
  for name in tarnset.exe qvdriver.inf qvdriver.sys; do
    [[ -f $DRIVER_DIR/$name ]] || { echo "no $name in $DRIVER_DIR" >&2; exit 2; }
  done
fi

# The Debian packages of the toolchain that made the bytes, with their versions.
toolchain() {
  local what package
  while IFS='|' read -r what package; do
    printf '  %-20s %-28s %s\n' "$what" "$package" "$(dpkg-query -W -f='${Version}' "$package")"
  done <<'EOF'
MinGW-w64 GCC|g++-mingw-w64-i686-win32
MinGW-w64 GCC|g++-mingw-w64-x86-64-win32
binutils|binutils-mingw-w64-i686
binutils|binutils-mingw-w64-x86-64
MinGW-w64 run-time|mingw-w64-common
NSIS|nsis
Zip|zip
EOF
}

# RELEASE.txt: what the release is, what it was built from and with, and how to rebuild it.
release_page() {
  local commit
  commit=$(git -C "$QV_ROOT" rev-parse HEAD 2>/dev/null || echo unknown)
  git -C "$QV_ROOT" diff --quiet HEAD 2>/dev/null || commit+=" with changes never committed"
  cat <<EOF
Quorvel $VERSION

Commit:             $commit
SOURCE_DATE_EPOCH:  $SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))
Driver package:     $([[ -n $DRIVER_DIR ]] && echo "in the setups" || echo "installed separately")

Built on Debian 12 with these packages:
$(toolchain)

To rebuild it and compare, on Debian 12 with the same packages:

  git clone <the project's repository> quorvel
  cd quorvel
  git checkout ${commit%% *}
  SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH scripts/dist.sh --output /tmp/rebuilt
  diff SHA256SUMS /tmp/rebuilt/SHA256SUMS    # SHA256SUMS: this release's

Every time inside the files is SOURCE_DATE_EPOCH (by default the time of the last
commit), so the same commit gives the same bytes in any folder, at any time.
SHA256SUMS covers every other file, this one included.
EOF
}

qv_ensure_packages
VERSION=$(qv_version)
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$QV_ROOT" log -1 --format=%ct) ||
    { echo "no commit to take the release's time from: set SOURCE_DATE_EPOCH" >&2; exit 2; }
fi
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || { echo "SOURCE_DATE_EPOCH is not a number of seconds" >&2; exit 2; }
export SOURCE_DATE_EPOCH
# Zip stores local times; sha256sum lists the files in the order of the glob.
export TZ=UTC LC_ALL=C
rm -rf "$OUTPUT"
mkdir -p "$OUTPUT"

driver=()
if [[ -n $DRIVER_DIR ]]; then
  # The setups store the driver files' times: those of the release, on copies.
  staged_driver=$QV_BUILD/release-driver-files
  rm -rf "$staged_driver"
  mkdir -p "$staged_driver"
  cp "$DRIVER_DIR"/{tarnset.exe,qvdriver.inf,qvdriver.sys} "$staged_driver/"
  qv_release_times "$staged_driver"/*
  driver=(-DDRIVER_DIR="$staged_driver")
fi
for arch in "${QV_RELEASE_ARCHES[@]}"; do
  qv_log "release files, setup and zip for $arch"
  staged=$(qv_stage_release "$arch")
  qv_make_setup "$arch" "$OUTPUT/quorvel-$VERSION-$arch-setup.exe" "${driver[@]}"
  (cd "$staged" && zip -q -X "$OUTPUT/quorvel-$VERSION-$arch.zip" "${QV_RELEASE_FILES[@]}" README.md)
done

release_page >"$OUTPUT/RELEASE.txt"
(cd "$OUTPUT" && sha256sum -- * >SHA256SUMS)
qv_log "release $VERSION in $OUTPUT"
ls -l "$OUTPUT"

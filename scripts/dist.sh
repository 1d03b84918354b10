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

qv_ensure_packages
VERSION=$(qv_version)
rm -rf "$OUTPUT"
mkdir -p "$OUTPUT"

driver=()
[[ -n $DRIVER_DIR ]] && driver=(-DDRIVER_DIR="$DRIVER_DIR")
for arch in "${QV_RELEASE_ARCHES[@]}"; do
  qv_log "release files, setup and zip for $arch"
  staged=$(qv_stage_release "$arch")
  qv_make_setup "$arch" "$OUTPUT/quorvel-$VERSION-$arch-setup.exe" "${driver[@]}"
  (cd "$staged" && zip -q -X "$OUTPUT/quorvel-$VERSION-$arch.zip" "${QV_RELEASE_FILES[@]}" README.md)
done

(cd "$OUTPUT" && sha256sum -- * >SHA256SUMS)
qv_log "release $VERSION in $OUTPUT"
ls -l "$OUTPUT"

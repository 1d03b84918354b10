#!/usr/bin/env bash
# Runs a Windows program in $WINEPREFIX with the loaders that made the prefix: the emulated
# 32-bit Wine (scripts/wine-i686.sh) for the prefixes that it made, the host's 64-bit Wine
# for the others. The test trees run their Windows tests through it.
# Usage: WINEPREFIX=... scripts/wine.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/common.sh"
if [[ -n ${WINEPREFIX:-} && -f $WINEPREFIX/.qv-emulated ]]; then
  qv_i686_env "$(cat "$WINEPREFIX/.qv-emulated")" "$WINEPREFIX"
  loader=qv_i686_wine
else
  loader=wine
fi

# A Wine process has once failed to start at all on a loaded machine: it ended at once,
# having written nothing. Only that start is tried once more, and the retry is logged;
# a program that ran and failed is never run again.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
  started=$SECONDS
  status=0
  "$loader" "$@" > >(tee "$output") 2> >(tee -a "$output" >&2) || status=$?
  wait
  if ((status == 0 || attempt == 2 || SECONDS - started > 2)) || [[ -s $output ]]; then exit $status; fi
  echo "wine.sh: $1 ended with status $status at once, writing nothing: Wine did not start it; trying once more" >&2
done

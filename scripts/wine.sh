#!/usr/bin/env bash
# Runs a Windows program in $WINEPREFIX with the loaders that made the prefix: the emulated
# 32-bit Wine (scripts/wine-i686.sh) for the prefixes that it made, the host's 64-bit Wine
# for the others. The test trees run their Windows tests through it.
# Usage: WINEPREFIX=... scripts/wine.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/common.sh"
if [[ -n ${WINEPREFIX:-} && -f $WINEPREFIX/.qv-emulated ]]; then
  qv_i686_env "$(cat "$WINEPREFIX/.qv-emulated")" "$WINEPREFIX"
  qv_i686_wine "$@"
else
  exec wine "$@"
fi

#!/usr/bin/env bash
# Checks the release files of one machine against their size budgets; the release trees run
# it as a test (ctest). scripts/bench.sh prints the same rows for both machines.
#
#   scripts/check-sizes.sh i686|x86_64 FILE...
set -euo pipefail
source "$(dirname "$0")/common.sh"
arch=$1
shift
qv_size_header
for file in "$@"; do qv_check qv_size_row "$arch" "$file"; done
exit $QV_CHECKS_FAILED

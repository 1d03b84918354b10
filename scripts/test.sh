#!/usr/bin/env bash
# Builds everything (native, x87, i686, x86_64) and runs every test: the portable tests
# natively under AddressSanitizer and UndefinedBehaviorSanitizer, as 32-bit x87 code
# under qemu and as a Windows program under Wine; checks of the Windows binaries; and
# the Win32 and end-to-end tests of the x86_64 build under 64-bit Wine and Xvfb.
set -euo pipefail
source "$(dirname "$0")/common.sh"

qv_ensure_packages

# For work on one part: QV_SKIP_NATIVE=1 skips the native tree, QV_CTEST_ARGS
# (for example "-R Editing") picks the tests run under Wine.
if [[ -z ${QV_SKIP_NATIVE:-} ]]; then
  qv_log "native build and tests (ASan, UBSan)"
  qv_build_native
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$QV_BUILD/native" && ctest --output-on-failure -j "$QV_JOBS")
fi

qv_log "the portable tests as 32-bit x87 code under qemu (the i686 build's floating point)"
qv_build_x87
(cd "$QV_BUILD/x87" && ctest --output-on-failure)

qv_log "i686 build (the Windows 95/98/ME target)"
qv_build_i686
qv_log "x86_64 build"
qv_build_x86_64

qv_log "binary checks"
"$QV_ROOT/scripts/check-binaries.sh" "$QV_BUILD/i686" "$QV_BUILD/x86_64"

qv_log "the portable tests as a Windows program, Win32 and end-to-end tests under Wine"
qv_wine_prefix "$QV_BUILD/x86_64/wineprefix"
export QV_ROOT QV_BUILD QV_CTEST_ARGS=${QV_CTEST_ARGS:-}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -e
  source "$QV_ROOT/scripts/common.sh"
  qv_wine_env "$WINEPREFIX"
  qv_wine_start
  trap qv_wine_stop EXIT
  cd "$QV_BUILD/x86_64"
  # Word splitting is wanted here: the variable holds ctest options.
  # shellcheck disable=SC2086
  ctest --output-on-failure $QV_CTEST_ARGS
'

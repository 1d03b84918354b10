#!/usr/bin/env bash
# Builds everything (native, x87, i686, x86_64, the release) and runs every test: the
# portable tests natively under AddressSanitizer and UndefinedBehaviorSanitizer, as 32-bit
# x87 code under qemu and as a Windows program under Wine; checks of the Windows binaries,
# of the release files and of what scripts/dist.sh made; and the Win32 and end-to-end tests
# of the x86_64 build under 64-bit Wine and Xvfb, the setup's install and uninstall among them.
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

qv_log "the release: scripts/dist.sh, and checks of what it made"
"$QV_ROOT/scripts/dist.sh"
"$QV_ROOT/scripts/check-binaries.sh" "$QV_BUILD/release-i686" "$QV_BUILD/release-x86_64"
"$QV_ROOT/scripts/check-dist.sh" "$QV_BUILD/dist"
"$QV_ROOT/scripts/rebuild-dist.sh" "$QV_BUILD/dist"

# What the setup tests install (testbed/setup): the release's setup as shipped, one with the
# stand-ins as its driver files, one whose run-time check cannot succeed, and the release
# files that the setups carry.
qv_log "setups for the end-to-end tests"
SETUPS=$QV_BUILD/x86_64/setups
VERSION=$(qv_version)
rm -rf "$SETUPS"
mkdir -p "$SETUPS/runtime-missing" "$SETUPS/files"
cp -r "$QV_BUILD/dist" "$SETUPS/release"
"$QV_ROOT/scripts/dist.sh" --driver-files "$QV_BUILD/x86_64/testbed/standins" --output "$SETUPS/standins" >/dev/null
qv_make_setup x86_64 "$SETUPS/runtime-missing/quorvel-$VERSION-x86_64-setup.exe" -DRUNTIME_DLL=qvmissing.dll
cp "$QV_BUILD/release-x86_64/files/"{qvconfig.exe,qvpanel.cpl} "$SETUPS/files/"

# The tests labelled "setup" install into the system directory: they get a Wine prefix of
# their own, made afresh for every run. All the others share the test run's prefix.
qv_log "the portable tests as a Windows program, Win32 and end-to-end tests under Wine"
qv_wine_prefix "$QV_BUILD/x86_64/wineprefix"
export QV_SETUP_PREFIX=$QV_BUILD/x86_64/setup-prefix
rm -rf "$QV_SETUP_PREFIX"
qv_wine_prefix "$QV_SETUP_PREFIX"
export QV_ROOT QV_BUILD QV_CTEST_ARGS=${QV_CTEST_ARGS:-}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -e
  source "$QV_ROOT/scripts/common.sh"
  cd "$QV_BUILD/x86_64"
  # ctest_in PREFIX [ctest options]: with a persistent wineserver for that prefix.
  ctest_in() {
    qv_wine_env "$1"
    shift
    qv_wine_start
    trap qv_wine_stop EXIT
    # One more try for a test that fails: a Wine process has once failed to start at all
    # (no output, 0.01 s) on a loaded machine. The first failure still shows in the log.
    # Word splitting is wanted here: the variable holds ctest options.
    # shellcheck disable=SC2086
    ctest --output-on-failure --repeat until-pass:2 "$@" $QV_CTEST_ARGS
    qv_wine_stop
    trap - EXIT
  }
  ctest_in "$QV_BUILD/x86_64/wineprefix" -LE setup
  ctest_in "$QV_SETUP_PREFIX" -L setup
'

#!/usr/bin/env bash
# Builds everything (native, i686, x86_64, the release) and runs every test: the portable
# tests natively under AddressSanitizer and UndefinedBehaviorSanitizer and as Windows
# programs of both machines; checks of the Windows binaries, of the release files and of
# what scripts/dist.sh made; and under Xvfb the Win32, end-to-end and setup tests of the
# x86_64 build under 64-bit Wine and of the i686 build under an emulated 32-bit Wine, as
# Windows 98 sees it and as a 32-bit program on 64-bit Windows.
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

qv_log "the emulated 32-bit Wine that runs the i686 build"
qv_i686_ensure

qv_log "i686 build (the Windows 95/98/ME target)"
qv_build_i686
qv_log "x86_64 build"
qv_build_x86_64

# The test trees' programs take GCC's posix thread model, as GoogleTest needs; the release
# files, which users run, take the win32 model: the checks of the binaries are theirs.
qv_log "the release: scripts/dist.sh, checks of its binaries and of what it made"
"$QV_ROOT/scripts/dist.sh"
for arch in "${QV_RELEASE_ARCHES[@]}"; do (cd "$QV_BUILD/release-$arch" && ctest --output-on-failure); done
"$QV_ROOT/scripts/check-dist.sh" "$QV_BUILD/dist"
"$QV_ROOT/scripts/rebuild-dist.sh" "$QV_BUILD/dist"

# What the setup tests of a tree install (testbed/setup): the release's setup of that
# machine as shipped, one with the tree's stand-ins as its driver files, one whose run-time
# check cannot succeed, and the release files that the setups carry.
make_test_setups() {
  local arch=$1 setups=$QV_BUILD/$1/setups
  rm -rf "$setups"
  mkdir -p "$setups/runtime-missing" "$setups/files"
  cp -r "$QV_BUILD/dist" "$setups/release"
  "$QV_ROOT/scripts/dist.sh" --driver-files "$(dirname "$(qv_built_file "$arch" tarnset.exe)")" \
    --output "$setups/standins" >/dev/null
  qv_make_setup "$arch" "$setups/runtime-missing/quorvel-$(qv_version)-$arch-setup.exe" -DRUNTIME_DLL=qvmissing.dll
  cp "$(qv_release_file "$arch" qvconfig.exe)" "$(qv_release_file "$arch" qvpanel.cpl)" "$setups/files/"
}
qv_log "setups for the end-to-end tests"
make_test_setups x86_64
make_test_setups i686

# The i686 runs drive the i686 release files, which are what users run. On 64-bit Windows
# the driver package is 64-bit, its installer included: a 32-bit installer would copy the
# driver into SysWOW64, where no kernel looks for it. So there the program starts the
# x86_64 stand-ins, and in the Windows 98 prefix the i686 ones.
export QV_I686_CONFIG_EXE QV_I686_PANEL_CPL
QV_I686_CONFIG_EXE=$(qv_release_file i686 qvconfig.exe)
QV_I686_PANEL_CPL=$(qv_release_file i686 qvpanel.cpl)

# The tests labelled "setup" install into the system directory: they get Wine prefixes of
# their own, made afresh for every run. All the others share the test run's prefixes.
qv_log "Wine prefixes of the test run"
qv_wine_prefix "$QV_BUILD/x86_64/wineprefix"
export QV_SETUP_PREFIX=$QV_BUILD/x86_64/setup-prefix QV_I686_SETUP_PREFIX=$QV_BUILD/i686/setup-prefix
rm -rf "$QV_SETUP_PREFIX" "$QV_I686_SETUP_PREFIX"
qv_wine_prefix "$QV_SETUP_PREFIX"
# The emulated 32-bit Wine: Windows 98 (every process 32-bit, Wine reporting Windows 98),
# and 64-bit Windows, where the i686 programs run as 32-bit programs.
export QV_WIN98_PREFIX=$QV_BUILD/i686/win98-prefix QV_WOW64_PREFIX=$QV_BUILD/i686/wow64-prefix
qv_i686_prefix win32 "$QV_WIN98_PREFIX" win98
qv_i686_prefix win64 "$QV_WOW64_PREFIX"
qv_i686_prefix win32 "$QV_I686_SETUP_PREFIX" win98
# The harness makes the screenshot folder, not its parents.
mkdir -p "$QV_BUILD/i686/screenshots/win98" "$QV_BUILD/i686/screenshots/wow64"

export QV_ROOT QV_BUILD QV_CTEST_ARGS=${QV_CTEST_ARGS:-}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -e
  source "$QV_ROOT/scripts/common.sh"
  # ctest_in TREE PREFIX [ctest options]: in that tree, with a persistent wineserver for
  # that prefix.
  ctest_in() {
    (
      cd "$QV_BUILD/$1"
      qv_prefix_env "$2"
      shift 2
      qv_wine_start
      trap qv_wine_stop EXIT
      # Word splitting is wanted here: the variable holds ctest options.
      # shellcheck disable=SC2086
      ctest --output-on-failure "$@" $QV_CTEST_ARGS
    )
  }
  qv_log "the x86_64 build under Wine: the portable tests as a Windows program, the Win32 and end-to-end tests"
  ctest_in x86_64 "$QV_BUILD/x86_64/wineprefix" -LE setup
  qv_log "the x86_64 setup"
  ctest_in x86_64 "$QV_SETUP_PREFIX" -L setup

  i686_start=$SECONDS
  # Typing, clicking and the editing rules are the same program code in both prefixes: the
  # 64-bit prefix, where only the program is emulated, runs them in a third of the time.
  qv_log "the i686 build as Windows 98 sees it: the portable tests, the Win32 and end-to-end tests"
  QV_CONFIG_EXE=$QV_I686_CONFIG_EXE QV_PANEL_CPL=$QV_I686_PANEL_CPL QV_SCREENSHOT_DIR=$QV_BUILD/i686/screenshots/win98 \
    ctest_in i686 "$QV_WIN98_PREFIX" -LE setup -E "UserInputTest|EditingRules|PngWriterTest"
  qv_log "the i686 program on 64-bit Windows: the end-to-end tests, driven by the x86_64 harness"
  QV_CONFIG_EXE=$QV_I686_CONFIG_EXE QV_SCREENSHOT_DIR=$QV_BUILD/i686/screenshots/wow64 \
    ctest_in x86_64 "$QV_WOW64_PREFIX" -L e2e
  qv_log "the i686 setup on Windows 98, and its refusal on 64-bit Windows"
  ctest_in i686 "$QV_I686_SETUP_PREFIX" -L setup
  ctest_in i686 "$QV_WOW64_PREFIX" -L setup -R RefusesOn64BitWindows
  printf "\n== the i686 runs took %d s\n" $((SECONDS - i686_start))
'

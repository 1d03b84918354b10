#!/usr/bin/env bash
# Builds qvconfig.exe (x86_64) and opens its configuration window under 64-bit Wine, in a
# Wine prefix of its own whose settings key holds sensible values. With a display the
# window stays open until it is closed. With no DISPLAY it runs under Xvfb: it saves a
# screenshot of the window, closes it and says where the screenshot is.
#
#   scripts/run.sh [--i686 [--win64]]
#
# --i686: the i686 release program instead, under the emulated 32-bit Wine
# (scripts/wine-i686.sh), in a prefix where Wine reports Windows 98; with --win64, in a
# 64-bit prefix, where it runs as a 32-bit program on 64-bit Windows.
set -euo pipefail
source "$(dirname "$0")/common.sh"

QV_RUN_ARCH=${QV_RUN_ARCH:-x86_64}
QV_RUN_KIND=${QV_RUN_KIND:-win64}
if [[ ${1:-} == --i686 ]]; then
  QV_RUN_ARCH=i686 QV_RUN_KIND=win32
  [[ ${2:-} == --win64 ]] && QV_RUN_KIND=win64
fi
export QV_RUN_ARCH QV_RUN_KIND
if [[ $QV_RUN_ARCH == x86_64 ]]; then
  RUN_PREFIX=$QV_BUILD/run-prefix
  QV_EXE_TREE=x86_64
else
  RUN_PREFIX=$QV_BUILD/run-prefix-i686-$QV_RUN_KIND
  QV_EXE_TREE=release-i686
fi
# The stand-ins and the screenshot taker of the tree of the prefix's machine.
QV_TOOLS_TREE=$([[ $QV_RUN_KIND == win32 ]] && echo i686 || echo x86_64)
SCREENSHOT=$QV_BUILD/screenshots/run-qvconfig-$QV_RUN_ARCH-$QV_RUN_KIND.png
CAPTION="Quorvel Configuration Utility"
# The driver's files live here, as an installation would leave them.
INSTALL_DIR='C:\Program Files\Quorvel'
INSTALL_DIR_HOST="$RUN_PREFIX/drive_c/Program Files/Quorvel"

wine() { "$QV_ROOT/scripts/wine.sh" "$@"; }
# The harness's sensible settings (testbed/harness/registry.h): a 64 MB hard disk on R:
# whose image is saved on shutdown, and the installation's two values.
seed_settings() {
  wine "$(qv_built_file "$QV_TOOLS_TREE" qvseed.exe)" "$INSTALL_DIR" "Z:${QV_EXE//\//\\}"
}

# The stand-in installer and driver of the test bed go where InstallDir points, so that
# Enable, Disable and Save Disk Image have something to talk to. A driver that an earlier
# run left installed (or started at boot) is removed, so the window opens with Enable on.
STANDINS=(tarnset.exe qvdriver.sys qvdriver.inf)
install_standins() {
  mkdir -p "$INSTALL_DIR_HOST"
  local standin
  for standin in "${STANDINS[@]}"; do
    cp "$(qv_built_file "$QV_TOOLS_TREE" "$standin")" "$INSTALL_DIR_HOST/"
  done
  wine "$INSTALL_DIR\\tarnset.exe" -u || qv_log "could not remove the stand-in driver of an earlier run"
  rm -f "$INSTALL_DIR_HOST/tarnset.log"
}

# Under Xvfb no window manager draws title bars: Wine then draws them itself. With a
# window manager, it does.
decorations() {
  if [[ $1 == wine ]]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
  else
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null 2>&1 || true
  fi
}

run_in_prefix() {
  local headless=$1
  QV_EXE=$(qv_built_file "$QV_EXE_TREE" qvconfig.exe)
  qv_prefix_env "$RUN_PREFIX"
  qv_wine_start
  trap qv_wine_stop EXIT
  seed_settings
  install_standins
  if [[ $headless == yes ]]; then
    decorations wine
    mkdir -p "$(dirname "$SCREENSHOT")"
    qv_log "opening the configuration window under Xvfb"
    wine "$(qv_built_file "$QV_TOOLS_TREE" qvsnap.exe)" "$QV_EXE" "$CAPTION" "$SCREENSHOT"
    qv_log "screenshot of the configuration window: $SCREENSHOT"
  else
    decorations manager
    qv_log "opening the configuration window (close it to end)"
    qv_log "Enable starts the stand-in driver, Save Disk Image writes C:\\qvdriver.img, Disable stops it;" \
      "the installer's calls are logged in $INSTALL_DIR_HOST/tarnset.log"
    wine "$QV_EXE"
  fi
}

if [[ ${1:-} == --inside-xvfb ]]; then
  run_in_prefix yes
  exit
fi

qv_ensure_packages
if [[ $QV_RUN_ARCH == x86_64 ]]; then
  qv_log "x86_64 build of qvconfig.exe, the stand-ins, the key seeder and the screenshot taker"
  QV_TARGETS="qvconfig tarnset qvdriver qvsnap qvseed" qv_build_x86_64
  qv_wine_prefix "$RUN_PREFIX"
else
  qv_log "the i686 release program, and the stand-ins, the key seeder and the screenshot taker of a $QV_RUN_KIND prefix"
  QV_TARGETS=qvconfig qv_build_release i686
  if [[ $QV_RUN_KIND == win32 ]]; then QV_TARGETS="tarnset qvdriver qvsnap qvseed" qv_build_i686; else QV_TARGETS="tarnset qvdriver qvsnap qvseed" qv_build_x86_64; fi
  qv_i686_prefix "$QV_RUN_KIND" "$RUN_PREFIX" "$([[ $QV_RUN_KIND == win32 ]] && echo win98)"
fi
if [[ -z ${DISPLAY:-} ]]; then
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" --inside-xvfb
else
  run_in_prefix no
fi

# Shared by run.sh, test.sh, bench.sh and dist.sh: packages, build trees, release files and the Wine prefix.
# shellcheck shell=bash

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QV_BUILD=${QV_BUILD_DIR:-$QV_ROOT/build}
QV_JOBS=${QV_JOBS:-$(nproc)}

# Debian packages the build and the tests need. Never wine32: these machines run no 32-bit code.
QV_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation xvfb xauth x11-utils
  libxml2-utils nsis zip unzip
)

qv_log() { printf '\n== %s\n' "$*"; }

# The emulated 32-bit Wine that runs the i686 build.
source "$QV_ROOT/scripts/wine-i686.sh"

# Installs whatever of QV_PACKAGES is missing; quick when everything is there.
qv_ensure_packages() {
  local missing=() pkg
  for pkg in "${QV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    qv_log "installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# qv_build PRESET: configures (once) and builds $QV_BUILD/PRESET with that preset of
# CMakePresets.json: every target, or only those that QV_TARGETS names. The Windows trees
# run their tests through scripts/wine.sh: the i686 tree in prefixes of the emulated 32-bit
# Wine, the x86_64 tree in the host Wine's and in those.
qv_build() {
  local dir=$QV_BUILD/$1
  [[ -f $dir/build.ninja ]] || cmake --preset "$1" -S "$QV_ROOT" -B "$dir" >/dev/null
  local targets=()
  [[ -n ${QV_TARGETS:-} ]] && read -ra targets <<<"--target $QV_TARGETS"
  cmake --build "$dir" -j "$QV_JOBS" "${targets[@]}"
}
qv_build_native() { qv_build native; }
qv_build_i686() { qv_build i686; }
qv_build_x86_64() { qv_build x86_64; }

# qv_built_file TREE NAME: where the tree $QV_BUILD/TREE leaves the file NAME (qvconfig.exe,
# qvpanel.cpl, and in the test trees tarnset.exe, qvdriver.sys, qvdriver.inf, qvsnap.exe),
# as CMake wrote it into the tree's built-files.txt.
qv_built_file() {
  local path
  path=$(awk -F'\t' -v name="$2" '$1 == name {print $2}' "$QV_BUILD/$1/built-files.txt")
  [[ -n $path ]] || { echo "$QV_BUILD/$1 builds no $2" >&2; return 1; }
  echo "$path"
}

# The release files, qvconfig.exe and qvpanel.cpl, stripped and optimised for size, built
# for each machine in a tree of their own (build/release-i686, build/release-x86_64).
QV_RELEASE_ARCHES=(i686 x86_64)
QV_RELEASE_FILES=(qvconfig.exe qvpanel.cpl)
qv_build_release() { qv_build "release-$1"; }
qv_release_file() { qv_built_file "release-$1" "$2"; }
# qv_stage_release ARCH: builds the release files and gathers them, with the README, in
# the directory that it prints, from which the setup and the zip take them. The files are
# linked afresh, so that their PE time stamps are SOURCE_DATE_EPOCH's (the linker reads it
# from the environment); and the staged copies carry that time too, and the same
# permissions whatever the umask, since the setup and the zip store both.
qv_stage_release() {
  local staged=$QV_BUILD/release-$1/files name
  if [[ -f $QV_BUILD/release-$1/built-files.txt ]]; then
    for name in "${QV_RELEASE_FILES[@]}"; do rm -f "$(qv_release_file "$1" "$name")"; done
  fi
  qv_build_release "$1" >&2
  rm -rf "$staged"
  mkdir -p "$staged"
  for name in "${QV_RELEASE_FILES[@]}"; do cp "$(qv_release_file "$1" "$name")" "$staged/"; done
  cp "$QV_ROOT/README.md" "$staged/"
  qv_release_times "$staged"/*
  echo "$staged"
}
# qv_release_times FILE...: the release's time (SOURCE_DATE_EPOCH) and permissions for files
# that a setup or a zip takes in.
qv_release_times() {
  chmod 0644 "$@"
  touch -d "@${SOURCE_DATE_EPOCH:?the release needs SOURCE_DATE_EPOCH}" "$@"
}
# qv_make_setup ARCH OUTFILE [makensis options]: the setup of the staged release files of
# ARCH (packaging/quorvel.nsi), for example with -DDRIVER_DIR=... .
qv_make_setup() {
  local arch=$1 outfile=$2
  shift 2
  makensis -V2 -WX -DVERSION="$(qv_version)" -DARCH="$arch" -DPROGRAM_DIR="$QV_BUILD/release-$arch/files" \
    -DICON="$QV_ROOT/platform/win32/res/qvconfig.ico" -DOUTFILE="$outfile" "$@" "$QV_ROOT/packaging/quorvel.nsi"
}

# Size budgets of the release files in KiB, for both machines: the limit and the aim.
qv_size_budget() {
  case $1 in
    qvconfig.exe) echo "384 256" ;;
    qvpanel.cpl) echo "16 16" ;;
  esac
}

# qv_size_row ARCH FILE: prints the file's size beside its budget; fails when it is over
# its limit.
qv_size_row() {
  local size limit aim
  size=$(stat -c %s "$2")
  read -r limit aim < <(qv_size_budget "$(basename "$2")")
  printf '%-8s %-14s %10d %12d %10d' "$1" "$(basename "$2")" "$size" "$limit" "$aim"
  if ((size > limit * 1024)); then
    printf '   OVER THE LIMIT\n'
    return 1
  fi
  ((size > aim * 1024)) && printf '   above the aim\n' || printf '\n'
}
qv_size_header() { printf '%-8s %-14s %10s %12s %10s\n' machine file bytes "limit KiB" "aim KiB"; }

# Prints each release file's size beside its budget; fails when one is over its limit.
qv_release_sizes() {
  local arch name over=0
  qv_size_header
  for arch in "${QV_RELEASE_ARCHES[@]}"; do
    for name in "${QV_RELEASE_FILES[@]}"; do qv_size_row "$arch" "$(qv_release_file "$arch" "$name")" || over=1; done
  done
  return $over
}

# ---- What the checks of built files share --------------------------------------------------

# qv_check TEST [ARGUMENTS...]: runs one check, says ok or FAILED, and remembers a failure in
# QV_CHECKS_FAILED for the script's exit status.
QV_CHECKS_FAILED=0
qv_check() { if "$@"; then echo "ok: $*"; else echo "FAILED: $*"; QV_CHECKS_FAILED=1; fi; }

# A PE file of either machine, read with the host's binutils: the header's fields, the
# imported DLLs, every import as dll!function, and the resources as resource-script text.
qv_pe_field() { objdump -p "$1" | awk -v f="$2" '$1==f{print $2}'; }
qv_pe_dlls() { objdump -p "$1" | awk '/DLL Name/{print tolower($3)}' | sort -u; }
qv_pe_imports() { objdump -p "$1" | awk '/DLL Name/{d=tolower($3)} /^\t[ 0-9a-f]+\t/{print d"!"$NF}'; }
qv_pe_resources() { x86_64-w64-mingw32-windres -J coff -O rc -i "$1"; }
# OS and subsystem version 4.0 in the header: Windows 95 loads the file.
qv_pe_windows4() {
  local name
  for name in MajorOSystemVersion MajorSubsystemVersion; do [[ $(qv_pe_field "$1" $name) == 4 ]] || return 1; done
  for name in MinorOSystemVersion MinorSubsystemVersion; do [[ $(qv_pe_field "$1" $name) == 0 ]] || return 1; done
}
# The project's version as a resource script writes FILEVERSION: "1, 5, 0, 0".
qv_pe_has_project_version() {
  local version
  version=$(qv_version | sed 's/\./, /; s/$/, 0, 0/')
  qv_pe_resources "$1" | grep -qxF " FILEVERSION $version"
}

# The version that project() in CMakeLists.txt gives, "1.5".
qv_version() { sed -n 's/^project([a-z]* VERSION \([0-9.]*\).*/\1/p' "$QV_ROOT/CMakeLists.txt"; }

# A Wine prefix of our own, 64-bit, made quietly without the Mono and Gecko installers.
qv_wine_env() {
  export WINEPREFIX=${1:-$QV_BUILD/wineprefix}
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

qv_wine_prefix() {
  qv_wine_env "$@"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    qv_log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  qv_wine_fonts
}

qv_wine_fonts() {
  # Wine draws the title bars' buttons with its symbol font Marlett, which it looks for among
  # the prefix's fonts. Debian's wineboot leaves none there, and the buttons show as letters.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [[ ! -f $fonts/marlett.ttf ]]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

# qv_prefix_env PREFIX: the environment of one of our prefixes, of either Wine.
qv_prefix_env() {
  if [[ -f $1/.qv-emulated ]]; then qv_i686_env "$(cat "$1/.qv-emulated")" "$1"; else qv_wine_env "$1"; fi
}

# Starts a persistent wineserver (each Wine process then starts in a fraction of a second).
qv_wine_start() {
  wineserver -p >/dev/null 2>&1 || true
  "$QV_ROOT/scripts/wine.sh" wineboot >/dev/null 2>&1 || true
}

qv_wine_stop() { wineserver -k >/dev/null 2>&1 || true; }

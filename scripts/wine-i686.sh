#!/usr/bin/env bash
# The emulated 32-bit Wine that runs the i686 build on this machine, which runs no 32-bit
# code itself: Debian's own wine32 of the installed wine64's version, unpacked into a
# private root under the user's cache, with its 32-bit loader run by qemu's user-mode
# emulator. Nothing of it is installed system-wide: with wine32:i386 installed, every
# plain `wine` run on the machine would pick the 32-bit loader and fail.
# common.sh sources this file; scripts/wine.sh runs a program under it.
# shellcheck shell=bash

QV_I686_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel
QV_I686_ROOT=$QV_I686_CACHE/wine-i686
# What the root was made for: the host's wine64 and this recipe. Change the recipe's number
# when the steps below change, so that every machine makes its root afresh.
QV_I686_RECIPE=1
# Wine loads these X libraries at run time, so no package depends on them.
QV_I686_PACKAGES=(libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2
  libxrender1 libxxf86vm1 fonts-liberation)
QV_I686_LOADER=$QV_I686_ROOT/usr/lib/wine/wineq

qv_i686_made_for() {
  printf 'wine64 %s, recipe %s\n' "$(dpkg-query -W -f='${Version}' wine64)" "$QV_I686_RECIPE"
}

# Writes one-line apt sources for ARCH from the system's own sources (deb822 and classic),
# adding the backports suite of the archive that holds the release itself: no archive's
# address is written into the project.
qv_i686_sources() {
  local arch=$1 codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  {
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null
    echo
  } | awk -v arch="$arch" -v codename="$codename" '
    function flush(   u, s, i, j, nu, ns, key) {
      if (types ~ /(^| )deb( |$)/ && uris != "") {
        nu = split(uris, u, " "); ns = split(suites, s, " ")
        key = signed == "" ? "" : " signed-by=" signed
        for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++) {
          printf "deb [arch=%s%s] %s %s %s\n", arch, key, u[i], s[j], comps
          if (s[j] == codename) printf "deb [arch=%s%s] %s %s-backports %s\n", arch, key, u[i], codename, comps
        }
      }
      types = uris = suites = comps = signed = ""
    }
    /^[[:space:]]*$/ { flush(); next }
    /^#/ { next }
    { v = $0; sub(/^[^:]*:[[:space:]]*/, "", v) }
    /^Types:/ { types = v } /^URIs:/ { uris = v } /^Suites:/ { suites = v }
    /^Components:/ { comps = v } /^Signed-By:/ { signed = v }
    END { flush() }'
  [[ -f /etc/apt/sources.list ]] &&
    awk -v arch="$arch" -v codename="$codename" '$1 == "deb" && $2 !~ /^\[/ {
      comps = ""; for (i = 4; i <= NF; i++) comps = comps " " $i
      printf "deb [arch=%s] %s %s%s\n", arch, $2, $3, comps
      if ($3 == codename) printf "deb [arch=%s] %s %s-backports%s\n", arch, $2, codename, comps
    }' /etc/apt/sources.list
  return 0
}

# qv_i686_apt DIR ARCH: a private apt for ARCH in DIR, printing its configuration file's path.
qv_i686_apt() {
  local dir=$1 arch=$2
  mkdir -p "$dir/state/lists/partial" "$dir/cache/archives/partial" "$dir/etc/preferences.d"
  : >"$dir/state/status"
  qv_i686_sources "$arch" >"$dir/etc/sources.list"
  cat >"$dir/apt.conf" <<EOF
Dir::State "$dir/state";
Dir::State::status "$dir/state/status";
Dir::Cache "$dir/cache";
Dir::Etc::sourcelist "$dir/etc/sources.list";
Dir::Etc::sourceparts "-";
Dir::Etc::preferencesparts "$dir/etc/preferences.d";
APT::Architecture "$arch";
APT::Architectures { "$arch"; };
APT::Install-Recommends "false";
APT::Sandbox::User "root";
Debug::NoLocking "true";
EOF
  echo "$dir/apt.conf"
}

qv_i686_fail() {
  echo "error: setting up the emulated 32-bit Wine: $*" >&2
  exit 1
}

# A list that fails to download (a mirror in the middle of a sync) is not fatal by itself:
# the downloads that follow fail, and say so, if they needed it.
qv_i686_update() {
  APT_CONFIG=$1 apt-get -qq update 2>&1 | grep -v '^W: ' >&2 || true
}

# Makes the root when it is missing or was made for another wine64 or recipe: downloads
# (about 145 MB), unpacks, and does by hand what the packages' maintainer scripts would.
qv_i686_ensure() {
  local made_for
  made_for=$(qv_i686_made_for)
  [[ -f $QV_I686_ROOT/.made-for && $(cat "$QV_I686_ROOT/.made-for") == "$made_for" ]] && return 0
  qv_log "making the emulated 32-bit Wine in $QV_I686_ROOT ($made_for)"
  local version work conf deb
  version=$(dpkg-query -W -f='${Version}' wine64) || qv_i686_fail "wine64 is not installed"
  work=$QV_I686_CACHE/work
  rm -rf "$QV_I686_ROOT" "$work"
  mkdir -p "$QV_I686_ROOT" "$work"

  # wine32 and what it needs, for i386, of exactly wine64's version.
  conf=$(qv_i686_apt "$work/i386" i386)
  qv_i686_update "$conf"
  APT_CONFIG=$conf apt-get -qq -y -d install "wine32=$version" "libwine=$version" "fonts-wine=$version" \
    "${QV_I686_PACKAGES[@]}" >/dev/null || qv_i686_fail "downloading wine32 $version and its i386 dependencies failed"
  # qemu-user from backports: the release's qemu 7.2 ignores MAP_FIXED_NOREPLACE, and Wine's
  # reservation of its address space then costs about a minute per process.
  conf=$(qv_i686_apt "$work/amd64" amd64)
  qv_i686_update "$conf"
  (cd "$work" && APT_CONFIG=$conf apt-get -qq download "qemu-user/$(. /etc/os-release && echo "$VERSION_CODENAME")-backports") ||
    qv_i686_fail "downloading qemu-user from backports failed"

  for deb in "$work"/i386/cache/archives/*.deb; do dpkg -x "$deb" "$QV_I686_ROOT"; done
  dpkg -x "$work"/qemu-user_*.deb "$work/qemu"
  install -D "$work/qemu/usr/bin/qemu-i386" "$QV_I686_ROOT/usr/bin/qemu-i386" ||
    qv_i686_fail "qemu-user has no qemu-i386"
  "$QV_I686_ROOT/usr/bin/qemu-i386" --version | head -n1

  qv_i686_maintainer_steps
  qv_i686_loaders
  rm -rf "$work"
  echo "$made_for" >"$QV_I686_ROOT/.made-for"
}

qv_i686_maintainer_steps() {
  local root=$QV_I686_ROOT in out
  # libwine's postinst: the MinGW zlib becomes Wine's builtin zlib1.dll, which user32 needs.
  in=$(echo "$root"/usr/i686-w64-mingw32/lib/zlib1.dll)
  out=$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll
  [[ -f $in ]] || qv_i686_fail "no zlib1.dll from libz-mingw-w64"
  {
    head -c 64 "$in"
    printf 'Wine builtin DLL'
    printf '\0%.0s' {1..16}
    tail -c +97 "$in"
  } >"$out"
  # The guest's dynamic loader reads ROOT/etc/ld.so.cache (qemu's -L redirects it there);
  # without one it reads the host's and takes the 64-bit or multilib libraries.
  [[ -f $root/etc/ld.so.conf ]] || echo 'include /etc/ld.so.conf.d/*.conf' >"$root/etc/ld.so.conf"
  ldconfig -r "$root"
  # qemu redirects only the paths that exist in the root: fontconfig writes its cache here.
  mkdir -p "$root/var/cache/fontconfig"
}

# The loaders. Wine 8.0 starts every new process by executing <its own folder>/<its own
# name>, adding or dropping "64" for the other machine, and ignores WINELOADER. So the 32-bit
# loader runs as "wineq" (this wrapper, which starts it under qemu with that name), and a
# copy of the host's 64-bit loader sits beside it as "wineq64", finding the host's 64-bit
# DLLs through a link: a 32-bit process then starts 64-bit children and the reverse.
qv_i686_loaders() {
  local root=$QV_I686_ROOT
  cat >"$root/usr/lib/wine/wineq" <<EOF
#!/bin/sh
# The 32-bit Wine loader under qemu, named so that Wine starts its processes through here.
WINELOADERNOEXEC=1 exec "$root/usr/bin/qemu-i386" -0 "$root/usr/lib/wine/wineq" -L "$root" "$root/usr/lib/wine/wine" "\$@"
EOF
  chmod +x "$root/usr/lib/wine/wineq"
  cp /usr/lib/wine/wine64 "$root/usr/lib/wine/wineq64"
  mkdir -p "$root/usr/lib/x86_64-linux-gnu"
  ln -sfn /usr/lib/x86_64-linux-gnu/wine "$root/usr/lib/x86_64-linux-gnu/wine"
}

# qv_i686_env KIND PREFIX: the environment of a prefix of that kind: win32 (every process
# 32-bit, as on Windows 9x or 32-bit Windows) or win64 (64-bit Windows, where the i686
# program runs as a 32-bit program beside 64-bit ones).
qv_i686_env() {
  export WINEPREFIX=$2 WINEARCH=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADERNOEXEC=1
  export WINESERVER=/usr/lib/wine/wineserver64
}

# qv_i686_wine ARGS...: the loader of the prefix's kind, as `wine` is for the host's prefixes.
qv_i686_wine() {
  if [[ ${WINEARCH:-} == win64 ]]; then "$QV_I686_LOADER"64 "$@"; else "$QV_I686_LOADER" "$@"; fi
}

# qv_i686_prefix KIND PREFIX [win98]: makes the prefix once; win98 makes Wine report
# Windows 98 (GetVersion 4.10) to the programs of a win32 prefix.
qv_i686_prefix() {
  qv_i686_ensure
  qv_i686_env "$1" "$2"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    qv_log "creating $1 Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    qv_i686_wine wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    [[ -f $WINEPREFIX/system.reg ]] || qv_i686_fail "wineboot made no prefix in $WINEPREFIX"
    [[ ${3:-} == win98 ]] && qv_i686_wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1
    "$WINESERVER" -w
    # scripts/wine.sh runs the prefix's programs with the emulated loaders.
    echo "$1" >"$WINEPREFIX/.qv-emulated"
  fi
  qv_wine_fonts
}

#!/usr/bin/env bash
# Prints the size of each release file beside its budget (and fails when one is over it).
# Then measures what waiting for the installer costs: runs `qvconfig.exe start` under 64-bit
# Wine with the stand-in installer holding its -e step for 10 s (QV_BENCH_DELAY_MS), and prints
# the processor time qvconfig.exe used during that run beside the wall time. Goal: under 1 %
# of one core. Needs no display: the prefix uses Wine's null display driver.
set -euo pipefail
source "$(dirname "$0")/common.sh"

DELAY_MS=${QV_BENCH_DELAY_MS:-10000}
BENCH_PREFIX=$QV_BUILD/bench-prefix
INSTALL_DIR='C:\Program Files\Quorvel Bench'
INSTALL_DIR_HOST="$BENCH_PREFIX/drive_c/Program Files/Quorvel Bench"
TICKS=$(getconf CLK_TCK)
SAMPLE_S=0.05

# The Linux process of the Wine program `name` (as /proc/PID/comm shows it) in our prefix.
find_wine_process() {
  local name=$1 pid
  for pid in $(pgrep -x -- "$name" 2>/dev/null); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$BENCH_PREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

# Processor time of a process so far (user + system, all threads), in clock ticks.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null; }
now_ms() { date +%s%3N; }
# A process that has ended may linger as a zombie until its parent collects it.
running() {
  local state
  state=$(awk '{ sub(/^.*\) /, ""); print $1 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [[ -n $state && $state != [ZX] ]]
}

prepare_prefix() {
  qv_wine_prefix "$BENCH_PREFIX"
  qv_wine_start
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null
  mkdir -p "$INSTALL_DIR_HOST"
  local standin
  for standin in tarnset.exe qvdriver.sys qvdriver.inf; do cp "$(qv_built_file x86_64 $standin)" "$INSTALL_DIR_HOST/"; done
  rm -f "$INSTALL_DIR_HOST/tarnset.log"
  # The harness's sensible settings (no start at boot), with this installation's directory.
  wine "$(qv_built_file x86_64 qvseed.exe)" "$INSTALL_DIR"
  wine reg add 'HKLM\Software\QuorvelTestBed' /v DelayMs_e /t REG_DWORD /d "$DELAY_MS" /f >/dev/null
}

# Leaves the prefix without the driver and the knob, whatever happened.
cleanup() {
  wine reg delete 'HKLM\Software\QuorvelTestBed' /f >/dev/null 2>&1 || true
  wine "$INSTALL_DIR_HOST/tarnset.exe" -u >/dev/null 2>&1 || true
  qv_wine_stop
}

# Follows qvconfig.exe from its start to its end, and the slow installer run inside it.
measure() {
  local started qv waited_from="" waited_to="" cpu_from=0 cpu_to=0 cpu_last=0 installer ticks
  started=$(now_ms)
  wine "$QV_EXE" start &
  local wine_pid=$!
  until qv=$(find_wine_process qvconfig.exe); do
    kill -0 "$wine_pid" 2>/dev/null || { echo "qvconfig.exe did not start" >&2; return 1; }
    sleep "$SAMPLE_S"
  done
  while running "$qv"; do
    ticks=$(cpu_ticks "$qv") || break
    [[ -n $ticks ]] && cpu_last=$ticks
    if [[ -z $waited_from ]] && installer=$(find_wine_process tarnset.exe) &&
       tr '\0' ' ' <"/proc/$installer/cmdline" | grep -q -- ' -e'; then
      waited_from=$(now_ms)
      cpu_from=$cpu_last
    elif [[ -n $waited_from && -z $waited_to ]] && ! running "$installer"; then
      waited_to=$(now_ms)
      cpu_to=$cpu_last
    fi
    sleep "$SAMPLE_S"
  done
  wait "$wine_pid" || true
  local ended
  ended=$(now_ms)
  [[ -n $waited_from && -n $waited_to ]] || { echo "the slow installer run was not seen" >&2; return 1; }

  local wait_ms=$((waited_to - waited_from)) wait_cpu_ms=$(((cpu_to - cpu_from) * 1000 / TICKS))
  qv_log "qvconfig.exe start, with the installer's -e step held for $DELAY_MS ms"
  printf 'while the installer ran: wall %6d ms, qvconfig.exe processor time %5d ms (%s %% of one core)\n' \
    "$wait_ms" "$wait_cpu_ms" "$(awk -v c="$wait_cpu_ms" -v w="$wait_ms" 'BEGIN { printf "%.2f", 100 * c / w }')"
  printf 'whole run (start-up included): wall %6d ms, qvconfig.exe processor time %5d ms or more\n' \
    "$((ended - started))" "$((cpu_last * 1000 / TICKS))"
  printf '(processor time is counted in steps of %d ms)\n' "$((1000 / TICKS))"
  printf 'installer log:\n'
  sed 's/^/  /' "$INSTALL_DIR_HOST/tarnset.log"
  awk -v c="$wait_cpu_ms" -v w="$wait_ms" 'BEGIN { exit !(100 * c < w) }' ||
    { echo "over the goal of 1 % of one core" >&2; return 1; }
}

qv_ensure_packages
for arch in "${QV_RELEASE_ARCHES[@]}"; do
  qv_log "release files for $arch"
  qv_build_release "$arch"
done
qv_log "sizes of the release files"
qv_release_sizes
qv_log "x86_64 build"
QV_TARGETS="qvconfig tarnset qvdriver qvseed" qv_build_x86_64
QV_EXE=$(qv_built_file x86_64 qvconfig.exe)
prepare_prefix
trap cleanup EXIT
measure

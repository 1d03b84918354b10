# The i686 qvconfig.exe (sourced by check-binaries.sh, with ARCH and EXE) computes doubles at
# 53-bit precision: its start-up's _fpreset is msvcrt.dll's (linked through CRT_fp8.o), which
# sets the x87 as Microsoft's run-time does, not MinGW's own bare fninit, which leaves it at
# 64 bits and rounds twice.
takes_fpreset_from_msvcrt() {
  qv_pe_imports "$1" | grep -qx 'msvcrt.dll!_fpreset' ||
    { echo "without CRT_fp8.o its x87 rounds doubles twice"; return 1; }
}
if [[ $ARCH == i686 ]]; then qv_check takes_fpreset_from_msvcrt "$EXE"; fi

# The portable tests as 32-bit x87 code, the floating point of the i686 Windows build:
# a static 32-bit Linux program (this kernel runs no 32-bit program), run under qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=i686 -mfpmath=387")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=i686 -mfpmath=387")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
# A static program cannot carry the sanitizers; the native tree runs the tests with them.
set(QV_SANITIZE OFF)

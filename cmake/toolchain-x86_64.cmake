# Cross build for 64-bit Windows with MinGW-w64; its tests run under 64-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QV_TRIPLE x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. This tree is not the Windows 9x target, so the product may use it too.
set(CMAKE_C_COMPILER ${QV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The Windows headers of the first 64-bit Windows, Server 2003 SP1 and XP x64 (0x0502),
# with the Internet Explorer and common controls they shipped (6.0 SP2, 0x0603), so that
# nothing newer can be used unseen (the top-level CMakeLists.txt applies them to every target).
set(QV_WINDOWS_HEADERS WINVER=0x0502 _WIN32_WINNT=0x0502 _WIN32_IE=0x0603)

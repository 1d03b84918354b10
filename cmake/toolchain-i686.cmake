# Cross build for 32-bit Windows (the Windows 95/98/ME target) with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_TRIPLE i686-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model of GCC 12
# lacks. The release files take the win32 model (toolchain-i686-release.cmake).
set(CMAKE_C_COMPILER ${QV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The Windows headers of Windows 95 and its first common controls, so that nothing newer
# can be used unseen (the top-level CMakeLists.txt applies them to every target).
set(QV_WINDOWS_HEADERS WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0300)

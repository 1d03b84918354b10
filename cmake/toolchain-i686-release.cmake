# The i686 release files: the i686 cross build with GCC's win32 thread model. The posix
# model is there for GoogleTest's std::mutex; the program runs one thread and does not
# need the winpthread library that the posix model links in.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-i686.cmake)
set(CMAKE_C_COMPILER ${QV_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QV_TRIPLE}-g++-win32)

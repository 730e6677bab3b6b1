# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (posix threads).
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZB_WIN_ARCH win32)
# SSE2 for the pixel code's vectors, and SSE arithmetic so that floating-point results match the
# 64-bit build's (x87 keeps excess precision). Callers such as the system and other modules may
# enter our callbacks with a stack aligned to 4 bytes only: realign where SSE locals need it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Cross-compiles for 64-bit Windows with MinGW-w64 (posix thread model). The release is the
# 32-bit program; this build runs the tests on machines whose kernel runs 64-bit code only.
set(KVR_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# 64-bit Windows: the same sources, built for machines whose kernel runs no 32-bit
# programs (Wine then has no 32-bit side); the tests run on this build there.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

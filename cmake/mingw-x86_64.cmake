# The 64-bit Windows program, for testing under 64-bit Wine where the machine cannot start
# 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OSTREL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# The 32-bit Windows program, the one that ships: it runs on every Windows PC.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(OSTREL_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

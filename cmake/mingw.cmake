# Cross-compiling to Windows with Debian's mingw-w64 toolchains; the including file names the
# processor (i686 for the 32-bit program that ships, x86_64 for machines that cannot run 32-bit
# Wine) and the loader that runs the result under Wine.
set(CMAKE_SYSTEM_NAME Windows)

# The posix threads variant: the settings reader guards its cache with std::mutex, which the
# win32 variant's library lacks.
set(OSTREL_MINGW_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${OSTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OSTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${OSTREL_MINGW_PREFIX}-windres)
set(CMAKE_AR ${OSTREL_MINGW_PREFIX}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${OSTREL_MINGW_PREFIX}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${OSTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each function and object in a section of its own, so that the linker drops what the program
# never calls.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")

# Everything of the compiler's own runtime (libgcc, libstdc++, winpthreads) is linked in, so
# that the program needs no DLL but the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets Wine run the cross-built test helpers that CMake or CTest may start.
set(CMAKE_CROSSCOMPILING_EMULATOR ${OSTREL_WINE_LOADER})

# Cross-builds for 64-bit Windows with Debian's mingw-w64 toolchain (packages
# g++-mingw-w64-x86-64-posix and wine64): the POSIX threading variant, which
# std::thread needs, and Wine to run what was built (tests included: ctest
# runs them through CMAKE_CROSSCOMPILING_EMULATOR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries the C and C++ run-time libraries and the threads
# library, so that nothing needs copying beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Wine in a prefix of the build folder's own (made when the build is
# configured), through cmake/wine-run.sh, whatever the user's home holds.
# Debian's wine64 alone puts its programs in /usr/lib/wine.
find_program(VELORIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(VELORIN_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VELORIN_WINE AND VELORIN_WINESERVER)
    set(VELORIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${VELORIN_WINEPREFIX}
        ${VELORIN_WINE} ${VELORIN_WINESERVER})
endif()

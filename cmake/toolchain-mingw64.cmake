# Cross-compiles for Windows x64 with Debian's mingw-w64 (posix threads, so that
# std::thread works). Executables link libgcc, libstdc++, winpthread and zlib
# statically and depend on system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HB_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${HB_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HB_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${HB_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The static zlib archive, not the import library of the DLL.
set(ZLIB_LIBRARY /usr/${HB_MINGW_PREFIX}/lib/libz.a CACHE FILEPATH "zlib for Windows")
set(ZLIB_INCLUDE_DIR /usr/${HB_MINGW_PREFIX}/include CACHE PATH "zlib headers for Windows")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Chooses the platform folder every module builds its backend from, and the
# emulator that runs Windows executables when they are cross-compiled here.
if(WIN32)
  set(HB_PLATFORM win32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0603)
else()
  set(HB_PLATFORM posix)
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # Every Windows executable that CTest or a build step runs goes through Wine,
  # in a prefix of this build tree that scripts/wine-run.sh creates on first use.
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env "HB_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" "${PROJECT_SOURCE_DIR}/scripts/wine-run.sh"
      CACHE STRING "Runs cross-compiled executables" FORCE)
endif()

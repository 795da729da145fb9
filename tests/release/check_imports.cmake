# Checks the DLLs a Windows executable imports. None may be one that must be
# loaded from System32 at run time (d2d1, dwrite, windowscodecs, oleacc): the
# program runs elevated from a downloads folder, where an imported DLL could
# be found next to it. With ALLOWED, every import must also be on that list
# (names compared without regard to case).
#   cmake -DOBJDUMP=... -DEXECUTABLE=... [-DALLOWED=a.dll,b.dll] -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${EXECUTABLE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the imports of ${EXECUTABLE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${EXECUTABLE}")
endif()
set(allowed)
if(DEFINED ALLOWED AND NOT ALLOWED STREQUAL "")
  string(TOLOWER "${ALLOWED}" allowed)
  string(REPLACE "," ";" allowed "${allowed}")
endif()
set(names)
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: *" "" name "${import}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" lower)
  if(lower MATCHES "d2d1|dwrite|windowscodecs|oleacc")
    message(FATAL_ERROR "${EXECUTABLE} imports ${name}; load it from System32 at run time instead")
  endif()
  if(allowed AND NOT lower IN_LIST allowed)
    message(FATAL_ERROR "${EXECUTABLE} imports ${name}, which is not on the allowed list: ${ALLOWED}")
  endif()
  list(APPEND names "${name}")
endforeach()
message(STATUS "${EXECUTABLE} imports: ${names}")

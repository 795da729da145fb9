# Fails when a Windows executable imports a DLL that must be loaded from
# System32 only (d2d1, dwrite, windowscodecs): the program runs elevated from
# a downloads folder, where an imported DLL could be found next to it.
#   cmake -DOBJDUMP=... -DEXECUTABLE=... -P check_imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXECUTABLE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the imports of ${EXECUTABLE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${EXECUTABLE}")
endif()
foreach(import IN LISTS imports)
  string(TOLOWER "${import}" lower)
  if(lower MATCHES "d2d1|dwrite|windowscodecs")
    message(FATAL_ERROR "${EXECUTABLE} imports ${import}; load it from System32 at run time instead")
  endif()
endforeach()
message(STATUS "${EXECUTABLE}: ${imports}")

# Signs a freshly linked executable in place with osslsigncode (Authenticode,
# SHA-256), keeping the unsigned file as UNSIGNED. Called after the link:
#   cmake -DOSSLSIGNCODE=... -DEXECUTABLE=... -DUNSIGNED=...
#         (-DPKCS12=... | -DCERT=... -DKEY=...) [-DPASSWORD_FILE=...]
#         [-DTIMESTAMP_URL=...] [-DDESCRIPTION=...] -P sign_executable.cmake
# When signing fails, the executable is removed, so that no unsigned file
# stands under the signed name and the next build links and signs again.
cmake_minimum_required(VERSION 3.25)

foreach(var OSSLSIGNCODE EXECUTABLE UNSIGNED)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "sign_executable.cmake needs -D${var}=...")
  endif()
endforeach()

set(arguments sign)
if(DEFINED PKCS12 AND NOT PKCS12 STREQUAL "")
  list(APPEND arguments -pkcs12 "${PKCS12}")
elseif(DEFINED CERT AND DEFINED KEY AND NOT CERT STREQUAL "" AND NOT KEY STREQUAL "")
  list(APPEND arguments -certs "${CERT}" -key "${KEY}")
else()
  message(FATAL_ERROR "sign_executable.cmake needs -DPKCS12=... or -DCERT=... and -DKEY=...")
endif()
if(DEFINED PASSWORD_FILE AND NOT PASSWORD_FILE STREQUAL "")
  list(APPEND arguments -readpass "${PASSWORD_FILE}")
endif()
if(DEFINED TIMESTAMP_URL AND NOT TIMESTAMP_URL STREQUAL "")
  list(APPEND arguments -ts "${TIMESTAMP_URL}")
endif()
if(DEFINED DESCRIPTION AND NOT DESCRIPTION STREQUAL "")
  list(APPEND arguments -n "${DESCRIPTION}")
endif()

set(signing "${EXECUTABLE}.signing")
file(REMOVE "${signing}")
file(COPY_FILE "${EXECUTABLE}" "${UNSIGNED}")
execute_process(COMMAND "${OSSLSIGNCODE}" ${arguments} -h sha256 -in "${UNSIGNED}" -out "${signing}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed OR NOT EXISTS "${signing}")
  file(REMOVE "${EXECUTABLE}" "${signing}")
  message(FATAL_ERROR "signing ${EXECUTABLE} failed (${failed}):\n${output}")
endif()
file(RENAME "${signing}" "${EXECUTABLE}")
# osslsigncode writes its output without the execute bits of the linked file.
file(CHMOD "${EXECUTABLE}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)

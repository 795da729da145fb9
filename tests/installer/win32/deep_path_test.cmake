# The installer reads its own path whole, however deep its folder: a copy of
# print_executable_path.exe in a folder whose path is longer than 260
# characters must print that whole path.
#   cmake -DPROGRAM=<exe> -DWORK=<folder> "-DEMULATOR=<wine runner>" -P deep_path_test.cmake
set(folder "${WORK}")
foreach(level RANGE 1 12)
  set(folder "${folder}/a_folder_name_of_twenty_five_chars_${level}")
endforeach()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}")
file(COPY "${PROGRAM}" DESTINATION "${folder}")
get_filename_component(name "${PROGRAM}" NAME)
string(LENGTH "${folder}/${name}" length)
if(length LESS 300)
  message(FATAL_ERROR "the test folder is only ${length} characters deep")
endif()
execute_process(COMMAND ${EMULATOR} "${folder}/${name}" OUTPUT_VARIABLE printed RESULT_VARIABLE result
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the copy failed to run: ${result}")
endif()
# Wine reports the Linux folder through its Z: drive with backslashes.
string(REPLACE "\\" "/" printed "${printed}")
string(REGEX REPLACE "^[A-Za-z]:" "" printed "${printed}")
if(NOT printed STREQUAL "${folder}/${name}")
  message(FATAL_ERROR "executable_path gave\n  ${printed}\nfor\n  ${folder}/${name}")
endif()
string(LENGTH "${printed}" printed_length)
message(STATUS "the whole path of ${printed_length} characters")
file(REMOVE_RECURSE "${WORK}")

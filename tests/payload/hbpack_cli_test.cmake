# Runs the hbpack program end to end, as other checks call it: create, list,
# verify and extract, their exit status and their messages. Called by CTest with
#   -DHBPACK=<program> -DEMULATOR=<list, empty when native> -DWORK=<scratch folder>
cmake_minimum_required(VERSION 3.25)

function(hbpack expected_status output_var)
  execute_process(COMMAND ${EMULATOR} ${HBPACK} ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "hbpack ${ARGN}: exit ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_in text wanted)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected to find \"${wanted}\" in:\n${text}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/source)
set(files Halbrook/a.orx Halbrook/Maps/b.dds top.txt)
file(WRITE ${source}/Halbrook/a.orx "<orx/>\n")
string(REPEAT "0123456789abcdef" 4096 block)
file(WRITE ${source}/Halbrook/Maps/b.dds "${block}${block}")
file(WRITE ${source}/top.txt "top\n")

hbpack(0 out create ${source} ${WORK}/pack.hbp)
hbpack(0 out create ${source} ${WORK}/again.hbp)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/pack.hbp ${WORK}/again.hbp RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "two runs of create gave different archives")
endif()

hbpack(0 out list ${WORK}/pack.hbp)
expect_in("${out}" "dir   Halbrook\n")
expect_in("${out}" "dir   Halbrook/Maps\n")
expect_in("${out}" "file  Halbrook/Maps/b.dds  size 131072  packed ")
expect_in("${out}" "2 directories, 3 files, 131083 bytes")

hbpack(0 out verify ${WORK}/pack.hbp)
expect_in("${out}" "sound")

file(MAKE_DIRECTORY ${WORK}/target)
hbpack(0 out extract ${WORK}/pack.hbp ${WORK}/target)
expect_in("${out}" "code 0: every directory and file was processed")
foreach(name IN LISTS files)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${source}/${name} ${WORK}/target/${name}
                  RESULT_VARIABLE differ)
  file(TIMESTAMP ${source}/${name} packed_time "%s" UTC)
  file(TIMESTAMP ${WORK}/target/${name} extracted_time "%s" UTC)
  if(differ OR NOT packed_time STREQUAL extracted_time)
    message(FATAL_ERROR "${name} did not round-trip (times ${packed_time} and ${extracted_time})")
  endif()
endforeach()

# Failures: non-zero status, and a message naming the cause.
hbpack(1 out extract ${WORK}/pack.hbp ${WORK}/missing)
expect_in("${out}" "missing/top.txt: code 20: an output file cannot be opened")
file(WRITE ${WORK}/not_an_archive.hbp "plain text, not an archive")
hbpack(1 out verify ${WORK}/not_an_archive.hbp)
expect_in("${out}" "(code 11)")
hbpack(1 out extract ${WORK}/not_an_archive.hbp ${WORK}/target)
expect_in("${out}" "not_an_archive.hbp: code 11: ")
hbpack(1 out list ${WORK}/absent.hbp)
expect_in("${out}" "absent.hbp: cannot be opened for reading")
hbpack(1 out create ${WORK}/absent ${WORK}/x.hbp)
expect_in("${out}" "absent: is not a folder")
hbpack(2 out)
expect_in("${out}" "usage: hbpack create SOURCE_DIR ARCHIVE")
hbpack(2 out verify)
file(REMOVE_RECURSE ${WORK})

# Turns one file into a C++ source that defines its bytes as constant data:
#   cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DSYMBOL=<name> -P embed.cmake
# defines hb::resources::<name>[] and hb::resources::<name>_size, which
# resources/embedded.h declares. Plain CMake, so it runs on every build host.
foreach(var INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "embed.cmake: ${INPUT} is empty")
endif()

# Sixteen bytes per line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# (CMake's regular expressions have no {n} repetition, so the group is spelt out.)
string(REPEAT "0x..," 16 line_of_bytes)
string(REGEX REPLACE "(${line_of_bytes})" "\\1\n  " bytes "${bytes}")

get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${name} by resources/embed.cmake; do not edit.\n"
  "#include \"resources/embedded.h\"\n\n"
  "namespace hb::resources {\n\n"
  "extern const unsigned char ${SYMBOL}[] = {\n  ${bytes}\n};\n"
  "extern const std::size_t ${SYMBOL}_size = ${size};\n\n"
  "}  // namespace hb::resources\n")
# Only touch the output when it changes, so dependants do not rebuild needlessly.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

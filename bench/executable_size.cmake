# Prints the size of an executable, of the payload archive it embeds, and of
# the executable without it:
#   cmake -DEXECUTABLE=<exe> -DARCHIVE=<archive> -P executable_size.cmake
file(SIZE "${EXECUTABLE}" executable)
file(SIZE "${ARCHIVE}" archive)
math(EXPR program "${executable} - ${archive}")
math(EXPR program_kib "${program} / 1024")
message("executable: ${executable} bytes")
message("embedded archive: ${archive} bytes")
message("the program without its payload: ${program} bytes (${program_kib} KiB; goal: 1.5 MB)")

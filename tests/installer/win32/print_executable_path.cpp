// Prints the path installer::executable_path() finds for this program, as
// UTF-8, for the test that runs a copy of it from a folder deeper than 260
// characters.
#include <cstdio>

#include "hbsdk/filesystem/encoding.h"
#include "installer/elevation.h"

int main() {
  std::printf("%s\n", hbsdk::filesystem::to_utf8(installer::executable_path()).c_str());
  return 0;
}

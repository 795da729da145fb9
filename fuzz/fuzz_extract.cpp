// libFuzzer target for extract_archive: each input is extracted into a fresh
// folder, which is removed afterwards. Besides the sanitizers' checks, it
// stops on a code without a meaning and on anything written beside the target.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "hbsdk/filesystem/std_path.h"

namespace {

std::filesystem::path fresh_folder() {
  static unsigned long counter = 0;
  const auto folder = std::filesystem::temp_directory_path() /
                      ("hb_fuzz_extract_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "target");
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path folder = fresh_folder();
  const std::int32_t code = installer::extract_archive(data, size, hbsdk::filesystem::from_std_path(folder / "target"));

  if (std::strcmp(installer::extract_message(code), "unknown extraction code") == 0) {
    std::cerr << "extract_archive returned an unknown code " << code << '\n';
    std::abort();
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename() != "target") {
      std::cerr << "written outside the target: " << entry.path() << '\n';
      std::abort();
    }
  }
  std::filesystem::remove_all(folder);
  return 0;
}

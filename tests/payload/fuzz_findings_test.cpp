// Inputs the fuzzer found interesting, kept as files named "<code>_<what>.hbp":
// each must give its code and write nothing beside the target.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "installer/payload/extract_archive.h"
#include "payload_test_support.h"
#include "tools/hbpack/file_bytes.h"
#include "hbsdk/filesystem/std_path.h"

using namespace payload_test;

TEST(fuzz_findings, each_input_gives_its_code_and_stays_inside_the_target) {
  const std::filesystem::path data(HB_PAYLOAD_TEST_DATA);
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(data)) {
    const std::string name = hbsdk::filesystem::utf8_text(entry.path().filename());
    SCOPED_TRACE(name);
    const int expected = std::stoi(name.substr(0, name.find('_')));
    const bytes archive = hbpack::read_file_bytes(entry.path());
    temp_folder outer;
    std::filesystem::create_directory(outer.path() / "target");
    EXPECT_EQ(installer::extract_archive(archive.data(), archive.size(), hbsdk::filesystem::from_std_path(outer.path() / "target")),
              expected);
    for (const auto& written : std::filesystem::directory_iterator(outer.path())) {
      EXPECT_EQ(written.path().filename(), "target");
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

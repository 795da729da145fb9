// Whole runs in an executable that carries the payload: the archive the build
// embedded, extracted for real into temporary folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "installer/asset_library.h"
#include "installer/payload_locator.h"
#include "installer/system.h"
#include "scoped_variable.h"
#include "settings_sandbox.h"
#include "hbsdk/filesystem/std_path.h"
#include "support/temp_folder.h"

namespace stdfs = std::filesystem;
using installer::testing::scoped_variable;
using installer::testing::settings_sandbox;
using hb_test::temp_folder;

namespace {

struct counts {
  int folders = 0;
  int files = 0;
};

counts count_below(const stdfs::path& root) {
  counts found;
  for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
    if (entry.is_directory()) ++found.folders;
    if (entry.is_regular_file()) ++found.files;
  }
  return found;
}

std::int32_t run_into(const hbsdk::filesystem::file_path& target) {
  installer::System system;
  EXPECT_TRUE(system.start(target));
  system.join();
  EXPECT_TRUE(system.done());
  return system.status();
}

hbsdk::filesystem::file_path recorded_folder() {
  const scoped_variable no_variable("ORRERY_USER_PATH", "Z:/not-this");
  return installer::find_asset_library("OrreryUserPath", "ORRERY_USER_PATH");
}

}  // namespace

TEST(embedded_payload, holds_the_archive_file_byte_for_byte) {
  const auto payload = installer::find_payload();
  ASSERT_TRUE(payload.has_value());
  std::ifstream file(HB_TEST_ARCHIVE, std::ios::binary);
  ASSERT_TRUE(file.is_open()) << HB_TEST_ARCHIVE;
  const std::vector<char> expected{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_EQ(payload->length, expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<const char*>(payload->data)));
  const std::uint8_t magic[] = {0x68, 0x62, 0x5E, 0x1A};
  EXPECT_TRUE(payload->length >= 4 && std::equal(magic, magic + 4, payload->data));
}

TEST(payload_run, a_good_run_installs_the_pack_and_records_the_folder) {
  const settings_sandbox sandbox;
  const temp_folder folder;
  EXPECT_EQ(run_into(folder.file_path()), installer::install_status::succeeded);
  const counts found = count_below(folder.path());
  EXPECT_EQ(found.folders, 4);
  EXPECT_EQ(found.files, 68);
  EXPECT_TRUE(stdfs::is_directory(folder.path() / "Halbrook" / "Models" / "Tidewater_Kit" / "Maps"));
  EXPECT_EQ(recorded_folder(), folder.file_path());

  // Again over the same folder: existing folders are fine, files are overwritten.
  EXPECT_EQ(run_into(folder.file_path()), installer::install_status::succeeded);
  EXPECT_EQ(count_below(folder.path()).files, 68);
}

TEST(payload_run, an_unopenable_first_file_ends_with_200_and_records_nothing) {
  const settings_sandbox sandbox;
  const temp_folder folder;
  const hbsdk::filesystem::file_path earlier("/earlier/library");
  ASSERT_TRUE(installer::record_asset_library("OrreryUserPath", earlier));
  // The target does not exist, so its first folder cannot be made and the
  // first file cannot be opened.
  const hbsdk::filesystem::file_path target = hbsdk::filesystem::from_std_path(folder.path() / "missing");
  EXPECT_EQ(run_into(target), 200);
  EXPECT_EQ(recorded_folder(), earlier) << "a failed run leaves the stored folder as it was";
  EXPECT_TRUE(stdfs::is_empty(folder.path()));
}

// The asset library folder on Linux: recorded the way Linux writes paths,
// read back in that form and in the older backslash form, and no folder at
// all when nothing names one.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "hbsdk/filesystem/file_path.h"
#include "installer/asset_library.h"
#include "installer/posix/settings_location.h"
#include "installer/settings_store.h"
#include "scoped_variable.h"
#include "settings_sandbox.h"

namespace fs = hbsdk::filesystem;
using installer::testing::scoped_variable;
using installer::testing::settings_sandbox;

namespace {

std::string settings_file_text() {
  const auto file = installer::settings_file_location();
  if (!file) return {};
  std::ifstream in(*file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

installer::asset_library_lookup look_up() {
  return installer::look_up_asset_library(installer::asset_library_value, installer::asset_library_variable);
}

}  // namespace

TEST(recorded_folder, is_written_with_slashes) {
  const settings_sandbox sandbox;
  ASSERT_TRUE(installer::record_asset_library(installer::asset_library_value, fs::file_path("/tmp/x y/library")));
  const std::string text = settings_file_text();
  EXPECT_NE(text.find("OrreryUserPath=/tmp/x y/library\n"), std::string::npos) << text;
  EXPECT_EQ(text.find('\\', text.find("OrreryUserPath=")), std::string::npos) << text;
  EXPECT_EQ(look_up().folder, fs::file_path("/tmp/x y/library"));
}

TEST(recorded_folder, an_older_backslash_value_still_reads) {
  const settings_sandbox sandbox;
  auto store = installer::settings_store::open(installer::settings_key, installer::settings_store::mode::write);
  ASSERT_TRUE(store.has_value());
  ASSERT_TRUE(store->write_text(u"OrreryUserPath", u"\\tmp\\old\\library"));
  const installer::asset_library_lookup found = look_up();
  EXPECT_EQ(found.folder, fs::file_path("/tmp/old/library"));
  EXPECT_EQ(found.source, installer::asset_library_source::stored);
}

TEST(recorded_folder, nothing_stored_and_no_home_is_no_folder) {
  const settings_sandbox sandbox;
  const scoped_variable no_variable(std::string(installer::asset_library_variable), std::nullopt);
  const scoped_variable no_home("HOME", std::nullopt);
  const scoped_variable no_config("XDG_CONFIG_HOME", std::nullopt);
  const installer::asset_library_lookup found = look_up();
  EXPECT_TRUE(found.folder.empty());
  EXPECT_EQ(found.source, installer::asset_library_source::none);
}

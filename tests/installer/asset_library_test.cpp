#include "installer/asset_library.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "hbsdk/filesystem/encoding.h"
#include "installer/documents_folder.h"
#include "installer/settings_store.h"
#include "settings_sandbox.h"
#include "scoped_variable.h"

namespace fs = hbsdk::filesystem;
using installer::testing::scoped_variable;
using installer::testing::settings_sandbox;

namespace {

constexpr const char* value_name = "OrreryUserPath";
constexpr const char* variable_name = "ORRERY_USER_PATH";

void store(const std::string& folder) {
  auto opened = installer::settings_store::open(installer::settings_key, installer::settings_store::mode::write);
  ASSERT_TRUE(opened.has_value());
  ASSERT_TRUE(opened->write_text(u"OrreryUserPath", fs::to_wide(folder)));
}

fs::file_path lookup() { return installer::find_asset_library(value_name, variable_name); }

}  // namespace

TEST(asset_library, first_source_that_answers_wins) {
  struct case_t {
    const char* label;
    std::optional<std::string> stored;
    std::optional<std::string> variable;
    std::optional<std::u16string> expected;  // nothing: the Documents folder
  };
  const std::string long_stored = "R:/" + std::string(321, 'r');  // 324 characters
  const std::string too_long_stored = "R:/" + std::string(32765, 'r');  // 32768 characters
  const case_t cases[] = {
      {"store over environment", "R:/lib/Orrery", "E:/env", u"R:\\lib\\Orrery"},
      {"empty stored value", "", "E:/env", u""},
      {"environment when nothing stored", std::nullopt, "E:/env/lib", u"E:\\env\\lib"},
      {"empty variable counts as not set", std::nullopt, "", std::nullopt},
      {"neither source", std::nullopt, std::nullopt, std::nullopt},
      {"324 stored characters are read whole", long_stored, "E:/env", fs::file_path(long_stored).text()},
      {"longer than any path is skipped", too_long_stored, "E:/env", u"E:\\env"},
      {"longer than any path, no variable", too_long_stored, std::nullopt, std::nullopt},
      {"trailing separator kept as stored", "R:/lib/", std::nullopt, u"R:\\lib\\"},
  };
  for (const auto& c : cases) {
    const settings_sandbox sandbox;
    const scoped_variable variable(variable_name, c.variable);
    if (c.stored) store(*c.stored);
    const fs::file_path expected = c.expected ? fs::file_path(std::u16string_view(*c.expected))
                                              : installer::documents_folder();
    EXPECT_EQ(lookup(), expected) << c.label;
  }
}

TEST(asset_library, long_environment_values_are_read_whole) {
  for (const std::size_t length : {499u, 500u, 501u, 1200u}) {
    const settings_sandbox sandbox;
    const std::string folder = "E:/" + std::string(length - 3, 'e');
    const scoped_variable variable(variable_name, folder);
    EXPECT_EQ(lookup(), fs::file_path(folder)) << length << " characters";
  }
}

TEST(asset_library, documents_folder_has_no_trailing_separator) {
  const fs::file_path documents = installer::documents_folder();
  ASSERT_FALSE(documents.empty());
  EXPECT_NE(documents.text().back(), u'\\');
}

TEST(asset_library, a_recorded_folder_is_found_again_exactly) {
  const std::u16string folders[] = {u"", u"C:\\Users\\ann\\Documents", u"\\home\\ann\\Biblioth\u00E8que\\",
                                    u"C:\\100%\\x=y\\[z]"};
  for (const auto& folder : folders) {
    const settings_sandbox sandbox;
    const scoped_variable variable(variable_name, "E:/env");
    ASSERT_TRUE(installer::record_asset_library(value_name, fs::file_path(std::u16string_view(folder))));
    EXPECT_EQ(lookup().text(), folder);
  }
}

TEST(asset_library, recording_replaces_the_earlier_value) {
  const settings_sandbox sandbox;
  ASSERT_TRUE(installer::record_asset_library(value_name, fs::file_path("C:/first")));
  ASSERT_TRUE(installer::record_asset_library(value_name, fs::file_path("C:/second")));
  EXPECT_EQ(lookup(), fs::file_path("C:/second"));
}

TEST(asset_library, the_lookup_names_its_source) {
  using installer::asset_library_source;
  struct case_t {
    const char* label;
    std::optional<std::string> stored;
    std::optional<std::string> variable;
    asset_library_source source;
  };
  const case_t cases[] = {
      {"stored value", "R:/lib", "E:/env", asset_library_source::stored},
      {"variable", std::nullopt, "E:/env", asset_library_source::environment},
      {"Documents", std::nullopt, std::nullopt, asset_library_source::documents},
      {"Documents after an empty variable", std::nullopt, "", asset_library_source::documents},
  };
  for (const auto& c : cases) {
    const settings_sandbox sandbox;
    const scoped_variable variable(variable_name, c.variable);
    if (c.stored) store(*c.stored);
    const installer::asset_library_lookup found = installer::look_up_asset_library(value_name, variable_name);
    EXPECT_EQ(found.source, c.source) << c.label;
    EXPECT_EQ(found.folder, lookup()) << c.label;
    EXPECT_FALSE(found.folder.empty()) << c.label;
  }
}

TEST(asset_library, a_long_recorded_folder_is_read_back_whole) {
  for (const std::size_t length : {249u, 250u, 324u, 1000u, 32767u}) {
    const settings_sandbox sandbox;
    const scoped_variable variable(variable_name, "E:/env");
    const fs::file_path folder(std::u16string(u"C:\\") + std::u16string(length - 3, u'x'));
    ASSERT_TRUE(installer::record_asset_library(value_name, folder));
    const installer::asset_library_lookup found = installer::look_up_asset_library(value_name, variable_name);
    EXPECT_EQ(found.folder, folder) << length << " characters";
    EXPECT_EQ(found.source, installer::asset_library_source::stored) << length << " characters";
  }
}

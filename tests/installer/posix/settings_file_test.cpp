// The Linux settings store: where its file lives, how it is read and how it is
// replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hbsdk/filesystem/posix/posix_path.h"
#include "installer/posix/file_io.h"
#include "installer/posix/settings_location.h"
#include "installer/record_location.h"
#include "installer/settings_store.h"
#include "scoped_variable.h"
#include "support/temp_folder.h"

using installer::settings_store;
using installer::testing::scoped_variable;
using hb_test::temp_folder;
namespace stdfs = std::filesystem;

namespace {

std::string slurp(const stdfs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

void spill(const stdfs::path& path, const std::string& text) {
  stdfs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::optional<std::u16string> read_value(std::size_t max_units = 249) {
  const auto store = settings_store::open(installer::settings_key, settings_store::mode::read);
  return store ? store->read_text(u"OrreryUserPath", max_units) : std::nullopt;
}

bool write_value(std::u16string_view value) {
  auto store = settings_store::open(installer::settings_key, settings_store::mode::write);
  return store && store->write_text(u"OrreryUserPath", value);
}

// A settings file of the test's own, named through HB_SETTINGS_FILE.
struct settings_file_test : ::testing::Test {
  temp_folder folder;
  stdfs::path file = folder.path() / "cfg" / "settings";
  scoped_variable variable{installer::settings_file_variable, file.string()};
};

}  // namespace

TEST(settings_location, override_then_xdg_then_home) {
  struct case_t {
    const char* label;
    std::optional<std::string> file, config, home;
    std::optional<std::string> expected;
  };
  const case_t cases[] = {
      {"override wins", "/o/s", "/c", "/h", "/o/s"},
      {"empty override ignored", "", "/c", "/h", "/c/halbrook/settings"},
      {"XDG config folder", std::nullopt, "/c", "/h", "/c/halbrook/settings"},
      {"relative XDG folder ignored", std::nullopt, "rel", "/h", "/h/.config/halbrook/settings"},
      {"home", std::nullopt, std::nullopt, "/h", "/h/.config/halbrook/settings"},
      {"trailing slashes", std::nullopt, "/c/", "/h/", "/c/halbrook/settings"},
      {"home of '/'", std::nullopt, std::nullopt, "/", "/.config/halbrook/settings"},
      {"nothing to go by", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const scoped_variable file(installer::settings_file_variable, c.file);
    const scoped_variable config("XDG_CONFIG_HOME", c.config);
    const scoped_variable home("HOME", c.home);
    EXPECT_EQ(installer::settings_file_location(), c.expected) << c.label;
  }
}

// The record of an installation follows the same rule in the data folder.
TEST(settings_location, the_record_lives_in_the_data_folder) {
  struct case_t {
    const char* label;
    std::optional<std::string> file, data, home;
    std::optional<std::string> expected;
  };
  const case_t cases[] = {
      {"override wins", "/o/r", "/d", "/h", "/o/r"},
      {"XDG data folder", std::nullopt, "/d/", "/h", "/d/halbrook/tidewater-kit-pack.record"},
      {"home", std::nullopt, "rel", "/h/", "/h/.local/share/halbrook/tidewater-kit-pack.record"},
      {"nothing to go by", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {"not UTF-8", "/o/\xff", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const scoped_variable file(installer::record_file_variable, c.file);
    const scoped_variable data("XDG_DATA_HOME", c.data);
    const scoped_variable home("HOME", c.home);
    const auto found = installer::record_file_location();
    const std::optional<std::string> text =
        found ? std::optional<std::string>(hbsdk::filesystem::to_posix(*found)) : std::nullopt;
    EXPECT_EQ(text, c.expected) << c.label;
  }
}

TEST_F(settings_file_test, a_missing_file_holds_no_value) {
  EXPECT_FALSE(settings_store::open(installer::settings_key, settings_store::mode::read).has_value());
  EXPECT_FALSE(read_value());
}

TEST_F(settings_file_test, writing_creates_the_folder_and_the_documented_format) {
  ASSERT_TRUE(write_value(u"\\home\\ann\\Documents"));
  EXPECT_EQ(slurp(file), "[SOFTWARE\\Halbrook]\nOrreryUserPath=\\home\\ann\\Documents\n");
  EXPECT_EQ(read_value(), u"\\home\\ann\\Documents");
  EXPECT_EQ(stdfs::status(file).permissions() & stdfs::perms::all,
            stdfs::perms::owner_read | stdfs::perms::owner_write | stdfs::perms::group_read |
                stdfs::perms::others_read);
}

TEST_F(settings_file_test, writing_keeps_other_values_and_permissions_and_leaves_no_temporary_file) {
  spill(file, "# written by hand\n[SOFTWARE\\Halbrook]\nOther=1\nOrreryUserPath=old\n[Elsewhere]\nX=2\n");
  stdfs::permissions(file, stdfs::perms::owner_read | stdfs::perms::owner_write);
  ASSERT_TRUE(write_value(u"new"));
  EXPECT_EQ(slurp(file), "# written by hand\n[SOFTWARE\\Halbrook]\nOther=1\nOrreryUserPath=new\n[Elsewhere]\nX=2\n");
  EXPECT_EQ(stdfs::status(file).permissions() & stdfs::perms::all,
            stdfs::perms::owner_read | stdfs::perms::owner_write);
  EXPECT_EQ(std::distance(stdfs::directory_iterator(file.parent_path()), stdfs::directory_iterator()), 1);
}

TEST_F(settings_file_test, values_that_do_not_fit_or_are_not_text_read_as_missing) {
  struct case_t {
    const char* label;
    std::string line;
    std::optional<std::u16string> expected;
  };
  const case_t cases[] = {
      {"fits exactly", "OrreryUserPath=" + std::string(249, 'a'), std::u16string(249, u'a')},
      {"one unit too many", "OrreryUserPath=" + std::string(250, 'a'), std::nullopt},
      {"multi-byte characters count once", "OrreryUserPath=" + repeat("\xC3\xA9", 249), std::u16string(249, u'\u00E9')},
      {"characters above U+FFFF count twice", "OrreryUserPath=" + std::string(248, 'a') + "\xF0\x9F\x98\x80",
       std::nullopt},
      {"not UTF-8", "OrreryUserPath=\xFF\xFE", std::nullopt},
  };
  for (const auto& c : cases) {
    spill(file, "[SOFTWARE\\Halbrook]\n" + c.line + "\n");
    EXPECT_EQ(read_value(), c.expected) << c.label;
  }
}

TEST_F(settings_file_test, an_unreadable_file_holds_no_value_and_is_not_replaced) {
  // A folder where the file should be cannot be read, even by root.
  stdfs::create_directories(file / "inside");
  EXPECT_FALSE(read_value());
  EXPECT_FALSE(write_value(u"x"));
  EXPECT_TRUE(stdfs::is_directory(file / "inside"));
}

TEST_F(settings_file_test, a_failed_replacement_leaves_the_old_file) {
  spill(file, "keep me\n");
  // No temporary file can be made below a path that is a file.
  EXPECT_FALSE(installer::replace_file_atomically((file / "x").string(), "new"));
  EXPECT_EQ(slurp(file), "keep me\n");
}

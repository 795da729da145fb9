// The Documents folder on Linux and the user-dirs.dirs reader behind it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "installer/documents_folder.h"
#include "installer/posix/user_dirs.h"
#include "scoped_variable.h"
#include "support/temp_folder.h"

using installer::testing::scoped_variable;
using hb_test::temp_folder;

TEST(user_dirs, documents_entry_is_found_and_expanded) {
  struct case_t {
    const char* label;
    const char* text;
    std::optional<std::string> expected;
  };
  const case_t cases[] = {
      {"home relative", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "/home/ann/Docs"},
      {"absolute", "XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/srv/docs"},
      {"home itself", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/ann"},
      {"among others, with comments",
       "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\nXDG_MUSIC_DIR=\"$HOME/M\"\n",
       "/home/ann/Dokumente"},
      {"escapes undone", "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\" \\$x\"\n", "/home/ann/My \"Docs\" $x"},
      {"last assignment wins", "XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"\n", "/home/ann/b"},
      {"relative ignored", "XDG_DOCUMENTS_DIR=\"Docs\"\n", std::nullopt},
      {"other variable ignored", "$HOME/x\nXDG_DOCUMENTS_DIRS=\"$HOME/x\"\n", std::nullopt},
      {"$HOME prefix of a longer word", "XDG_DOCUMENTS_DIR=\"$HOMEx/y\"\n", std::nullopt},
      {"unquoted ignored", "XDG_DOCUMENTS_DIR=$HOME/Docs\n", std::nullopt},
      {"unterminated ignored", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\n", std::nullopt},
      {"commented out", "#XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(installer::documents_dir_from_user_dirs(c.text, "/home/ann"), c.expected) << c.label;
  }
  EXPECT_EQ(installer::documents_dir_from_user_dirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"", ""), std::nullopt)
      << "no home to expand";
  EXPECT_EQ(installer::documents_dir_from_user_dirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"", "/"), "/Docs")
      << "home of '/'";
}

TEST(documents_folder, xdg_entry_then_home_documents) {
  temp_folder folder;
  const std::string home = folder.path().string() + "/home";
  const std::string config = folder.path().string() + "/config";
  std::filesystem::create_directories(config);
  std::filesystem::create_directories(home + "/.config");
  std::ofstream(config + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n";
  std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/srv/shared docs\"\n";

  struct case_t {
    const char* label;
    std::optional<std::string> home, config;
    std::string expected;  // as a POSIX path
  };
  const case_t cases[] = {
      {"XDG_CONFIG_HOME's file, trailing slash dropped", home, config, home + "/Dokumente"},
      {"~/.config's file", home, std::nullopt, "/srv/shared docs"},
      {"no file: $HOME/Documents", folder.path().string(), std::nullopt, folder.path().string() + "/Documents"},
      {"home of '/'", "/", "/nonexistent", "/Documents"},
      {"nothing to go by", std::nullopt, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    const scoped_variable home_variable("HOME", c.home);
    const scoped_variable config_variable("XDG_CONFIG_HOME", c.config);
    EXPECT_EQ(installer::documents_folder(), hbsdk::filesystem::file_path(c.expected)) << c.label;
  }
}

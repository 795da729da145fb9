#include "installer/payload/archive_name.h"

#include <gtest/gtest.h>

#include <string>

using installer::archive_name_to_path;
using installer::extract_code;
using namespace std::string_literals;

TEST(archive_name, plain_relative_names_become_paths) {
  struct good_case {
    std::string name;
    const char16_t* path;
  };
  const good_case cases[] = {
      {"Halbrook", u"Halbrook"},
      {"Halbrook/Models/Tidewater_Kit/Maps/Tidewater_AcUnit_01_Diffuse.dds",
       u"Halbrook\\Models\\Tidewater_Kit\\Maps\\Tidewater_AcUnit_01_Diffuse.dds"},
      {"Mod\xC3\xA8les/\xE2\x82\xAC.txt", u"Mod\u00E8les\\\u20AC.txt"},
      {"a.b/..c/c..d", u"a.b\\..c\\c..d"},  // dots inside a name are fine
      {".hidden", u".hidden"},
      {"CONSOLE/COM10/LPT0/nul_x", u"CONSOLE\\COM10\\LPT0\\nul_x"},  // only exact device names are refused
      {"ab\0/../../x"s, u"ab"},               // a name ends at its first zero byte
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    hbsdk::filesystem::file_path path;
    EXPECT_EQ(archive_name_to_path(c.name, path), extract_code::ok);
    EXPECT_EQ(path.text(), c.path);
  }
}

TEST(archive_name, refuses_names_that_could_leave_the_target) {
  const std::string cases[] = {
      "",              // the target itself
      "\0abc"s,        // empty once cut at the zero
      "..",
      "../evil",
      "a/../../evil",
      "a/..",
      ".",
      "a/./b",
      "...",           // Windows trims trailing dots and spaces...
      ".. ",           // ...so these could act as ".."
      "a/. ./b",
      "c..",           // a trailing dot or space would be dropped on one route
      "a./b",          // to a Windows file and kept on another
      "Maps/b.dds ",
      "/etc/passwd",   // leading separator
      "\\Windows",
      "\\\\server\\share\\x",
      "a//b",          // empty component
      "a/",            // trailing separator
      "a\\..\\..\\b",  // the backslash is a separator too
      "C:/Windows",    // drive letter
      "C:x",
      "c:",
      "file.txt:stream",  // alternate data stream
      "CON",
      "aux.txt",
      "Maps/nul",
      "Maps/Com1.dds",
      "lpt9 .txt",
      std::string(installer::longest_archive_name + 1, 'x'),
  };
  for (const auto& name : cases) {
    SCOPED_TRACE(name.substr(0, 40));
    hbsdk::filesystem::file_path path(u"unchanged");
    EXPECT_EQ(archive_name_to_path(name, path), extract_code::unsafe_name);
    EXPECT_EQ(path.text(), u"unchanged");
  }
}

TEST(archive_name, malformed_utf8_is_a_code_not_an_exception) {
  for (const std::string& name : {"\x80"s, "Maps/\xC3"s, "a\xED\xA0\x80"s, "\xF8\x88\x80\x80\x80"s}) {
    hbsdk::filesystem::file_path path;
    EXPECT_EQ(archive_name_to_path(name, path), extract_code::name_not_utf8);
  }
}

TEST(archive_name, longest_allowed_name_is_accepted) {
  hbsdk::filesystem::file_path path;
  EXPECT_EQ(archive_name_to_path(std::string(installer::longest_archive_name, 'x'), path), extract_code::ok);
}

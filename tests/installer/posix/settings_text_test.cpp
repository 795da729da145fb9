#include "installer/posix/settings_text.h"

#include <gtest/gtest.h>

using installer::settings_text;

namespace {
constexpr const char* key = "SOFTWARE\\Halbrook";
}

TEST(settings_text, reads_values_of_the_named_section) {
  struct case_t {
    const char* label;
    const char* text;
    std::optional<std::string> expected;
  };
  const case_t cases[] = {
      {"plain", "[SOFTWARE\\Halbrook]\nOrreryUserPath=C:\\x\n", "C:\\x"},
      {"names ignore ASCII case", "[software\\HALBROOK]\norreryuserpath=C:\\x\n", "C:\\x"},
      {"empty value", "[SOFTWARE\\Halbrook]\nOrreryUserPath=\n", ""},
      {"value keeps '=' and spaces", "[SOFTWARE\\Halbrook]\nOrreryUserPath= a=b \n", " a=b "},
      {"CRLF line ends", "[SOFTWARE\\Halbrook]\r\nOrreryUserPath=C:\\x\r\n", "C:\\x"},
      {"no final line break", "[SOFTWARE\\Halbrook]\nOrreryUserPath=C:\\x", "C:\\x"},
      {"escapes decoded", "[SOFTWARE\\Halbrook]\nOrreryUserPath=100%25%0Ax\n", "100%\nx"},
      {"lone percent kept", "[SOFTWARE\\Halbrook]\nOrreryUserPath=5%z%4\n", "5%z%4"},
      {"first of duplicates", "[SOFTWARE\\Halbrook]\nOrreryUserPath=a\nOrreryUserPath=b\n", "a"},
      {"other section only", "[SOFTWARE\\Other]\nOrreryUserPath=C:\\x\n", std::nullopt},
      {"value in a later section", "[SOFTWARE\\Halbrook]\n[SOFTWARE\\Other]\nOrreryUserPath=x\n", std::nullopt},
      {"commented out", "[SOFTWARE\\Halbrook]\n#OrreryUserPath=x\n;OrreryUserPath=y\n", std::nullopt},
      {"line without '='", "[SOFTWARE\\Halbrook]\nOrreryUserPath\n", std::nullopt},
      {"empty text", "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(settings_text(c.text).value(key, "OrreryUserPath"), c.expected) << c.label;
  }
}

TEST(settings_text, setting_a_value_keeps_every_other_line) {
  struct case_t {
    const char* label;
    const char* before;
    const char* after;
  };
  const case_t cases[] = {
      {"new file", "", "[SOFTWARE\\Halbrook]\nOrreryUserPath=C:\\new\n"},
      {"replaces in place",
       "# mine\n[SOFTWARE\\Halbrook]\nA=1\norreryuserpath=old\nB=2\n\n[X]\nOrreryUserPath=keep\n",
       "# mine\n[SOFTWARE\\Halbrook]\nA=1\nOrreryUserPath=C:\\new\nB=2\n\n[X]\nOrreryUserPath=keep\n"},
      {"adds at the end of its section, before blank lines", "[SOFTWARE\\Halbrook]\nA=1\n\n\n[X]\nY=2\n",
       "[SOFTWARE\\Halbrook]\nA=1\nOrreryUserPath=C:\\new\n\n\n[X]\nY=2\n"},
      {"adds the section after the others", "[X]\nY=2", "[X]\nY=2\n\n[SOFTWARE\\Halbrook]\nOrreryUserPath=C:\\new\n"},
      {"unknown lines survive", "garbage line\n[SOFTWARE\\Halbrook]\n???\n",
       "garbage line\n[SOFTWARE\\Halbrook]\n???\nOrreryUserPath=C:\\new\n"},
  };
  for (const auto& c : cases) {
    settings_text text(c.before);
    text.set_value(key, "OrreryUserPath", "C:\\new");
    EXPECT_EQ(text.text(), c.after) << c.label;
  }
}

TEST(settings_text, any_text_survives_a_round_trip) {
  struct case_t {
    const char* key;
    const char* name;
    const char* value;
  };
  const case_t cases[] = {
      {key, "OrreryUserPath", "C:\\100%\\a\nb\rc"},
      {key, "a=b", "=x="},
      {key, "[looks like a section]", "y]"},
      {key, "#not a comment", "v"},
      {"odd]key\nwith break", "n", "v"},
      {key, "n", "\xC3\xA9t\xC3\xA9 %41"},
  };
  for (const auto& c : cases) {
    settings_text text;
    text.set_value(c.key, c.name, c.value);
    text.set_value(c.key, "other", "o");
    const settings_text reread(text.text());
    EXPECT_EQ(reread.value(c.key, c.name), std::optional<std::string>(c.value)) << c.name;
    EXPECT_EQ(reread.value(c.key, "other"), std::optional<std::string>("o")) << c.name;
  }
}

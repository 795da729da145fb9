#include "hbsdk/filesystem/file_path.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace fs = hbsdk::filesystem;
using fs::file_path;
using namespace std::string_literals;

TEST(file_path, default_is_empty) {
  const file_path path;
  EXPECT_TRUE(path.empty());
  EXPECT_EQ(path.text(), u"");
  EXPECT_EQ(path.native()[0], u'\0');
}

TEST(file_path, slashes_become_backslashes_on_construction) {
  EXPECT_EQ(file_path(u"a/b\\c").text(), u"a\\b\\c");
  EXPECT_EQ(file_path("a/b\\c").text(), u"a\\b\\c");
  EXPECT_EQ(file_path(u"//server/share/").text(), u"\\\\server\\share\\");
  // Nothing else is normalised.
  EXPECT_EQ(file_path("C:/Lib/./x/../y//z").text(), u"C:\\Lib\\.\\x\\..\\y\\\\z");
  EXPECT_EQ(file_path("MiXeD/Case").text(), u"MiXeD\\Case");
}

TEST(file_path, construction_stops_at_the_first_zero) {
  EXPECT_EQ(file_path(u"ab\0cd"s).text(), u"ab");
  EXPECT_EQ(file_path("ab\0cd"s).text(), u"ab");
  EXPECT_TRUE(file_path(static_cast<const char*>(nullptr)).empty());
  EXPECT_TRUE(file_path(static_cast<const char16_t*>(nullptr)).empty());
}

TEST(file_path, utf8_text_is_decoded_and_converted_back) {
  const file_path path("C:/Biblioth\xC3\xA8que/\xF0\x9F\x98\x80");
  EXPECT_EQ(path.text(), u"C:\\Biblioth\u00E8que\\\U0001F600");
  EXPECT_EQ(path.to_utf8(), "C:\\Biblioth\xC3\xA8que\\\xF0\x9F\x98\x80");
  EXPECT_THROW(file_path("bad\xC3"), std::range_error);
}

TEST(file_path, join_inserts_exactly_one_backslash) {
  struct join_case {
    const char16_t* left;
    const char16_t* right;
    const char16_t* joined;
  };
  const join_case cases[] = {
      {u"C:\\Lib", u"Models\\a.obj", u"C:\\Lib\\Models\\a.obj"},
      {u"C:\\Lib\\", u"\\Models\\a.obj", u"C:\\Lib\\Models\\a.obj"},
      {u"C:\\Lib\\", u"Models", u"C:\\Lib\\Models"},
      {u"C:\\Lib", u"\\Models", u"C:\\Lib\\Models"},
      {u"C:\\x", u"", u"C:\\x"},                    // empty right: no separator added
      {u"", u"Models\\a.obj", u"Models\\a.obj"},    // empty left: right unchanged
      {u"", u"\\Models", u"Models"},                // the one leading separator still goes
      {u"", u"", u""},
      {u"x", u"\\\\y", u"x\\\\y"},                  // only one leading separator is dropped
      {u"x", u"D:\\y", u"x\\D:\\y"},                // a drive letter is plain text
      {u"x", u"..\\y", u"x\\..\\y"},                // so is a parent reference
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fs::file_path(c.left).to_utf8() + " + " + fs::file_path(c.right).to_utf8());
    EXPECT_EQ(join(file_path(c.left), file_path(c.right)).text(), c.joined);
  }
}

TEST(file_path, join_leaves_its_operands_unchanged) {
  const file_path left(u"C:\\Lib");
  const file_path right(u"\\Models");
  const file_path joined = left / right;
  EXPECT_EQ(joined.text(), u"C:\\Lib\\Models");
  EXPECT_EQ(left.text(), u"C:\\Lib");
  EXPECT_EQ(right.text(), u"\\Models");
}

TEST(file_path, copies_are_independent) {
  file_path original(u"C:\\a");
  file_path copy = original;
  original = original / file_path(u"b");
  EXPECT_EQ(copy.text(), u"C:\\a");
  EXPECT_EQ(original.text(), u"C:\\a\\b");
}

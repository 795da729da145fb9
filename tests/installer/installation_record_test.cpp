// The record's text form: what is written reads back the same, and text
// that is not a whole record of this format is refused, never half used.
#include <gtest/gtest.h>

#include <string>

#include "installer/installation_record.h"

namespace fs = hbsdk::filesystem;
using installer::installation_record;
using installer::parse_record;

namespace {

installation_record odd_record() {
  installation_record record;
  record.version = "1.2.3";
#ifdef _WIN32
  record.target = fs::file_path(u"C:\\Users\\Ann\\Documents\\100% mine");
#else
  record.target = fs::file_path("/home/ann/100% mine\nsecond line");
#endif
  record.directories = {"Halbrook", "Halbrook/Tidewater Kit"};
  record.files = {{"Halbrook/Tidewater Kit/read me.txt", 1024, 1'700'000'000, 0x89abcdefu},
                  {"Halbrook/50%\r\nodd.bin", 0, 0, 0}};
  return record;
}

}  // namespace

TEST(installation_record, reads_back_what_it_wrote_with_escaped_names) {
  const installation_record record = odd_record();
  const std::string text = installer::format_record(record);
  EXPECT_EQ(text.rfind("tidewater-kit-record 1\nversion 1.2.3\n", 0), 0u) << text;
  EXPECT_NE(text.find("file 1024 1700000000 89abcdef Halbrook/Tidewater Kit/read me.txt\n"), std::string::npos);
  EXPECT_NE(text.find("Halbrook/50%25%0D%0Aodd.bin"), std::string::npos);
  std::string error;
  const auto read = parse_record(text, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(*read, record);
}

TEST(installation_record, refuses_text_that_is_not_a_whole_record) {
  const std::string head = "tidewater-kit-record 1\nversion 1\ntarget /x\n";
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"another format", "tidewater-kit-record 2\ntarget /x\n"},
      {"no target", "tidewater-kit-record 1\nversion 1\n"},
      {"cut inside a line", head + "file 1 2 0000000"},
      {"size not a number", head + "file x 2 00000000 a\n"},
      {"negative time", head + "file 1 -2 00000000 a\n"},
      {"short checksum", head + "file 1 2 abc a\n"},
      {"checksum not hex", head + "file 1 2 0000000g a\n"},
      {"file without a name", head + "file 1 2 00000000 \n"},
      {"bad escape", head + "directory a%41\n"},
      {"escape cut short", head + "directory a%2\n"},
      {"unknown line", head + "folder a\n"},
      {"empty directory", head + "directory \n"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(parse_record(c.text, error)) << c.label;
    EXPECT_FALSE(error.empty()) << c.label;
  }
}

#include "installer/payload/extract_code.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using installer::extract_code;
using installer::extract_message;

TEST(extract_code, every_code_has_its_own_message) {
  const extract_code codes[] = {
      extract_code::ok,           extract_code::bad_magic,          extract_code::file_table_overrun,
      extract_code::data_outside_archive, extract_code::name_not_utf8, extract_code::unsafe_name,
      extract_code::bad_target,   extract_code::out_of_memory,      extract_code::link_in_the_way,
      extract_code::cannot_open_output,
      extract_code::inflate_failed, extract_code::write_failed,     extract_code::data_exhausted,
      extract_code::directory_table_overrun, extract_code::inflate_init_failed};
  const std::string unknown = extract_message(-1);
  std::set<std::string> messages;
  for (const auto code : codes) {
    const std::string message = extract_message(to_int(code));
    EXPECT_FALSE(message.empty());
    EXPECT_NE(message, unknown) << to_int(code);
    EXPECT_TRUE(messages.insert(message).second) << "shared message: " << message;
    // The install worker reports ten times a code and keeps 100 for a missing
    // payload and 2 for success: no code may map onto those.
    EXPECT_NE(to_int(code), 10);
  }
  EXPECT_EQ(unknown, "unknown extraction code");
  EXPECT_EQ(std::string(extract_message(21)), unknown);
}

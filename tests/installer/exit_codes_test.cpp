// The exit-code tables: distinct codes per platform, the fixed deployment
// values on Windows, 0-255 on Linux, and the code of every failure class.
#include "installer/exit_codes.h"

#include <gtest/gtest.h>

#include <set>

using installer::exit_code;
using installer::exit_platform;
using installer::exit_reason;
using installer::failure_kind;

TEST(exit_code_tables, codes_are_distinct_where_a_tool_must_tell_them_apart) {
  std::set<int> windows_codes, linux_codes;
  for (const auto& row : installer::exit_code_table) {
    EXPECT_GE(row.linux_code, 0);
    EXPECT_LE(row.linux_code, 255);
    EXPECT_EQ(exit_code(row.reason, exit_platform::windows), row.windows_code);
    EXPECT_EQ(exit_code(row.reason, exit_platform::posix), row.linux_code);
    EXPECT_TRUE(linux_codes.insert(row.linux_code).second) << row.linux_code;
    // Windows has no missing display: it shares the code of an installer that cannot run.
    if (row.reason != exit_reason::no_display) {
      EXPECT_TRUE(windows_codes.insert(row.windows_code).second) << row.windows_code;
    }
  }
  EXPECT_EQ(windows_codes.size() + 1, installer::exit_code_table.size());
}

TEST(exit_code_tables, windows_uses_the_values_deployment_tools_map) {
  EXPECT_EQ(exit_code(exit_reason::success, exit_platform::windows), 0);
  EXPECT_EQ(exit_code(exit_reason::cancelled, exit_platform::windows), 1602);
  EXPECT_EQ(exit_code(exit_reason::another_running, exit_platform::windows), 1618);
  EXPECT_EQ(exit_code(exit_reason::bad_command_line, exit_platform::windows), 1639);
  EXPECT_EQ(exit_code(exit_reason::disk_full, exit_platform::windows), 112);
  EXPECT_EQ(exit_code(exit_reason::not_installed, exit_platform::windows), 1605);
  EXPECT_EQ(exit_code(exit_reason::damaged_record, exit_platform::windows), 1610);
  EXPECT_EQ(exit_code(exit_reason::removal_incomplete, exit_platform::windows), 1627);
  EXPECT_EQ(exit_code(exit_reason::success, exit_platform::posix), 0);
  EXPECT_EQ(exit_code(exit_reason::bad_command_line, exit_platform::posix), 2);
}

TEST(exit_code_tables, every_failure_class_has_its_own_reason) {
  EXPECT_EQ(installer::exit_reason_for(failure_kind::none), exit_reason::success);
  EXPECT_EQ(installer::exit_reason_for(failure_kind::disk_full), exit_reason::disk_full);
  EXPECT_EQ(installer::exit_reason_for(failure_kind::cannot_write), exit_reason::cannot_write);
  EXPECT_EQ(installer::exit_reason_for(failure_kind::link_refused), exit_reason::link_refused);
  EXPECT_EQ(installer::exit_reason_for(failure_kind::damaged_payload), exit_reason::damaged_payload);
  EXPECT_EQ(installer::exit_reason_for(failure_kind::bad_destination), exit_reason::bad_destination);
}

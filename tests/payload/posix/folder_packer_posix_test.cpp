// A Linux file name may hold a backslash, which extraction (like Windows)
// takes for a folder separator: such a file cannot be packed as it is.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "payload_test_support.h"
#include "tools/hbpack/folder_packer.h"

using namespace payload_test;

TEST(folder_packer_posix, refuses_a_name_with_a_backslash_and_says_why) {
  for (const bool as_folder : {false, true}) {
    SCOPED_TRACE(as_folder ? "folder" : "file");
    temp_folder source;
    write_text(source.path() / "fine.txt", "fine");
    if (as_folder) {
      std::filesystem::create_directory(source.path() / "x\\y");
    } else {
      write_text(source.path() / "x\\y", "content");
    }
    try {
      hbpack::folder_packer packer(source.path());
      FAIL() << "packed";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("/x\\y: cannot be packed: its name holds a backslash"),
                std::string::npos)
          << error.what();
    }
  }
}

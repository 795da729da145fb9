#include <gtest/gtest.h>
#include <sys/stat.h>

#include "hbsdk/filesystem/file_ops.h"
#include "payload_test_support.h"

namespace fs = hbsdk::filesystem;

TEST(file_ops_posix, absolute_paths_start_at_the_root) {
  struct absolute_case {
    const char16_t* path;
    bool absolute;
  };
  const absolute_case cases[] = {
      {u"\\home\\user", true}, {u"/tmp", true},        {u"\\", true},
      {u"", false},            {u"home\\user", false}, {u"C:\\Lib", false},  // a drive letter means nothing here
      {u".", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fs::file_path(c.path).to_utf8());
    EXPECT_EQ(fs::is_absolute(fs::file_path(c.path)), c.absolute);
  }
}

TEST(file_ops_posix, only_the_last_write_time_can_be_set) {
  payload_test::temp_folder folder;
  payload_test::write_text(folder.path() / "f", "x");
  const fs::file_path path = folder.file_path() / fs::file_path("f");
  ASSERT_TRUE(fs::stamp_file_times(path, 1'000'000'000, 1'469'664'000));
  const auto times = fs::read_file_times(path);
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->last_write, 1'469'664'000u);
  EXPECT_EQ(times->creation, times->last_write) << "the creation time is reported as the last-write time";
}

TEST(file_ops_posix, a_fifo_where_a_file_goes_is_refused_at_once) {
  // Opening a FIFO for writing would wait for a reader for ever.
  payload_test::temp_folder folder;
  ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0666), 0);
  fs::directory_handle handle;
  ASSERT_TRUE(handle.open(folder.file_path()));
  fs::output_file file;
  EXPECT_EQ(file.open_in(handle, u"pipe"), fs::open_result::failed);
  EXPECT_FALSE(file.is_open());
}

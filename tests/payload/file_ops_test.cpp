#include "hbsdk/filesystem/file_ops.h"

#include <gtest/gtest.h>

#include <string>

#include "payload_test_support.h"

using namespace payload_test;
namespace fs = hbsdk::filesystem;

TEST(file_ops, output_file_creates_truncates_and_reports_failures) {
  temp_folder folder;
  const fs::file_path path = folder.file_path() / fs::file_path("out.bin");
  write_text(folder.path() / "out.bin", "old content that is longer");
  {
    fs::output_file file;
    ASSERT_TRUE(file.open(path));
    const std::string text = "line\r\nnext\n\x1A end";  // binary: no newline translation, no end-of-file byte
    EXPECT_TRUE(file.write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.is_open());
    EXPECT_TRUE(file.close()) << "closing twice is harmless";
    EXPECT_FALSE(file.write(reinterpret_cast<const std::uint8_t*>("x"), 1)) << "a closed file takes no writes";
  }
  EXPECT_EQ(read_text(folder.path() / "out.bin"), "line\r\nnext\n\x1A end");

  fs::output_file nowhere;
  EXPECT_FALSE(nowhere.open(folder.file_path() / fs::file_path("missing/out.bin")));
  EXPECT_FALSE(nowhere.is_open());
}

TEST(file_ops, create_directory_makes_one_level) {
  temp_folder folder;
  EXPECT_TRUE(fs::create_directory(folder.file_path() / fs::file_path("a")));
  EXPECT_FALSE(fs::create_directory(folder.file_path() / fs::file_path("a"))) << "it exists";
  EXPECT_FALSE(fs::create_directory(folder.file_path() / fs::file_path("x/y"))) << "its parent is missing";
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"a"});
}

TEST(file_ops, times_are_stamped_and_read_back) {
  temp_folder folder;
  write_text(folder.path() / "f", "x");
  const fs::file_path path = folder.file_path() / fs::file_path("f");
  for (const std::uint64_t seconds : {std::uint64_t{0}, std::uint64_t{1'469'664'000}, std::uint64_t{4'102'444'800}}) {
    SCOPED_TRACE(seconds);
    EXPECT_TRUE(fs::stamp_file_times(path, seconds, seconds));
    const auto times = fs::read_file_times(path);
    ASSERT_TRUE(times.has_value());
    EXPECT_EQ(times->last_write, seconds);
  }
  EXPECT_FALSE(fs::stamp_file_times(folder.file_path() / fs::file_path("absent"), 0, 0));
  EXPECT_FALSE(fs::read_file_times(folder.file_path() / fs::file_path("absent")).has_value());
}

TEST(file_ops, a_time_too_large_for_the_system_leaves_that_time_alone) {
  temp_folder folder;
  write_text(folder.path() / "f", "x");
  const fs::file_path path = folder.file_path() / fs::file_path("f");
  ASSERT_TRUE(fs::stamp_file_times(path, 1'469'664'000, 1'469'664'000));
  EXPECT_FALSE(fs::stamp_file_times(path, ~std::uint64_t{0}, ~std::uint64_t{0}));
  EXPECT_EQ(fs::read_file_times(path)->last_write, 1'469'664'000u);
}

TEST(file_ops, windows_file_times_convert_without_wrapping) {
  struct conversion_case {
    std::uint64_t seconds;
    std::optional<std::uint64_t> ticks;
  };
  const conversion_case cases[] = {
      {0, 116'444'736'000'000'000ull},                       // 1970-01-01
      {1'469'664'000, 131'141'376'000'000'000ull},           // 2016-07-28
      {910'692'730'085, 9'223'372'036'850'000'000ull},       // the last second that fits
      {910'692'730'086, std::nullopt},
      {~std::uint64_t{0}, std::nullopt},                     // would wrap around in 64 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(fs::to_windows_file_time(c.seconds), c.ticks);
    if (c.ticks) {
      EXPECT_EQ(fs::from_windows_file_time(*c.ticks), c.seconds);
    }
  }
  EXPECT_EQ(fs::from_windows_file_time(116'444'735'990'000'000ull), std::nullopt) << "before 1970";
}

#include "hbsdk/filesystem/posix/posix_path.h"

#include <gtest/gtest.h>

namespace fs = hbsdk::filesystem;

TEST(posix_path, absolute_paths_survive_the_round_trip) {
  const fs::file_path path = fs::from_posix("/home/user/Documents");
  EXPECT_EQ(path.text(), u"\\home\\user\\Documents");
  EXPECT_EQ(fs::to_posix(path), "/home/user/Documents");
  EXPECT_EQ(fs::to_posix(fs::from_posix("/")), "/");
}

TEST(posix_path, joined_names_use_slashes_and_utf8) {
  const fs::file_path path = fs::from_posix("/tmp/lib") / fs::file_path("Halbrook/Mod\xC3\xA8les");
  EXPECT_EQ(fs::to_posix(path), "/tmp/lib/Halbrook/Mod\xC3\xA8les");
}

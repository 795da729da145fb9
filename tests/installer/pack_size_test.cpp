// The size of a pack read from its tables, and the free space it is compared with.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "hbsdk/filesystem/std_path.h"
#include "installer/free_space.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/archive_size.h"
#include "support/temp_folder.h"
#include "tools/hbpack/archive_writer.h"

namespace fs = hbsdk::filesystem;
using hb_test::temp_folder;

namespace {

std::vector<std::uint8_t> filled(std::size_t size) { return std::vector<std::uint8_t>(size, 0x5A); }

}  // namespace

TEST(pack_size, is_the_sum_of_the_uncompressed_files) {
  hbpack::archive_writer writer;
  writer.add_directory("a");
  writer.add_file("a/one", filled(70'000), 0, 0);
  writer.add_file("a/two", filled(3), 0, 0);
  writer.add_file("a/empty", {}, 0, 0);
  const auto archive = writer.build();
  const auto size = installer::measure_archive(archive.data(), archive.size());
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->bytes, 70'003u);
  EXPECT_EQ(size->files, 3u);
  EXPECT_EQ(installer::payload_size({archive.data(), archive.size()}), std::optional<std::uint64_t>(70'003u));

  hbpack::archive_writer empty;
  const auto nothing = empty.build();
  EXPECT_EQ(installer::payload_size({nothing.data(), nothing.size()}), std::optional<std::uint64_t>(0u));
}

TEST(pack_size, damaged_or_missing_tables_have_no_size) {
  hbpack::archive_writer writer;
  writer.add_directory("a");
  writer.add_file("a/one", filled(100), 0, 0);
  const auto archive = writer.build();
  // Where the tables end, as the reader walks them.
  installer::archive_reader reader(archive.data(), archive.size());
  installer::directory_record directory;
  installer::file_record file;
  ASSERT_EQ(reader.read_header(), installer::extract_code::ok);
  ASSERT_EQ(reader.read_directory(directory), installer::extract_code::ok);
  ASSERT_EQ(reader.read_file_count(), installer::extract_code::ok);
  ASSERT_EQ(reader.read_file(file), installer::extract_code::ok);
  const std::uint64_t tables_end = reader.position();
  ASSERT_LT(tables_end, archive.size());
  // Every cut inside the tables loses a record; cuts in the data after them do not.
  for (std::uint64_t cut = 0; cut < tables_end; ++cut) {
    EXPECT_FALSE(installer::measure_archive(archive.data(), cut).has_value()) << "cut at " << cut;
  }
  EXPECT_TRUE(installer::measure_archive(archive.data(), tables_end).has_value());
  // A directory count far beyond the archive.
  auto inflated = archive;
  inflated[4] = 0xFF;
  EXPECT_FALSE(installer::measure_archive(inflated.data(), inflated.size()).has_value());
  EXPECT_FALSE(installer::payload_size({nullptr, 0}).has_value());
}

TEST(free_space, measures_the_folder_or_its_nearest_existing_parent) {
  const temp_folder folder;
  const auto here = installer::free_space(folder.file_path());
  ASSERT_TRUE(here.has_value());
  EXPECT_GT(*here, 0u);
  const auto below = installer::free_space(fs::from_std_path(folder.path() / "not" / "yet" / "made"));
  ASSERT_TRUE(below.has_value()) << "a folder the run would create";
  // The same volume, measured a moment apart: allow for others writing meanwhile.
  const std::uint64_t slack = 64u << 20;
  EXPECT_LT(*below > *here ? *below - *here : *here - *below, slack);

  EXPECT_FALSE(installer::free_space(fs::file_path("relative/folder")).has_value());
  EXPECT_FALSE(installer::free_space(fs::file_path()).has_value());
}

// Extraction onto a real folder: what is created, what each fault returns and
// what it leaves behind.
#include "installer/payload/extract_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hbsdk/filesystem/file_ops.h"
#include "installer/payload/extract_code.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"
#include "hbsdk/filesystem/std_path.h"

using installer::extract_code;
using namespace payload_test;
namespace fs = hbsdk::filesystem;

namespace {

constexpr std::uint64_t july_28 = 1'469'664'000;  // 2016-07-28 00:00:00 UTC
constexpr std::uint64_t august_18 = 1'471'478'400;

std::int32_t extract(const bytes& archive, const temp_folder& target) {
  return installer::extract_archive(archive.data(), archive.size(), target.file_path());
}

extract_code code(std::int32_t value) { return static_cast<extract_code>(value); }

// Two directories and a file in each, the second spanning many chunks.
hbpack::archive_writer sample_writer() {
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_directory("Halbrook/Maps");
  writer.add_file("Halbrook/a.orx", bytes_of("model"), july_28, july_28 + 60);
  writer.add_file("Halbrook/Maps/b.dds", bytes_of(noise(70000)), august_18, august_18);
  return writer;
}

std::uint64_t last_write_of(const std::filesystem::path& file) {
  const auto times = fs::read_file_times(hbsdk::filesystem::from_std_path(file));
  return times ? times->last_write : 0;
}

}  // namespace

TEST(extract_archive, writes_every_directory_and_file) {
  hbpack::archive_writer writer = sample_writer();
  writer.add_file("top.txt", bytes_of(std::string(16384, 's')), july_28, july_28);  // exactly one output chunk
  writer.add_file("Halbrook/empty.txt", {}, july_28, july_28 + 5);
  // Stored blocks spanning exactly three chunks (zlib answers Z_BUF_ERROR on the way).
  writer.add_file("Halbrook/Maps/stored.dds", bytes_of(noise(3 * 16384, 7)), july_28, july_28, 0);
  temp_folder target;
  ASSERT_EQ(code(extract(writer.build(), target)), extract_code::ok);
  EXPECT_EQ(target.entries(), (std::vector<std::string>{"Halbrook", "Halbrook/Maps", "Halbrook/Maps/b.dds",
                                                        "Halbrook/Maps/stored.dds", "Halbrook/a.orx",
                                                        "Halbrook/empty.txt", "top.txt"}));
  EXPECT_EQ(read_text(target.path() / "Halbrook/Maps/stored.dds"), noise(3 * 16384, 7));
  EXPECT_EQ(read_text(target.path() / "Halbrook/a.orx"), "model");
  EXPECT_EQ(read_text(target.path() / "Halbrook/Maps/b.dds"), noise(70000));
  EXPECT_EQ(read_text(target.path() / "top.txt"), std::string(16384, 's'));
  EXPECT_EQ(read_text(target.path() / "Halbrook/empty.txt"), "");
  EXPECT_EQ(last_write_of(target.path() / "Halbrook/a.orx"), july_28 + 60);
  EXPECT_EQ(last_write_of(target.path() / "Halbrook/Maps/b.dds"), august_18);
  EXPECT_EQ(last_write_of(target.path() / "Halbrook/empty.txt"), july_28 + 5) << "empty files are stamped too";
}

TEST(extract_archive, a_wrong_magic_byte_creates_nothing) {
  const bytes good = sample_writer().build();
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    bytes archive = good;
    archive[i] ^= 0x20;
    temp_folder target;
    EXPECT_EQ(code(extract(archive, target)), extract_code::bad_magic);
    EXPECT_TRUE(target.entries().empty());
  }
}

TEST(extract_archive, archives_without_files_or_directories) {
  hbpack::archive_writer only_directories;
  only_directories.add_directory("a");
  only_directories.add_directory("a/b");
  temp_folder first;
  EXPECT_EQ(code(extract(only_directories.build(), first)), extract_code::ok);
  EXPECT_EQ(first.entries(), (std::vector<std::string>{"a", "a/b"}));

  // With no directories the file count stands at byte 8.
  const bytes archive = byte_builder().magic().u32(0).u32(1).name("f").fixed(1, 0, 0).data();
  temp_folder second;
  EXPECT_EQ(code(extract(archive, second)), extract_code::ok);
  EXPECT_EQ(second.entries(), std::vector<std::string>{"f"});
}

TEST(extract_archive, the_stream_alone_decides_the_content) {
  const bytes stream = zlib_of("actual content");
  byte_builder archive;
  archive.magic().u32(0).u32(3);
  const std::uint32_t tables = 4 + 4 + 4 + 3 * (4 + 1 + 28);
  // No stream: an empty file, whatever size is recorded and wherever the offset points.
  archive.name("a").fixed(5000, 0, 0xFFFF'FFFF);
  // A recorded size that disagrees with the stream.
  archive.name("b").fixed(3, static_cast<std::uint32_t>(stream.size()), tables);
  // A compressed range longer than the stream: the rest is skipped.
  archive.name("c").fixed(14, static_cast<std::uint32_t>(stream.size() + 7), tables);
  archive.raw(stream).text("trailer");
  temp_folder target;
  ASSERT_EQ(code(extract(archive.data(), target)), extract_code::ok);
  EXPECT_EQ(read_text(target.path() / "a"), "");
  EXPECT_EQ(read_text(target.path() / "b"), "actual content");
  EXPECT_EQ(read_text(target.path() / "c"), "actual content");
}

TEST(extract_archive, a_stream_one_byte_short_leaves_a_partial_file) {
  const std::string content = noise(60000);
  const bytes stream = zlib_of(content);
  hbpack::archive_writer writer;
  writer.add_file("done.txt", bytes_of("kept"), july_28, july_28);
  writer.add_stream("cut.bin", static_cast<std::uint32_t>(content.size()), bytes(stream.begin(), stream.end() - 1),
                    july_28, july_28);
  writer.add_file("never.txt", bytes_of("x"), july_28, july_28);
  temp_folder target;
  EXPECT_EQ(code(extract(writer.build(), target)), extract_code::data_exhausted);
  EXPECT_EQ(target.entries(), (std::vector<std::string>{"cut.bin", "done.txt"}));
  EXPECT_EQ(last_write_of(target.path() / "done.txt"), july_28);
  // Only the checksum is missing, so all of the content may be there.
  const std::string partial = read_text(target.path() / "cut.bin");
  EXPECT_LE(partial.size(), content.size());
  EXPECT_EQ(content.compare(0, partial.size(), partial), 0);
  EXPECT_NE(last_write_of(target.path() / "cut.bin"), july_28) << "a failed file keeps the time of the moment";
}

TEST(extract_archive, a_wrong_checksum_keeps_the_data_inflated_before_it) {
  const std::string content = noise(80000);
  bytes stream = zlib_of(content);
  stream.back() ^= 0x55;
  hbpack::archive_writer writer;
  writer.add_stream("bad.bin", static_cast<std::uint32_t>(content.size()), stream, july_28, july_28);
  temp_folder target;
  EXPECT_EQ(code(extract(writer.build(), target)), extract_code::inflate_failed);
  const std::string partial = read_text(target.path() / "bad.bin");
  EXPECT_GT(partial.size(), 0u);
  EXPECT_EQ(content.compare(0, partial.size(), partial), 0);
}

TEST(extract_archive, running_twice_overwrites_every_file) {
  const bytes archive = sample_writer().build();
  temp_folder target;
  ASSERT_EQ(code(extract(archive, target)), extract_code::ok);
  write_text(target.path() / "Halbrook/a.orx", "changed since, and longer than before");
  EXPECT_EQ(code(extract(archive, target)), extract_code::ok) << "existing directories are not an error";
  EXPECT_EQ(read_text(target.path() / "Halbrook/a.orx"), "model");
  EXPECT_EQ(last_write_of(target.path() / "Halbrook/a.orx"), july_28 + 60);
}

TEST(extract_archive, a_missing_target_folder_fails_at_the_first_file) {
  temp_folder parent;
  const fs::file_path missing = parent.file_path() / fs::file_path("missing");
  const bytes archive = sample_writer().build();
  EXPECT_EQ(code(installer::extract_archive(archive.data(), archive.size(), missing)),
            extract_code::cannot_open_output);
  EXPECT_TRUE(parent.entries().empty());
}

TEST(extract_archive, a_folder_where_a_file_goes_cannot_be_opened) {
  hbpack::archive_writer writer;
  writer.add_file("first.txt", bytes_of("1"), july_28, july_28);
  writer.add_file("taken", bytes_of("2"), july_28, july_28);
  temp_folder target;
  std::filesystem::create_directory(target.path() / "taken");
  EXPECT_EQ(code(extract(writer.build(), target)), extract_code::cannot_open_output);
  EXPECT_EQ(read_text(target.path() / "first.txt"), "1");
}

TEST(extract_archive, a_read_only_file_cannot_be_overwritten) {
  hbpack::archive_writer writer;
  writer.add_file("locked.txt", bytes_of("new"), july_28, july_28);
  temp_folder target;
  write_text(target.path() / "locked.txt", "old");
  std::filesystem::permissions(target.path() / "locked.txt", std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::group_read |
                                                                  std::filesystem::perms::others_read);
  fs::output_file probe;
  if (probe.open(target.file_path() / fs::file_path("locked.txt"))) {
    GTEST_SKIP() << "this user may write read-only files (root on Linux, and Wine run by root), so the case cannot arise here";
  }
  EXPECT_EQ(code(extract(writer.build(), target)), extract_code::cannot_open_output);
  EXPECT_EQ(read_text(target.path() / "locked.txt"), "old");
}

TEST(extract_archive, an_empty_or_relative_target_creates_nothing) {
  const bytes archive = sample_writer().build();
  temp_folder work;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  for (const char16_t* target : {u"", u"relative", u"relative\\deeper", u"."}) {
    EXPECT_EQ(code(installer::extract_archive(archive.data(), archive.size(), fs::file_path(target))),
              extract_code::bad_target);
  }
  std::filesystem::current_path(before);
  EXPECT_TRUE(work.entries().empty());
}

TEST(extract_archive, a_name_that_would_leave_the_target_is_refused_before_anything_is_made) {
  struct escape_case {
    const char* label;
    bool as_directory;
    std::string name;
  };
  const escape_case cases[] = {
      {"parent directory", true, "../escaped"},
      {"parent file", false, "../escaped"},
      {"deeper parent", false, "Halbrook/../../escaped"},
      {"backslash parent", false, "Halbrook\\..\\..\\escaped"},
      {"leading separator", false, "/escaped"},
      {"drive letter", true, "C:/escaped"},
      {"empty component", false, "Halbrook//escaped"},
      {"empty name", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    temp_folder outer;
    const std::filesystem::path inner = outer.path() / "target";
    std::filesystem::create_directory(inner);
    hbpack::archive_writer writer;
    writer.add_directory("Halbrook");
    if (c.as_directory) writer.add_directory(c.name);
    writer.add_file(c.as_directory ? "after.txt" : c.name, bytes_of("x"), july_28, july_28);
    const bytes archive = writer.build();
    EXPECT_EQ(code(installer::extract_archive(archive.data(), archive.size(), hbsdk::filesystem::from_std_path(inner))),
              extract_code::unsafe_name);
    EXPECT_EQ(outer.entries(), (std::vector<std::string>{"target", "target/Halbrook"}));
  }
}

TEST(extract_archive, a_name_that_is_not_utf8_ends_the_run_with_a_code) {
  for (const bool as_directory : {true, false}) {
    hbpack::archive_writer writer;
    if (as_directory) writer.add_directory("bad\xC3");
    writer.add_file(as_directory ? "f" : "bad\xFF", bytes_of("x"), july_28, july_28);
    temp_folder target;
    EXPECT_EQ(code(extract(writer.build(), target)), extract_code::name_not_utf8);
    EXPECT_TRUE(target.entries().empty());
  }
}

TEST(extract_archive, a_null_archive_is_not_read) {
  temp_folder target;
  EXPECT_EQ(code(installer::extract_archive(nullptr, 1000, target.file_path())), extract_code::bad_magic);
}

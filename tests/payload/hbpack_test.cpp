// The archive tool's pieces: packing a folder, listing and verifying archives.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "hbsdk/filesystem/file_ops.h"
#include "installer/payload/archive_extractor.h"
#include "installer/payload/extract_archive.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_lister.h"
#include "tools/hbpack/archive_verifier.h"
#include "tools/hbpack/archive_writer.h"
#include "tools/hbpack/extract_progress.h"
#include "tools/hbpack/folder_packer.h"
#include "tools/hbpack/printable_name.h"
#include "hbsdk/filesystem/std_path.h"
#include "tools/hbpack/time_text.h"

using namespace payload_test;
namespace fs = hbsdk::filesystem;

namespace {

struct source_file {
  const char* name;
  std::string content;
  std::uint64_t time;
};

// A folder whose listing order differs from the packing order.
void make_source(const temp_folder& source, const std::vector<source_file>& files) {
  for (const auto& file : files) {
    const std::filesystem::path path = source.path() / file.name;
    std::filesystem::create_directories(path.parent_path());
    write_text(path, file.content);
    fs::stamp_file_times(hbsdk::filesystem::from_std_path(path), file.time, file.time);
  }
}

const std::vector<source_file> sample_files = {
    {"b/z.txt", "zed", 1'469'664'000},
    {"b/a/deep.bin", noise(40000), 1'469'700'000},
    {"top.txt", "top", 1'470'000'000},
    {"a.txt", "", 1'471'000'000},
    {"b/Upper.txt", "upper case sorts first", 1'471'400'000},
};

}  // namespace

TEST(folder_packer, orders_directories_first_and_each_folders_files_before_its_subfolders) {
  temp_folder source;
  make_source(source, sample_files);
  std::filesystem::create_directories(source.path() / "b/empty");
  const hbpack::folder_packer packer(source.path());
  EXPECT_EQ(packer.directories(), (std::vector<std::string>{"b", "b/a", "b/empty"}));
  EXPECT_EQ(packer.files(), (std::vector<std::string>{"a.txt", "top.txt", "b/Upper.txt", "b/z.txt", "b/a/deep.bin"}));
  EXPECT_EQ(packer.pack(), packer.pack()) << "the same folder gives the same bytes";
}

TEST(folder_packer, round_trips_a_folder_with_its_times) {
  temp_folder source;
  make_source(source, sample_files);
  const bytes archive = hbpack::folder_packer(source.path()).pack();
  EXPECT_TRUE(hbpack::verify_archive(archive).empty());

  temp_folder target;
  ASSERT_EQ(installer::extract_archive(archive.data(), archive.size(), target.file_path()), 0);
  EXPECT_EQ(target.entries(), source.entries());
  for (const auto& file : sample_files) {
    SCOPED_TRACE(file.name);
    EXPECT_EQ(read_text(target.path() / file.name), file.content);
    const auto packed = fs::read_file_times(hbsdk::filesystem::from_std_path(source.path() / file.name));
    EXPECT_EQ(fs::read_file_times(hbsdk::filesystem::from_std_path(target.path() / file.name)), packed);
  }
}

TEST(archive_writer, streams_are_zlib_at_the_best_level) {
  const bytes stream = zlib_of("text");
  ASSERT_GE(stream.size(), 2u);
  EXPECT_EQ(stream[0], 0x78);
  EXPECT_EQ(stream[1], 0xDA);
}

TEST(archive_lister, lists_every_entry_then_a_summary) {
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_file("Halbrook/a.orx", bytes_of("abc"), 1'469'664'000, 1'471'478'399);
  std::ostringstream out;
  EXPECT_TRUE(hbpack::list_archive(writer.build(), out));
  const std::string text = out.str();
  EXPECT_NE(text.find("dir   Halbrook\n"), std::string::npos) << text;
  EXPECT_NE(text.find("file  Halbrook/a.orx  size 3  packed 11  offset 70  created 2016-07-28 00:00:00  "
                      "written 2016-08-17 23:59:59\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("1 directories, 1 files, 3 bytes, 11 bytes packed\n"), std::string::npos) << text;

  std::ostringstream broken;
  EXPECT_FALSE(hbpack::list_archive(byte_builder().magic().u32(2).name("d").data(), broken));
  EXPECT_NE(broken.str().find("error: a directory record lies outside the archive (code 30, at byte 13)"),
            std::string::npos)
      << broken.str();
}

TEST(archive_verifier, reports_every_problem_in_one_pass) {
  const std::string content = noise(30000);
  bytes bad_checksum = zlib_of(content);
  bad_checksum.back() ^= 1;
  const bytes good = zlib_of(content);
  hbpack::archive_writer writer;
  writer.add_directory("a/b");  // its parent is not listed
  writer.add_directory("..");
  writer.add_stream("wrong_size", 5, zlib_of("four"), 0, 0);
  writer.add_stream("corrupt", static_cast<std::uint32_t>(content.size()), bad_checksum, 0, 0);
  writer.add_stream("short", static_cast<std::uint32_t>(content.size()), bytes(good.begin(), good.end() - 1), 0, 0);
  writer.add_stream("empty_but_sized", 7, {}, 0, 0);
  writer.add_stream("nowhere/fine", 4, zlib_of("four"), 0, 0);
  const std::vector<std::string> problems = hbpack::verify_archive(writer.build());
  const std::vector<std::string> expected = {
      "directory a/b: its parent is not listed before it",
      "directory ..: a name in the archive is not a plain relative path below the target folder (code 15)",
      "file wrong_size: records 5 bytes but inflates to 4",
      "file corrupt: inflate reported an error (code 22) after ",
      "file short: the compressed size was used up before the stream ended (code 24) after ",
      "file empty_but_sized: records 7 bytes but has no stream; it extracts empty",
      "file nowhere/fine: its folder is not a listed directory",
  };
  ASSERT_EQ(problems.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(problems[i].rfind(expected[i], 0), 0u) << problems[i];
}

TEST(archive_verifier, a_broken_table_ends_the_walk) {
  const bytes archive = byte_builder().magic().u32(0).u32(3).name("f").fixed(0, 0, 0).data();
  EXPECT_EQ(hbpack::verify_archive(archive),
            std::vector<std::string>{"file record 2: a file record lies outside the archive (code 12)"});
  EXPECT_EQ(hbpack::verify_archive(bytes{1, 2, 3}).size(), 1u);
}

TEST(time_text, shows_utc_dates) {
  EXPECT_EQ(hbpack::utc_text(0), "1970-01-01 00:00:00");
  EXPECT_EQ(hbpack::utc_text(1'469'664'000), "2016-07-28 00:00:00");
  EXPECT_EQ(hbpack::utc_text(951'782'400), "2000-02-29 00:00:00");
  EXPECT_EQ(hbpack::utc_text(253'402'300'799), "9999-12-31 23:59:59");
  EXPECT_EQ(hbpack::utc_text(253'402'300'800), "@253402300800");
}

TEST(printable_name, escapes_control_characters_and_bytes_that_are_not_utf8) {
  struct print_case {
    std::string name;
    std::string shown;
  };
  const print_case cases[] = {
      {"Halbrook/Maps/a.dds", "Halbrook/Maps/a.dds"},
      {"Mod\xC3\xA8les/\xE2\x82\xAC/\xF0\x9F\x8C\x8A", "Mod\xC3\xA8les/\xE2\x82\xAC/\xF0\x9F\x8C\x8A"},  // è, €, a wave
      {"a\x1B]0;owned\x07z", "a\\x1b]0;owned\\x07z"},   // retitles a terminal window
      {"x\x1B[2J", "x\\x1b[2J"},                        // clears the screen
      {std::string("n\0ul", 4), "n\\x00ul"},
      {"tab\there\r\n\x7F", "tab\\x09here\\x0d\\x0a\\x7f"},
      {"c1\xC2\x9B" "31m", "c1\\xc2\\x9b31m"},          // U+009B, the one-byte CSI
      {"\x9B" "31m", "\\x9b31m"},                       // the same as a stray byte
      {"bad\xFF\xC3", "bad\\xff\\xc3"},                 // not UTF-8, cut off at the end
      {"\xC0\xAF\xED\xA0\x80", "\\xc0\\xaf\\xed\\xa0\\x80"},  // overlong slash, a surrogate
      {"x\\y", "x\\\\y"},                               // so that \x1b in a name is not taken for an escape
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(hbpack::printable_name(c.name), c.shown);
  }
}

TEST(archive_lister, prints_names_with_control_characters_escaped) {
  hbpack::archive_writer writer;
  writer.add_directory("evil\x1B]0;title\x07");
  writer.add_file("evil\x1B]0;title\x07/a\x1B[2J.txt", bytes_of("x"), 0, 0);
  std::ostringstream out;
  EXPECT_TRUE(hbpack::list_archive(writer.build(), out));
  const std::string text = out.str();
  EXPECT_EQ(text.find('\x1B'), std::string::npos) << text;
  EXPECT_NE(text.find("dir   evil\\x1b]0;title\\x07\n"), std::string::npos) << text;
  EXPECT_NE(text.find("file  evil\\x1b]0;title\\x07/a\\x1b[2J.txt  size 1"), std::string::npos) << text;
}

TEST(archive_verifier, judges_and_places_names_exactly_as_extraction_does) {
  struct placement_case {
    const char* label;
    std::vector<std::string> directories;
    std::vector<std::string> files;
  };
  const placement_case cases[] = {
      {"backslash directory without its parent", {"x\\y"}, {"x\\y/f.txt"}},
      {"backslash directory after its parent", {"x", "x\\y"}, {"x/y\\f.txt"}},
      {"backslash file in a listed directory", {"x"}, {"x\\f.txt"}},
      {"file in an unlisted directory", {"x"}, {"y/f.txt"}},
      {"parent listed after the child", {"x/y", "x"}, {"x/y/f.txt"}},
      {"a trailing dot", {"x."}, {"x./f.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    hbpack::archive_writer writer;
    for (const auto& name : c.directories) writer.add_directory(name);
    for (const auto& name : c.files) writer.add_file(name, bytes_of("content"), 0, 0);
    const bytes archive = writer.build();
    const std::vector<std::string> problems = hbpack::verify_archive(archive);
    temp_folder target;
    const std::int32_t code = installer::extract_archive(archive.data(), archive.size(), target.file_path());
    EXPECT_EQ(problems.empty(), code == 0) << "extraction gives " << code << ", verify says "
                                           << (problems.empty() ? "sound" : problems.front());
  }
  hbpack::archive_writer writer;
  writer.add_directory("x\\y");
  writer.add_file("x\\y/f.txt", bytes_of("content"), 0, 0);
  EXPECT_EQ(hbpack::verify_archive(writer.build()),
            (std::vector<std::string>{"directory x\\\\y: its parent is not listed before it",
                                      "file x\\\\y/f.txt: its folder is not a listed directory"}));
}

TEST(archive_verifier, reports_a_bad_name_once_and_a_real_duplicate_as_listed_twice) {
  hbpack::archive_writer writer;
  writer.add_directory("");
  writer.add_directory("a");
  writer.add_directory("a");
  writer.add_directory("a/b");
  writer.add_directory("a\\b");
  EXPECT_EQ(hbpack::verify_archive(writer.build()),
            (std::vector<std::string>{
                "directory : a name in the archive is not a plain relative path below the target folder (code 15)",
                "directory a: listed twice", "directory a\\\\b: listed twice"}));
}

TEST(extract_progress, pins_a_fault_on_the_record_or_the_entry_it_stopped_at) {
  struct place_case {
    const char* label;
    bytes archive;
    std::string place;
  };
  const place_case cases[] = {
      {"not an archive", bytes{1, 2, 3}, "pack.hbp"},
      {"second directory record cut off", byte_builder().magic().u32(2).name("d").data(),
       "pack.hbp: directory record 2"},
      {"no file count", byte_builder().magic().u32(1).name("d").data(), "pack.hbp: file count"},
      {"second file record cut off", byte_builder().magic().u32(0).u32(2).name("f").fixed(0, 0, 0).u32(9).data(),
       "pack.hbp: file record 2"},
      {"a name that climbs out, printed escaped", byte_builder().magic().u32(0).u32(1).name("a\x1B/../b").fixed(0, 0, 0).data(),
       "TARGET/a\\x1b/../b"},
      {"a file whose folder is missing", byte_builder().magic().u32(0).u32(1).name("missing/f").fixed(0, 0, 0).data(),
       "TARGET/missing/f"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    temp_folder target;
    hbpack::progress_bar bar("extracting", 0);
    hbpack::extract_progress watcher(bar);
    installer::archive_extractor extractor(c.archive.data(), c.archive.size(), target.file_path(), &watcher);
    EXPECT_NE(extractor.run(), installer::extract_code::ok);
    EXPECT_EQ(watcher.stopped_at("pack.hbp", "TARGET"), c.place);
  }
}

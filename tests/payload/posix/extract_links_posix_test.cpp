// What extraction leaves behind on Linux when something other than a plain
// file or folder stands in its way: no descriptor stays open, and a FIFO with
// a reader gets nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/std_path.h"
#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using installer::extract_code;
using namespace payload_test;
namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;

namespace {

constexpr std::uint64_t stamp = 1'470'000'000;

bytes sample_archive() {
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_directory("Halbrook/Models");
  writer.add_file("Halbrook/a.orx", bytes_of("model"), stamp, stamp);
  writer.add_file("Halbrook/Models/m.obj", bytes_of(noise(40000)), stamp, stamp);
  return writer.build();
}

extract_code extract(const bytes& archive, const stdfs::path& target) {
  const auto code = installer::extract_archive(archive.data(), archive.size(), fs::from_std_path(target));
  return static_cast<extract_code>(code);
}

int open_descriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : stdfs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// Fails every write after the first, so that a run stops inside a file.
int writes = 0;
bool second_write_fails(fs::file_op op) { return op == fs::file_op::write && ++writes > 1; }

}  // namespace

TEST(extract_links_posix, no_descriptor_stays_open_after_a_run_whatever_ended_it) {
  struct run_case {
    const char* label;
    void (*prepare)(const stdfs::path& target, const stdfs::path& outside);
    extract_code expected;
  };
  const run_case cases[] = {
      {"a whole run", [](const stdfs::path&, const stdfs::path&) {}, extract_code::ok},
      {"a second run over the first",
       [](const stdfs::path& target, const stdfs::path&) {
         stdfs::create_directories(target / "Halbrook/Models");
         write_text(target / "Halbrook/a.orx", "an older, longer copy of the model");
       },
       extract_code::ok},
      {"a symbolic link at a folder",
       [](const stdfs::path& target, const stdfs::path& outside) {
         stdfs::create_directory(target / "Halbrook");
         stdfs::create_directory_symlink(outside, target / "Halbrook/Models");
       },
       extract_code::link_in_the_way},
      {"a symbolic link at a file",
       [](const stdfs::path& target, const stdfs::path& outside) {
         stdfs::create_directory(target / "Halbrook");
         stdfs::create_symlink(outside / "keep.txt", target / "Halbrook/a.orx");
       },
       extract_code::link_in_the_way},
      {"a file with another hard link",
       [](const stdfs::path& target, const stdfs::path& outside) {
         stdfs::create_directory(target / "Halbrook");
         stdfs::create_hard_link(outside / "keep.txt", target / "Halbrook/a.orx");
       },
       extract_code::link_in_the_way},
      {"a folder where a file goes",
       [](const stdfs::path& target, const stdfs::path&) { stdfs::create_directories(target / "Halbrook/a.orx"); },
       extract_code::cannot_open_output},
      {"a file where a folder goes",
       [](const stdfs::path& target, const stdfs::path&) {
         stdfs::create_directory(target / "Halbrook");
         write_text(target / "Halbrook/Models", "");
       },
       extract_code::cannot_open_output},
      {"a write that fails",
       [](const stdfs::path&, const stdfs::path&) {
         writes = 0;
         fs::set_file_op_fault(&second_write_fails);
       },
       extract_code::write_failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    temp_folder outer;
    const stdfs::path target = outer.path() / "target";
    const stdfs::path outside = outer.path() / "outside";
    stdfs::create_directory(target);
    stdfs::create_directory(outside);
    write_text(outside / "keep.txt", "system file");
    const int before = open_descriptors();
    c.prepare(target, outside);
    EXPECT_EQ(extract(sample_archive(), target), c.expected);
    fs::set_file_op_fault(nullptr);
    EXPECT_EQ(open_descriptors(), before);
    EXPECT_EQ(read_text(outside / "keep.txt"), "system file");
  }
}

TEST(extract_links_posix, a_fifo_with_a_reader_where_a_file_goes_gets_nothing) {
  temp_folder target;
  stdfs::create_directory(target.path() / "Halbrook");
  const stdfs::path fifo = target.path() / "Halbrook/a.orx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
  // With a reader, a writer's open succeeds at once: only the kind of the
  // opened file can refuse it.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0) << std::strerror(errno);

  EXPECT_EQ(extract(sample_archive(), target.path()), extract_code::cannot_open_output);
  char buffer[16];
  const ssize_t got = ::read(reader, buffer, sizeof buffer);  // 0 (no writer) or -1 (EAGAIN): no bytes
  ::close(reader);
  EXPECT_LE(got, 0) << "the reader got " << got << " bytes";
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

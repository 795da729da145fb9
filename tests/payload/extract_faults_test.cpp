// System calls that fail at chosen moments, through the file operations' fault
// hook: what extraction reports and what it leaves.
#include <gtest/gtest.h>

#include <string>

#include "hbsdk/filesystem/file_ops.h"
#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using installer::extract_code;
using namespace payload_test;
namespace fs = hbsdk::filesystem;

namespace {

constexpr std::uint64_t stamp = 1'470'000'000;

// Fails one kind of operation, from its n-th call on (counting from 1).
struct fault_plan {
  fs::file_op op = fs::file_op::open;
  int from_call = 1;
  int calls = 0;
};
fault_plan plan;

bool planned_fault(fs::file_op op) {
  if (op != plan.op) return false;
  return ++plan.calls >= plan.from_call;
}

class extract_faults : public ::testing::Test {
protected:
  void fail(fs::file_op op, int from_call = 1) {
    plan = fault_plan{op, from_call, 0};
    fs::set_file_op_fault(&planned_fault);
  }
  void TearDown() override { fs::set_file_op_fault(nullptr); }

  extract_code run(const bytes& archive) {
    return static_cast<extract_code>(installer::extract_archive(archive.data(), archive.size(), target.file_path()));
  }

  temp_folder target;
};

bytes two_files() {
  hbpack::archive_writer writer;
  writer.add_directory("d");
  writer.add_file("d/first.txt", bytes_of("first"), stamp, stamp);
  writer.add_file("d/second.bin", bytes_of(noise(50000)), stamp, stamp);
  return writer.build();
}

}  // namespace

TEST_F(extract_faults, a_failed_open_is_20) {
  fail(fs::file_op::open, 2);
  EXPECT_EQ(run(two_files()), extract_code::cannot_open_output);
  EXPECT_EQ(target.entries(), (std::vector<std::string>{"d", "d/first.txt"}));
}

TEST_F(extract_faults, a_failed_write_is_23_and_keeps_what_was_written) {
  fail(fs::file_op::write, 3);  // the first file takes one write, the second fails at its second
  EXPECT_EQ(run(two_files()), extract_code::write_failed);
  const std::string partial = read_text(target.path() / "d/second.bin");
  EXPECT_GT(partial.size(), 0u);
  EXPECT_LT(partial.size(), 50000u);
  EXPECT_EQ(noise(50000).compare(0, partial.size(), partial), 0);
}

TEST_F(extract_faults, a_failed_close_is_23_not_success) {
  // The final flush of a file can fail on a full disk: the file may be cut
  // short, so it must not be reported as installed.
  fail(fs::file_op::close, 2);
  EXPECT_EQ(run(two_files()), extract_code::write_failed);
  EXPECT_EQ(read_text(target.path() / "d/first.txt"), "first");
}

TEST_F(extract_faults, a_directory_that_cannot_be_made_fails_its_files_with_20) {
  fail(fs::file_op::create_directory);
  EXPECT_EQ(run(two_files()), extract_code::cannot_open_output);
  EXPECT_TRUE(target.entries().empty());
}

TEST_F(extract_faults, failing_to_stamp_times_is_not_an_error) {
  fail(fs::file_op::stamp_times);
  EXPECT_EQ(run(two_files()), extract_code::ok);
  EXPECT_EQ(read_text(target.path() / "d/first.txt"), "first");
}

// Whole runs of System with the platform's extraction step on archives made
// by the test: the progress it publishes, the outcome of each failure class,
// the log it writes and the folder it records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/std_path.h"
#include "installer/asset_library.h"
#include "installer/failure_reason.h"
#include "installer/install_log.h"
#include "installer/system.h"
#include "settings_sandbox.h"
#include "support/temp_folder.h"
#include "tools/hbpack/archive_writer.h"

namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;
using hb_test::temp_folder;
using installer::failure_kind;
using installer::System;

namespace {

using bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t stamp = 1'470'000'000;

bytes bytes_of(const std::string& text) { return bytes(text.begin(), text.end()); }

// Bytes that barely compress, so the large file takes many 16 KiB writes.
std::string noise(std::size_t size) {
  std::string text(size, '\0');
  std::uint32_t state = 7;
  for (auto& c : text) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return text;
}

// Two directories and three files, 300 004 bytes in all.
bytes sample_pack() {
  hbpack::archive_writer writer;
  writer.add_directory("d");
  writer.add_directory("d/e");
  writer.add_file("d/first.txt", bytes_of("tiny"), stamp, stamp);
  writer.add_file("d/e/large.bin", bytes_of(noise(250'000)), stamp, stamp);
  writer.add_file("d/e/last.bin", bytes_of(noise(50'000)), stamp, stamp);
  return writer.build();
}

// The platform's steps on the test's archive, recording into the settings store.
installer::install_steps steps_for(const bytes& archive) {
  installer::install_steps steps = installer::platform_install_steps();
  steps.find_payload = [&archive] { return std::optional(installer::payload_view{archive.data(), archive.size()}); };
  return steps;
}

installer::install_outcome run_into(const bytes& archive, const fs::file_path& target, installer::install_log* log = nullptr) {
  System system(steps_for(archive));
  system.set_log(log);
  system.install(target);
  EXPECT_TRUE(system.done());
  return system.outcome();
}

// Fails one kind of file operation from its n-th call on.
struct fault_plan {
  fs::file_op op = fs::file_op::open;
  int from_call = 1;
  int calls = 0;
};
fault_plan plan;
bool planned_fault(fs::file_op op) { return op == plan.op && ++plan.calls >= plan.from_call; }

struct fault_scope {
  fault_scope(fs::file_op op, int from_call) {
    plan = fault_plan{op, from_call, 0};
    fs::set_file_op_fault(&planned_fault);
  }
  ~fault_scope() { fs::set_file_op_fault(nullptr); }
};

std::vector<std::string> lines_of(const stdfs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line.size() > 20 ? line.substr(20) : line);
  return lines;
}

}  // namespace

TEST(install_run, progress_moves_up_to_the_totals_while_the_worker_runs) {
  const bytes archive = sample_pack();
  const temp_folder target;
  System system(steps_for(archive));
  const installer::install_progress before = system.progress();
  EXPECT_EQ(before.bytes_done, 0u);
  ASSERT_TRUE(system.start(target.file_path()));

  std::vector<installer::install_progress> seen;
  while (!system.done()) seen.push_back(system.progress());
  seen.push_back(system.progress());
  system.join();

  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_LE(seen[i - 1].bytes_done, seen[i].bytes_done) << "sample " << i;
    EXPECT_LE(seen[i - 1].files_done, seen[i].files_done) << "sample " << i;
    EXPECT_LE(seen[i].bytes_done, 300'004u);
  }
  const installer::install_progress last = seen.back();
  EXPECT_EQ(last.bytes_total, 300'004u);
  EXPECT_EQ(last.files_total, 3u);
  EXPECT_EQ(last.bytes_done, last.bytes_total);
  EXPECT_EQ(last.files_done, last.files_total);
  EXPECT_EQ(system.outcome().kind, failure_kind::none);
  EXPECT_EQ(system.outcome().status, installer::install_status::succeeded);

  // A second run starts again from nothing.
  const temp_folder second;
  ASSERT_TRUE(system.start(second.file_path()));
  system.join();
  EXPECT_EQ(system.progress().files_done, 3u);
  EXPECT_EQ(system.progress().bytes_done, 300'004u);
}

TEST(install_run, a_failed_run_stops_the_counts_where_it_stopped) {
  const bytes archive = sample_pack();
  const temp_folder target;
  const fault_scope fault(fs::file_op::open, 2);  // the second file cannot be opened
  System system(steps_for(archive));
  system.install(target.file_path());
  EXPECT_EQ(system.progress().files_done, 1u);
  EXPECT_EQ(system.progress().bytes_done, 4u);
  EXPECT_EQ(system.progress().files_total, 3u);
}

TEST(install_run, each_failure_class_has_its_outcome) {
  const bytes archive = sample_pack();
  const bytes damaged(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(archive.size() / 2));
  struct case_t {
    const char* label;
    std::optional<fs::file_op> fault;
    int from_call;
    bool damage;
    std::int32_t status;
    failure_kind kind;
    std::string name;
  };
  const std::vector<case_t> cases = {
      {"open refused", fs::file_op::open, 2, false, 200, failure_kind::cannot_write, "d/e/large.bin"},
      {"write refused", fs::file_op::write, 3, false, 230, failure_kind::cannot_write, "d/e/large.bin"},
      {"close refused", fs::file_op::close, 3, false, 230, failure_kind::cannot_write, "d/e/last.bin"},
      {"archive cut in half", std::nullopt, 0, true, 130, failure_kind::damaged_payload, ""},
  };
  for (const auto& c : cases) {
    const temp_folder target;
    std::optional<fault_scope> fault;
    if (c.fault) fault.emplace(*c.fault, c.from_call);
    const installer::install_outcome outcome = run_into(c.damage ? damaged : archive, target.file_path());
    EXPECT_EQ(outcome.status, c.status) << c.label;
    EXPECT_EQ(outcome.extraction_code, c.status / 10) << c.label;
    EXPECT_EQ(outcome.kind, c.kind) << c.label;
    if (!c.name.empty()) {
      EXPECT_EQ(outcome.name, c.name) << c.label;
    }
    EXPECT_EQ(outcome.system_error, 0) << c.label << ": an injected fault carries no system error";
  }
}

TEST(install_run, a_destination_that_is_no_folder_is_a_bad_destination) {
  const bytes archive = sample_pack();
  const temp_folder scratch;
  std::ofstream(scratch.path() / "plain-file") << "x";
  struct case_t {
    const char* label;
    fs::file_path target;
    std::int32_t status;
  };
  const std::vector<case_t> cases = {
      {"missing folder", fs::from_std_path(scratch.path() / "missing"), 200},
      {"a file where the folder should be", fs::from_std_path(scratch.path() / "plain-file"), 200},
      {"relative", fs::file_path("relative/library"), 160},
      {"empty", fs::file_path(), 160},
  };
  for (const auto& c : cases) {
    const installer::install_outcome outcome = run_into(archive, c.target);
    EXPECT_EQ(outcome.status, c.status) << c.label;
    EXPECT_EQ(outcome.kind, failure_kind::bad_destination) << c.label;
  }
}

TEST(install_run, a_run_without_payload_is_a_damaged_installer) {
  installer::install_steps steps = installer::platform_install_steps();
  steps.find_payload = [] { return std::optional<installer::payload_view>(); };
  System system(std::move(steps));
  const temp_folder target;
  system.install(target.file_path());
  EXPECT_EQ(system.outcome().status, installer::install_status::payload_missing);
  EXPECT_EQ(system.outcome().kind, failure_kind::damaged_payload);
}

TEST(install_run, the_log_gets_a_line_per_entry_and_the_outcome) {
  const installer::testing::settings_sandbox sandbox;  // no earlier record
  const bytes archive = sample_pack();
  const temp_folder folder;
  const temp_folder target;
  {
    installer::install_log log;
    ASSERT_TRUE(log.open(fs::from_std_path(folder.path() / "good.log")));
    EXPECT_EQ(run_into(archive, target.file_path(), &log).kind, failure_kind::none);
  }
  std::vector<std::string> expected = {"directory d",       "directory d/e",
                                       "file d/first.txt",  "file d/e/large.bin",
                                       "file d/e/last.bin", "The record of the installation was written."};
#ifdef _WIN32
  // A test program carries no uninstaller to register.
  expected.push_back("No uninstaller could be written beside the record: no uninstall entry is registered.");
#endif
  expected.push_back("outcome: status 2, installed");
  EXPECT_EQ(lines_of(folder.path() / "good.log"), expected);

  const temp_folder failed_target;
  {
    installer::install_log log;
    ASSERT_TRUE(log.open(fs::from_std_path(folder.path() / "failed.log")));
    // Opens, not writes, fail: the log's own lines are writes too.
    const fault_scope fault(fs::file_op::open, 2);
    EXPECT_EQ(run_into(archive, failed_target.file_path(), &log).kind, failure_kind::cannot_write);
  }
  EXPECT_EQ(lines_of(folder.path() / "failed.log"),
            (std::vector<std::string>{"directory d", "directory d/e", "file d/first.txt",
                                      "outcome: status 200, extraction code 20, A file in the folder could not be "
                                      "written: d/e/large.bin."}));
}

TEST(install_run, the_folder_is_recorded_only_when_the_run_succeeds) {
  const bytes archive = sample_pack();
  const installer::testing::settings_sandbox sandbox;
  const fs::file_path earlier = fs::file_path("/earlier/library");
  ASSERT_TRUE(installer::record_asset_library(installer::asset_library_value, earlier));
  const auto stored = [] {
    return installer::find_asset_library(installer::asset_library_value, installer::asset_library_variable);
  };

  const temp_folder scratch;
  std::ofstream(scratch.path() / "plain-file") << "x";
  EXPECT_NE(run_into(archive, fs::from_std_path(scratch.path() / "plain-file")).kind, failure_kind::none);
  EXPECT_EQ(stored(), earlier) << "a file where the folder should be";
  EXPECT_NE(run_into(archive, fs::file_path("relative/library")).kind, failure_kind::none);
  EXPECT_EQ(stored(), earlier) << "a relative folder";
  {
    const fault_scope fault(fs::file_op::write, 1);
    const temp_folder target;
    EXPECT_NE(run_into(archive, target.file_path()).kind, failure_kind::none);
    EXPECT_EQ(stored(), earlier) << "a write that fails";
  }

  const temp_folder target;
  EXPECT_EQ(run_into(archive, target.file_path()).kind, failure_kind::none);
  EXPECT_EQ(stored(), target.file_path());
}

// Links planted below the target folder, as an ordinary user can plant them
// for an elevated installer that writes there: each must end the run with
// link_in_the_way and leave the folder the link leads to exactly as it was.
// A file with other hard links counts as a link too. Kinds the platform
// cannot make here are skipped with the reason (under Wine 8 that is every
// kind but hard links: see link_maker.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/std_path.h"
#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "link_maker.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using installer::extract_code;
using namespace payload_test;
namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;

namespace {

constexpr std::uint64_t stamp = 1'470'000'000;
constexpr std::uint64_t old_time = 1'000'000'000;  // the files outside were last written then

// outer/target is extracted into; outer/outside stands for a system folder
// that a link below the target leads to.
class link_scene {
public:
  link_scene() {
    stdfs::create_directory(target());
    stdfs::create_directory(outside());
    write_text(outside() / "keep.txt", "system file");
    fs::stamp_file_times(fs::from_std_path(outside() / "keep.txt"), old_time, old_time);
    stdfs::create_directory(outside() / "inner");
  }
  stdfs::path target() const { return outer_.path() / "target"; }
  stdfs::path outside() const { return outer_.path() / "outside"; }

  // Every entry below outside, with the content and last-write time of each file.
  std::vector<std::string> outside_listing() const {
    std::vector<std::string> listing;
    for (const auto& entry : stdfs::recursive_directory_iterator(outside())) {
      std::string line = fs::utf8_text(entry.path().lexically_relative(outside()));
      if (entry.is_regular_file()) {
        const auto times = fs::read_file_times(fs::from_std_path(entry.path()));
        line += " = " + read_text(entry.path()) + " @ " + (times ? std::to_string(times->last_write) : "?");
      }
      listing.push_back(line);
    }
    std::sort(listing.begin(), listing.end());
    return listing;
  }

  extract_code extract(const bytes& archive, const stdfs::path& into) const {
    return static_cast<extract_code>(
        installer::extract_archive(archive.data(), archive.size(), fs::from_std_path(into)));
  }
  extract_code extract(const bytes& archive) const { return extract(archive, target()); }

private:
  temp_folder outer_;
};

bytes sample_archive(bool with_directories) {
  hbpack::archive_writer writer;
  if (with_directories) {
    writer.add_directory("Halbrook");
    writer.add_directory("Halbrook/Models");
  }
  writer.add_file("Halbrook/a.orx", bytes_of("model"), stamp, stamp);
  writer.add_file("Halbrook/Models/m.obj", bytes_of("mesh"), stamp, stamp);
  return writer.build();
}

// Whether this kind of link can be made here at all; why_not says why not.
bool can_make(link_kind kind, std::string& why_not) {
  temp_folder probe;
  if (kind == link_kind::hard_link) {
    write_text(probe.path() / "to", "");
  } else {
    stdfs::create_directory(probe.path() / "to");
  }
  return make_link(kind, probe.path() / "link", probe.path() / "to", why_not);
}

}  // namespace

TEST(extract_links, a_link_in_the_way_stops_the_run_and_nothing_goes_through_it) {
  struct link_case {
    const char* label;
    link_kind kind;
    std::vector<const char*> folders;  // made below the target first
    const char* at;                    // where the link stands, below the target
    const char* to;                    // where it leads, below outside ("" for outside itself)
    bool with_directories;
  };
  const link_case cases[] = {
      {"first folder, symbolic link", link_kind::directory_symlink, {}, "Halbrook", "", true},
      {"first folder, junction", link_kind::junction, {}, "Halbrook", "", true},
      {"first folder, only files go into it", link_kind::directory_symlink, {}, "Halbrook", "", false},
      {"deep folder, symbolic link", link_kind::directory_symlink, {"Halbrook"}, "Halbrook/Models", "inner", true},
      {"deep folder, junction", link_kind::junction, {"Halbrook"}, "Halbrook/Models", "inner", true},
      {"deep folder, only files go into it", link_kind::directory_symlink, {"Halbrook"}, "Halbrook/Models", "", false},
      {"file to be overwritten", link_kind::file_symlink, {"Halbrook"}, "Halbrook/a.orx", "keep.txt", true},
      {"dangling link where a file goes", link_kind::file_symlink, {"Halbrook"}, "Halbrook/a.orx", "new.txt", true},
      {"dangling link where a folder goes", link_kind::directory_symlink, {}, "Halbrook", "absent", true},
      {"folder link where a file goes", link_kind::directory_symlink, {"Halbrook"}, "Halbrook/a.orx", "inner", true},
      {"file with another hard link", link_kind::hard_link, {"Halbrook"}, "Halbrook/a.orx", "keep.txt", true},
      {"deep file with another hard link", link_kind::hard_link, {"Halbrook", "Halbrook/Models"},
       "Halbrook/Models/m.obj", "keep.txt", false},
  };
  int tried = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string why_not;
    if (!can_make(c.kind, why_not)) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << link_kind_name(c.kind) << ": " << why_not << '\n';
      continue;
    }
    ++tried;
    link_scene scene;
    for (const char* folder : c.folders) stdfs::create_directory(scene.target() / folder);
    const std::vector<std::string> before = scene.outside_listing();
    ASSERT_TRUE(make_link(c.kind, scene.target() / c.at, scene.outside() / c.to, why_not)) << why_not;

    EXPECT_EQ(scene.extract(sample_archive(c.with_directories)), extract_code::link_in_the_way);
    EXPECT_EQ(scene.outside_listing(), before);
  }
  if (tried == 0) GTEST_SKIP() << "no kind of link can be made here";
}

TEST(extract_links, the_target_folder_itself_may_be_reached_through_a_link) {
  int tried = 0;
  for (const link_kind kind : {link_kind::directory_symlink, link_kind::junction}) {
    SCOPED_TRACE(link_kind_name(kind));
    std::string why_not;
    if (!can_make(kind, why_not)) {
      std::cout << "[ SKIPPED  ] " << link_kind_name(kind) << ": " << why_not << '\n';
      continue;
    }
    ++tried;
    link_scene scene;
    const stdfs::path redirected = scene.target().parent_path() / "redirected";
    ASSERT_TRUE(make_link(kind, redirected, scene.target(), why_not)) << why_not;
    EXPECT_EQ(scene.extract(sample_archive(true), redirected), extract_code::ok);
    EXPECT_EQ(read_text(scene.target() / "Halbrook/Models/m.obj"), "mesh");
  }
  if (tried == 0) GTEST_SKIP() << "no kind of link to a folder can be made here";
}

TEST(extract_links, a_link_the_archive_does_not_reach_is_left_alone) {
  std::string why_not;
  if (!can_make(link_kind::directory_symlink, why_not)) GTEST_SKIP() << why_not;
  link_scene scene;
  const std::vector<std::string> before = scene.outside_listing();
  ASSERT_TRUE(make_link(link_kind::directory_symlink, scene.target() / "Other", scene.outside(), why_not));
  EXPECT_EQ(scene.extract(sample_archive(true)), extract_code::ok);
  EXPECT_EQ(read_text(scene.target() / "Halbrook/a.orx"), "model");
  EXPECT_EQ(scene.outside_listing(), before);
}

namespace {

// A second thread that swaps a folder for a link while the extraction waits
// between two of its steps: at the n-th call of one file operation.
struct swap_plan {
  fs::file_op op = fs::file_op::open;
  int at_call = 0;
  int calls = 0;
  std::function<void()> swap;
  bool swapped = false;
};
swap_plan plan;

bool swap_between_steps(fs::file_op op) {
  if (op != plan.op || ++plan.calls != plan.at_call) return false;
  std::thread other(plan.swap);
  other.join();
  plan.swapped = true;
  return false;
}

// At the given call of op, moves the entry at from aside to moved and plants
// a link of the given kind to to in its place.
class link_swapper {
public:
  ~link_swapper() { fs::set_file_op_fault(nullptr); }
  void swap_at(fs::file_op op, int call, link_kind kind, const stdfs::path& from, const stdfs::path& moved,
               const stdfs::path& to) {
    planted = false;
    plan = swap_plan{op, call, 0, [this, kind, from, moved, to] {
                       std::error_code ignored;
                       stdfs::rename(from, moved, ignored);
                       std::string why_not;
                       planted = make_link(kind, from, to, why_not);
                     }};
    fs::set_file_op_fault(&swap_between_steps);
  }
  bool planted = false;
};

class extract_links_swapped : public ::testing::Test {
protected:
  void SetUp() override {
    std::string why_not;
    if (!can_make(link_kind::directory_symlink, why_not)) GTEST_SKIP() << why_not;
  }
  void TearDown() override { fs::set_file_op_fault(nullptr); }

  // At the given call, moves target/Halbrook/Models aside to target/moved
  // and plants a link to outside in its place.
  void swap_models_at(const link_scene& scene, fs::file_op op, int call) {
    swapper.swap_at(op, call, link_kind::directory_symlink, scene.target() / "Halbrook/Models",
                    scene.target() / "moved", scene.outside());
  }

  link_swapper swapper;
  bool& planted = swapper.planted;
};

}  // namespace

TEST_F(extract_links_swapped, a_folder_swapped_for_a_link_before_it_is_entered_stops_the_run) {
  // Directory opens: 1 the target, 2 Halbrook, 3 Halbrook again and 4 Models
  // (made, then opened), 5 and 6 the two levels again for m.obj.
  for (const int call : {4, 6}) {
    SCOPED_TRACE(call);
    link_scene scene;
    const std::vector<std::string> before = scene.outside_listing();
    swap_models_at(scene, fs::file_op::open_directory, call);
    const extract_code code = scene.extract(sample_archive(true));
    fs::set_file_op_fault(nullptr);
    ASSERT_TRUE(plan.swapped && planted);
    EXPECT_EQ(code, extract_code::link_in_the_way);
    EXPECT_EQ(scene.outside_listing(), before);
  }
}

TEST_F(extract_links_swapped, a_folder_swapped_for_a_link_after_it_was_entered_is_still_the_folder_written) {
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_directory("Halbrook/Models");
  writer.add_file("Halbrook/Models/one.obj", bytes_of("one"), stamp, stamp);
  writer.add_file("Halbrook/Models/two.obj", bytes_of("two"), stamp, stamp);
  link_scene scene;
  const std::vector<std::string> before = scene.outside_listing();
  // Between opening one.obj and two.obj, both in the folder already open.
  swap_models_at(scene, fs::file_op::open, 2);
  const extract_code code = scene.extract(writer.build());
  fs::set_file_op_fault(nullptr);
  ASSERT_TRUE(plan.swapped && planted);
  EXPECT_EQ(code, extract_code::ok);
  EXPECT_EQ(scene.outside_listing(), before);
  EXPECT_EQ(read_text(scene.target() / "moved/two.obj"), "two") << "written to the folder it had open";
}

TEST_F(extract_links_swapped, a_folder_swapped_for_a_link_after_it_was_entered_stops_the_next_file_walked_through_it) {
  // one.obj is written into Halbrook/Models, which stays open; two.orx lies
  // in Halbrook, reached again from the target folder, where the link now stands.
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_directory("Halbrook/Models");
  writer.add_file("Halbrook/Models/one.obj", bytes_of("one"), stamp, stamp);
  writer.add_file("Halbrook/two.orx", bytes_of("two"), stamp, stamp);
  link_scene scene;
  const std::vector<std::string> before = scene.outside_listing();
  // After one.obj was written, before two.orx is reached.
  swapper.swap_at(fs::file_op::stamp_times, 1, link_kind::directory_symlink, scene.target() / "Halbrook",
                  scene.target() / "moved", scene.outside());
  const extract_code code = scene.extract(writer.build());
  fs::set_file_op_fault(nullptr);
  ASSERT_TRUE(plan.swapped && planted);
  EXPECT_EQ(code, extract_code::link_in_the_way);
  EXPECT_EQ(scene.outside_listing(), before);
  EXPECT_EQ(read_text(scene.target() / "moved/Models/one.obj"), "one");
}

TEST(extract_links_stamping, a_link_swapped_in_for_a_written_file_keeps_its_times_and_the_file_written_gets_them) {
  int tried = 0;
  for (const link_kind kind : {link_kind::hard_link, link_kind::file_symlink}) {
    SCOPED_TRACE(link_kind_name(kind));
    std::string why_not;
    if (!can_make(kind, why_not)) {
      std::cout << "[ SKIPPED  ] " << link_kind_name(kind) << ": " << why_not << '\n';
      continue;
    }
    ++tried;
    link_scene scene;
    const std::vector<std::string> before = scene.outside_listing();
    const stdfs::path written = scene.target() / "Halbrook/a.orx";
    const stdfs::path moved = scene.target() / "moved.orx";
    link_swapper swapper;
    // Between the last write of a.orx and the setting of its times.
    swapper.swap_at(fs::file_op::stamp_times, 1, kind, written, moved, scene.outside() / "keep.txt");
    const extract_code code = scene.extract(sample_archive(true));
    fs::set_file_op_fault(nullptr);
    ASSERT_TRUE(plan.swapped && swapper.planted);
    EXPECT_EQ(code, extract_code::ok);
    EXPECT_EQ(scene.outside_listing(), before) << "the file the link leads to was re-dated or changed";
    const auto times = fs::read_file_times(fs::from_std_path(moved));
    ASSERT_TRUE(times.has_value());
    EXPECT_EQ(times->last_write, stamp) << "the file written did not get its times";
    EXPECT_EQ(read_text(moved), "model");
  }
  if (tried == 0) GTEST_SKIP() << "no kind of link to a file can be made here";
}

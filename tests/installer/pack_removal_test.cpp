// The removal engine on a pack installed by the real extraction step: only
// unchanged files and the emptied directories the installation created go;
// changed files, the user's own and what cannot be removed stay, and the
// record left names exactly what is still installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "hbsdk/filesystem/file_ops.h"
#include "installer/pack_removal.h"
#include "removal_scene.h"

namespace stdfs = std::filesystem;
using installer::remove_installation;
using installer::testing::removal_scene;
using installer::testing::write_text;

namespace {

bool contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

TEST(pack_removal, records_only_the_directories_the_run_created) {
  const removal_scene scene(true);
  EXPECT_EQ(scene.record.directories, (std::vector<std::string>{"Halbrook/Kit", "Halbrook/Kit/maps"}));
  ASSERT_EQ(scene.record.files.size(), 3u);
  EXPECT_EQ(scene.record.files[0].name, "Halbrook/Kit/a.txt");
  EXPECT_EQ(scene.record.files[0].size, 10u);
  EXPECT_EQ(scene.record.files[2].last_write, installer::testing::pack_time + 1);
  EXPECT_EQ(scene.record.files[2].size, 70'000u);
}

TEST(pack_removal, removes_everything_unchanged_but_folders_it_did_not_create) {
  const removal_scene scene(true);
  const installer::removal_report report = remove_installation(scene.record);
  EXPECT_TRUE(report.complete());
  EXPECT_EQ(report.removed_files, 3u);
  EXPECT_EQ(report.removed_directories, 2u);
  EXPECT_TRUE(report.changed.empty());
  EXPECT_TRUE(stdfs::is_directory(scene.at("Halbrook")));  // there before: another pack's, perhaps
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit")));

  // Run again: nothing is left to do, and nothing is reported.
  const installer::removal_report again = remove_installation(scene.record);
  EXPECT_TRUE(again.complete());
  EXPECT_EQ(again.removed_files, 0u);
  EXPECT_TRUE(again.failed.empty());
  EXPECT_TRUE(stdfs::is_directory(scene.at("Halbrook")));
}

TEST(pack_removal, keeps_changed_files_and_the_users_own_with_their_folders) {
  const removal_scene scene(false);
  // Same size and time, one byte other: only the checksum tells.
  write_text(scene.at("Halbrook/Kit/a.txt"), "First file");
  stdfs::last_write_time(scene.at("Halbrook/Kit/a.txt"), stdfs::last_write_time(scene.at("Halbrook/Kit/b.txt")));
  write_text(scene.at("Halbrook/Kit/maps/mine.txt"), "the user's");
  const installer::removal_report report = remove_installation(scene.record);

  EXPECT_EQ(report.changed, std::vector<std::string>{"Halbrook/Kit/a.txt"});
  EXPECT_EQ(report.removed_files, 2u);
  EXPECT_TRUE(report.failed.empty());
  EXPECT_TRUE(report.complete()) << "changed files are the user's: they leave the record";
  EXPECT_TRUE(stdfs::exists(scene.at("Halbrook/Kit/a.txt")));
  EXPECT_TRUE(stdfs::exists(scene.at("Halbrook/Kit/maps/mine.txt")));
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit/b.txt")));
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit/maps/c.bin")));
}

TEST(pack_removal, a_changed_size_or_time_keeps_the_file) {
  const removal_scene scene;
  write_text(scene.at("Halbrook/Kit/a.txt"), "first file, longer");
  stdfs::last_write_time(scene.at("Halbrook/Kit/b.txt"),
                         stdfs::last_write_time(scene.at("Halbrook/Kit/b.txt")) + std::chrono::seconds(2));
  const installer::removal_report report = remove_installation(scene.record);
  EXPECT_TRUE(contains(report.changed, "Halbrook/Kit/a.txt"));
  EXPECT_TRUE(contains(report.changed, "Halbrook/Kit/b.txt"));
  EXPECT_EQ(report.removed_files, 1u);
  EXPECT_TRUE(stdfs::exists(scene.at("Halbrook/Kit/b.txt")));
}

TEST(pack_removal, a_read_only_file_is_kept_reported_and_still_recorded_until_a_second_run) {
  const removal_scene scene;
  const stdfs::path locked = scene.at("Halbrook/Kit/maps/c.bin");
  stdfs::permissions(locked, stdfs::perms::owner_write | stdfs::perms::group_write | stdfs::perms::others_write,
                     stdfs::perm_options::remove);
  const installer::removal_report report = remove_installation(scene.record);
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].name, "Halbrook/Kit/maps/c.bin");
  EXPECT_EQ(report.failed[0].reason, "it is read-only");
  EXPECT_TRUE(stdfs::exists(locked));
  EXPECT_EQ(report.removed_files, 2u);
  EXPECT_EQ(report.remaining.files.size(), 1u);
  EXPECT_EQ(report.remaining.directories, (std::vector<std::string>{"Halbrook/Kit", "Halbrook/Kit/maps"}));
  EXPECT_EQ(report.remaining.target, scene.record.target);

  stdfs::permissions(locked, stdfs::perms::owner_write, stdfs::perm_options::add);
  const installer::removal_report again = remove_installation(report.remaining);
  EXPECT_TRUE(again.complete());
  EXPECT_EQ(again.removed_files, 1u);
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit")));
}

namespace {
int removals = 0;
bool first_removal_fails(hbsdk::filesystem::file_op op) {
  return op == hbsdk::filesystem::file_op::remove && ++removals == 1;
}
}  // namespace

TEST(pack_removal, a_file_the_system_refuses_to_remove_stays_recorded) {
  const removal_scene scene;
  removals = 0;
  hbsdk::filesystem::set_file_op_fault(&first_removal_fails);
  const installer::removal_report report = remove_installation(scene.record);
  hbsdk::filesystem::set_file_op_fault(nullptr);
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].name, "Halbrook/Kit/a.txt");
  EXPECT_TRUE(stdfs::exists(scene.at("Halbrook/Kit/a.txt")));
  EXPECT_EQ(report.remaining.directories, std::vector<std::string>{"Halbrook/Kit"});
  EXPECT_TRUE(remove_installation(report.remaining).complete());
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit")));
}

TEST(pack_removal, files_already_gone_and_names_outside_the_target_are_never_touched) {
  const removal_scene scene;
  stdfs::remove_all(scene.at("Halbrook/Kit/maps"));
  write_text(scene.outside() / "victim.txt", "first file");
  installer::installation_record record = scene.record;
  record.files.push_back({"../" + scene.outside().filename().string() + "/victim.txt", 10, 0, 0});
  record.directories.push_back("..");
  const installer::removal_report report = remove_installation(record);
  EXPECT_EQ(report.removed_files, 2u);
  ASSERT_EQ(report.failed.size(), 1u);
  EXPECT_EQ(report.failed[0].reason, "its name cannot stand below the folder");
  EXPECT_TRUE(stdfs::exists(scene.outside() / "victim.txt"));
  EXPECT_TRUE(stdfs::exists(scene.target()));
}

TEST(pack_removal, a_newer_pack_supersedes_only_what_it_no_longer_has) {
  const removal_scene scene;
  const installer::installation_record newer =
      installer::testing::install_recorded(installer::testing::scene_pack(true), scene.target());
  const installer::installation_record part = installer::superseded_part(scene.record, newer);
  ASSERT_EQ(part.files.size(), 1u);
  EXPECT_EQ(part.files[0].name, "Halbrook/Kit/b.txt");
  EXPECT_TRUE(part.directories.empty()) << "the newer pack still has files in both";

  installer::installation_record elsewhere = newer;
  elsewhere.target = hbsdk::filesystem::file_path(elsewhere.target.text() + u"-other");
  EXPECT_EQ(installer::superseded_part(scene.record, elsewhere), scene.record);
}

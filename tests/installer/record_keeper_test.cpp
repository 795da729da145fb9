// The record file (written whole or not at all, read back, removed when
// empty) and the record kept across installations: a reinstall, a newer
// pack with a file fewer, an installation into another folder, and a whole
// run of the worker, whose failed runs leave the record as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hbsdk/filesystem/std_path.h"
#include "installer/record_file.h"
#include "installer/record_keeper.h"
#include "installer/record_location.h"
#include "installer/system.h"
#include "removal_scene.h"
#include "settings_sandbox.h"

namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;
using installer::testing::removal_scene;

namespace {

std::string text_of(const stdfs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(record_file, writes_whole_reads_back_and_an_empty_record_removes_it) {
  const hb_test::temp_folder folder;
  const fs::file_path file = fs::from_std_path(folder.path() / "deeper" / "installation.record");
  EXPECT_EQ(installer::read_record_file(file).outcome, installer::record_read::result::missing);

  const removal_scene scene;
  ASSERT_TRUE(installer::write_record_file(file, scene.record));
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"deeper", "deeper/installation.record"}))
      << "no temporary file is left";
  const installer::record_read read = installer::read_record_file(file);
  ASSERT_EQ(read.outcome, installer::record_read::result::read) << read.error;
  EXPECT_EQ(read.record, scene.record);

  installer::testing::write_text(folder.path() / "deeper" / "installation.record", "tidewater-kit-record 9\n");
  const installer::record_read foreign = installer::read_record_file(file);
  EXPECT_EQ(foreign.outcome, installer::record_read::result::failed);
  EXPECT_FALSE(foreign.error.empty());

  ASSERT_TRUE(installer::write_record_file(file, installer::installation_record{}));
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"deeper"});
  EXPECT_TRUE(installer::remove_record_file(file)) << "no record is no failure";
}

TEST(record_keeper, a_newer_pack_removes_its_dropped_file_and_keeps_one_record) {
  const removal_scene scene(false);
  const hb_test::temp_folder place;
  const fs::file_path file = fs::from_std_path(place.path() / "installation.record");
  ASSERT_TRUE(installer::update_installation_record(file, scene.record).written);

  // The same pack again: nothing is removed, the record is the same.
  const installer::record_update again = installer::update_installation_record(file, scene.record);
  EXPECT_TRUE(again.had_record);
  EXPECT_EQ(again.superseded.removed_files, 0u);
  EXPECT_EQ(installer::read_record_file(file).record, scene.record);

  // The newer pack finds every directory there: the record keeps them as created.
  const installer::installation_record newer =
      installer::testing::install_recorded(installer::testing::scene_pack(true), scene.target());
  EXPECT_TRUE(newer.directories.empty());
  const installer::record_update update = installer::update_installation_record(file, newer);
  EXPECT_EQ(update.superseded.removed_files, 1u);
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook/Kit/b.txt")));
  const installer::installation_record kept = installer::read_record_file(file).record;
  EXPECT_EQ(kept.files, newer.files);
  EXPECT_EQ(kept.directories, scene.record.directories);

  // Removing that record leaves nothing of the pack.
  EXPECT_TRUE(installer::remove_installation(kept).complete());
  EXPECT_FALSE(stdfs::exists(scene.at("Halbrook")));
}

TEST(record_keeper, the_same_folder_spelled_otherwise_is_no_other_folder) {
  const removal_scene scene(false);
  const hb_test::temp_folder place;
  const fs::file_path file = fs::from_std_path(place.path() / "installation.record");
  ASSERT_TRUE(installer::update_installation_record(file, scene.record).written);
  installer::installation_record again =
      installer::testing::install_recorded(installer::testing::scene_pack(), scene.target());
  again.target = fs::file_path(again.target.text() + u"\\");  // a trailing separator
  const installer::record_update update = installer::update_installation_record(file, again);
  EXPECT_EQ(update.superseded.removed_files, 0u);
  EXPECT_EQ(installer::testing::removal_scene::count_files(scene.target()), 3u) << "the files just installed went";
  EXPECT_EQ(installer::read_record_file(file).record.directories, scene.record.directories);
}

TEST(record_keeper, an_installation_into_another_folder_moves_it) {
  const removal_scene first(false);
  const hb_test::temp_folder place;
  const fs::file_path file = fs::from_std_path(place.path() / "installation.record");
  ASSERT_TRUE(installer::update_installation_record(file, first.record).written);
  installer::testing::write_text(first.at("Halbrook/Kit/a.txt"), "changed by the user");

  const hb_test::temp_folder second;
  const installer::installation_record moved =
      installer::testing::install_recorded(installer::testing::scene_pack(), second.path());
  const installer::record_update update = installer::update_installation_record(file, moved);
  EXPECT_EQ(update.superseded.removed_files, 2u);
  EXPECT_EQ(update.superseded.changed, std::vector<std::string>{"Halbrook/Kit/a.txt"});
  EXPECT_TRUE(stdfs::exists(first.at("Halbrook/Kit/a.txt")));
  EXPECT_FALSE(stdfs::exists(first.at("Halbrook/Kit/maps")));
  EXPECT_EQ(installer::read_record_file(file).record, moved);
  const auto lines = installer::describe(update);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Kept, changed since installed: Halbrook/Kit/a.txt"), lines.end());
}

TEST(record_keeper, the_worker_records_a_success_and_a_failed_run_leaves_the_record_alone) {
  const installer::testing::settings_sandbox sandbox;
  const auto file = installer::record_file_location();
  ASSERT_TRUE(file);
  const std::vector<std::uint8_t> archive = installer::testing::scene_pack();
  installer::install_steps steps = installer::platform_install_steps();
  steps.find_payload = [&archive] { return std::optional(installer::payload_view{archive.data(), archive.size()}); };

  const hb_test::temp_folder target;
  {
    installer::System system(steps);
    system.install(target.file_path());
    ASSERT_EQ(system.outcome().status, installer::install_status::succeeded);
  }
  const installer::record_read read = installer::read_record_file(*file);
  ASSERT_EQ(read.outcome, installer::record_read::result::read) << read.error;
  EXPECT_EQ(read.record.target, target.file_path());
  EXPECT_EQ(read.record.files.size(), 3u);
  EXPECT_EQ(read.record.directories.size(), 3u);
  EXPECT_FALSE(read.record.version.empty());
  const std::string before = text_of(fs::to_std_path(*file));

  // A run into a folder that is not there fails and records nothing.
  installer::System failing(steps);
  failing.install(fs::from_std_path(target.path() / "missing" / "deeper"));
  EXPECT_NE(failing.outcome().status, installer::install_status::succeeded);
  EXPECT_EQ(text_of(fs::to_std_path(*file)), before);
}

// Links in the way of a removal (Linux, where the tests can make them): a
// symbolic link at a recorded file's name or at a recorded folder is
// reported and left alone, and nothing it leads to is touched.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "hbsdk/filesystem/std_path.h"
#include "installer/pack_removal.h"
#include "removal_scene.h"

namespace stdfs = std::filesystem;
using installer::remove_installation;
using installer::testing::removal_scene;
using installer::testing::write_text;

TEST(removal_links, a_link_at_a_files_name_is_left_with_what_it_leads_to) {
  const removal_scene scene;
  // The outside file is a copy of the recorded one: same bytes, same time.
  stdfs::copy_file(scene.at("Halbrook/Kit/a.txt"), scene.outside() / "a.txt");
  stdfs::last_write_time(scene.outside() / "a.txt", stdfs::last_write_time(scene.at("Halbrook/Kit/a.txt")));
  stdfs::remove(scene.at("Halbrook/Kit/a.txt"));
  stdfs::create_symlink(scene.outside() / "a.txt", scene.at("Halbrook/Kit/a.txt"));

  const installer::removal_report report = remove_installation(scene.record);
  EXPECT_EQ(report.links, std::vector<std::string>{"Halbrook/Kit/a.txt"});
  EXPECT_TRUE(stdfs::exists(scene.outside() / "a.txt"));
  EXPECT_TRUE(stdfs::is_symlink(scene.at("Halbrook/Kit/a.txt")));
  EXPECT_EQ(report.removed_files, 2u);
}

TEST(removal_links, a_link_in_place_of_a_folder_is_not_entered) {
  const removal_scene scene;
  stdfs::create_directory(scene.outside() / "maps");
  stdfs::copy_file(scene.at("Halbrook/Kit/maps/c.bin"), scene.outside() / "maps/c.bin");
  stdfs::last_write_time(scene.outside() / "maps/c.bin", stdfs::last_write_time(scene.at("Halbrook/Kit/maps/c.bin")));
  stdfs::remove_all(scene.at("Halbrook/Kit/maps"));
  stdfs::create_directory_symlink(scene.outside() / "maps", scene.at("Halbrook/Kit/maps"));

  const installer::removal_report report = remove_installation(scene.record);
  EXPECT_TRUE(std::find(report.links.begin(), report.links.end(), "Halbrook/Kit/maps/c.bin") != report.links.end());
  EXPECT_TRUE(stdfs::exists(scene.outside() / "maps/c.bin"));
  EXPECT_TRUE(stdfs::is_symlink(scene.at("Halbrook/Kit/maps")));
}

TEST(removal_links, a_file_with_another_hard_link_is_kept) {
  const removal_scene scene;
  stdfs::create_hard_link(scene.at("Halbrook/Kit/b.txt"), scene.outside() / "b.txt");
  const installer::removal_report report = remove_installation(scene.record);
  EXPECT_EQ(report.links, std::vector<std::string>{"Halbrook/Kit/b.txt"});
  EXPECT_TRUE(stdfs::exists(scene.at("Halbrook/Kit/b.txt")));
}

TEST(removal_links, the_target_reached_through_a_link_is_the_same_installation) {
  const removal_scene scene;
  const stdfs::path other_spelling = scene.outside() / "library";
  stdfs::create_directory_symlink(scene.target(), other_spelling);
  installer::installation_record again = scene.record;
  again.target = hbsdk::filesystem::from_std_path(other_spelling);
  EXPECT_TRUE(installer::same_target(scene.record.target, again.target));
  EXPECT_TRUE(installer::superseded_part(scene.record, again).empty());
}

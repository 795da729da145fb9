#include "removal_scene.h"

#include <gtest/gtest.h>

#include <fstream>

#include "hbsdk/filesystem/std_path.h"
#include "installer/install_steps.h"
#include "tools/hbpack/archive_writer.h"

namespace installer::testing {

namespace {

std::vector<std::uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::vector<std::uint8_t> scene_pack(bool newer_pack) {
  hbpack::archive_writer writer;
  writer.add_directory("Halbrook");
  writer.add_directory("Halbrook/Kit");
  writer.add_directory("Halbrook/Kit/maps");
  writer.add_file("Halbrook/Kit/a.txt", bytes_of("first file"), pack_time, pack_time);
  if (!newer_pack) writer.add_file("Halbrook/Kit/b.txt", bytes_of("second file"), pack_time, pack_time);
  writer.add_file("Halbrook/Kit/maps/c.bin", bytes_of(std::string(70'000, 'c')), pack_time, pack_time + 1);
  return writer.build();
}

installation_record install_recorded(const std::vector<std::uint8_t>& archive, const std::filesystem::path& target) {
  install_tracker tracker;
  const hbsdk::filesystem::file_path folder = hbsdk::filesystem::from_std_path(target);
  EXPECT_EQ(extract_with_progress(archive.data(), archive.size(), folder, tracker), 0);
  installation_record record = tracker.installed();
  record.target = folder;
  record.version = "test";
  return record;
}

removal_scene::removal_scene(bool pre_existing) {
  if (pre_existing) std::filesystem::create_directory(target() / "Halbrook");
  record = install_recorded(scene_pack(), target());
}

std::size_t removal_scene::count_files(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) count += entry.is_regular_file();
  return count;
}

void write_text(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace installer::testing

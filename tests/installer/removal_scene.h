#pragma once
// A pack installed into a temporary target by the real extraction step, with
// the record that run gathered, for the removal tests.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "installer/installation_record.h"
#include "support/temp_folder.h"

namespace installer::testing {

inline constexpr std::uint64_t pack_time = 1'470'000'000;

// The pack: directories "Halbrook" (made beforehand by pre_existing),
// "Halbrook/Kit", "Halbrook/Kit/maps"; files "Halbrook/Kit/a.txt",
// "Halbrook/Kit/b.txt", "Halbrook/Kit/maps/c.bin"; newer_pack leaves out b.txt.
std::vector<std::uint8_t> scene_pack(bool newer_pack = false);

class removal_scene {
public:
  // Makes "Halbrook" first when pre_existing, then installs scene_pack.
  explicit removal_scene(bool pre_existing = true);

  const std::filesystem::path& target() const { return target_.path(); }
  std::filesystem::path at(const std::string& name) const { return target_.path() / name; }
  // A folder beside the target, for what links lead to.
  const std::filesystem::path& outside() const { return outside_.path(); }
  installation_record record;

  static std::size_t count_files(const std::filesystem::path& folder);

private:
  hb_test::temp_folder target_;
  hb_test::temp_folder outside_;
};

// Installs archive into target with the platform's extraction step and
// returns what the run recorded (target set); the run must succeed.
installation_record install_recorded(const std::vector<std::uint8_t>& archive, const std::filesystem::path& target);

void write_text(const std::filesystem::path& file, const std::string& text);

}  // namespace installer::testing

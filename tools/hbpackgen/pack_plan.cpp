#include "tools/hbpackgen/pack_plan.h"

#include <array>
#include <string_view>
#include <utility>

#include "tools/hbpackgen/seeded_random.h"

namespace hbpackgen {
namespace {

constexpr std::string_view kit_folder = "Halbrook/Models/Tidewater_Kit";
constexpr std::uint64_t first_time = 1'469'664'000;  // 2016-07-28 00:00:00 UTC
constexpr std::uint64_t last_time = 1'471'478'399;   // 2016-08-17 23:59:59 UTC

constexpr std::array<std::string_view, 11> models = {
    "Tidewater_AcUnit_01", "Tidewater_Barrel_01", "Tidewater_Bollard_01", "Tidewater_Buoy_01",
    "Tidewater_Crate_01",  "Tidewater_Crate_02",  "Tidewater_Dock_01",    "Tidewater_Fence_01",
    "Tidewater_Lamp_01",   "Tidewater_Pier_01",   "Tidewater_Rope_01"};
constexpr std::size_t models_with_mesh = 9;

// Every model has these four maps; four models have one more (48 in all).
constexpr std::array<std::string_view, 4> common_maps = {"_Diffuse", "_Glossiness", "_Normal", "_Specular"};
constexpr std::array<std::pair<std::size_t, std::string_view>, 4> extra_maps = {
    {{0, "_AO"}, {1, "_Ao"}, {3, "_Emissive"}, {8, "_Emissive"}}};

struct map_format {
  std::uint32_t dimension;
  std::uint32_t block_bytes;
  std::size_t count;
};
// Full-size formats: three 4096 DXT5 maps are the largest files.
constexpr std::array<map_format, 6> map_formats = {{{4096, 16, 3},
                                                    {4096, 8, 4},
                                                    {2048, 16, 14},
                                                    {2048, 8, 10},
                                                    {1024, 16, 10},
                                                    {1024, 8, 7}}};

}  // namespace

std::uint64_t pack_plan::total_bytes() const {
  std::uint64_t total = 0;
  for (const auto& file : files) total += file.size;
  return total;
}

std::uint64_t map_file_size(std::uint32_t dimension, std::uint32_t block_bytes) {
  std::uint64_t size = 128;
  for (std::uint64_t level = dimension; level > 0; level /= 2) {
    const std::uint64_t blocks = level < 4 ? 1 : level / 4;
    size += blocks * blocks * block_bytes;
  }
  return size;
}

pack_plan make_pack_plan(pack_size size, std::uint64_t seed) {
  seeded_random random(seed);
  const bool full = size == pack_size::full;
  const unsigned shrink = full ? 0 : 3;

  pack_plan plan;
  plan.directories = {"Halbrook", "Halbrook/Models", std::string(kit_folder), std::string(kit_folder) + "/Maps"};

  for (std::size_t i = 0; i < models.size(); ++i) {
    const std::string stem = std::string(kit_folder) + "/" + std::string(models[i]);
    plan.files.push_back({stem + ".orx", file_kind::model, full ? random.between(2048, 12288) : random.between(1024, 4096),
                          0, 0, 0});
    if (i < models_with_mesh) {
      plan.files.push_back(
          {stem + ".obj", file_kind::mesh, full ? random.between(512 << 10, 1 << 20) : random.between(8 << 10, 16 << 10),
           0, 0, 0});
    }
  }

  std::vector<std::pair<std::uint32_t, std::uint32_t>> formats;
  for (const auto& format : map_formats) {
    for (std::size_t k = 0; k < format.count; ++k) formats.emplace_back(format.dimension >> shrink, format.block_bytes);
  }
  for (std::size_t i = formats.size(); i > 1; --i) std::swap(formats[i - 1], formats[random.next() % i]);

  std::size_t next_format = 0;
  const auto add_map = [&](std::size_t model, std::string_view suffix) {
    const auto [dimension, block_bytes] = formats[next_format++];
    plan.files.push_back({std::string(kit_folder) + "/Maps/" + std::string(models[model]) + std::string(suffix) + ".dds",
                          file_kind::map, map_file_size(dimension, block_bytes), 0, dimension, block_bytes});
  };
  for (std::size_t model = 0; model < models.size(); ++model) {
    for (const auto suffix : common_maps) add_map(model, suffix);
    for (const auto& [owner, suffix] : extra_maps) {
      if (owner == model) add_map(model, suffix);
    }
  }

  if (full) {
    // The last mesh takes up what is left, so that the pack has the shipped size.
    planned_file* last_mesh = nullptr;
    for (auto& file : plan.files) {
      if (file.kind == file_kind::mesh) last_mesh = &file;
    }
    last_mesh->size = 0;
    last_mesh->size = full_pack_bytes - plan.total_bytes();
  }
  for (auto& file : plan.files) file.time = random.between(first_time, last_time);
  return plan;
}

}  // namespace hbpackgen

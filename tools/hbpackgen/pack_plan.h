#pragma once
// The shape of a generated pack: the four directories of the shipped pack and
// its 68 files (11 ".orx" model descriptions, 9 ".obj" meshes, 48 ".dds" maps
// with the pack's map suffixes), each with a size and a time between
// 2016-07-28 and 2016-08-18, all drawn from a seed.

#include <cstdint>
#include <string>
#include <vector>

namespace hbpackgen {

enum class pack_size { demo, full };
enum class file_kind { model, mesh, map };

struct planned_file {
  std::string name;  // relative, slash separators
  file_kind kind = file_kind::model;
  std::uint64_t size = 0;
  std::uint64_t time = 0;   // creation and last-write, seconds since 1970 UTC
  std::uint32_t map_dimension = 0;    // maps: width and height of the top level
  std::uint32_t map_block_bytes = 0;  // maps: 8 (DXT1) or 16 (DXT5)
};

struct pack_plan {
  std::vector<std::string> directories;  // parents first
  std::vector<planned_file> files;
  std::uint64_t total_bytes() const;
};

// The full pack holds 246,589,548 bytes (largest file 22,369,776); the demo
// pack has the same names with maps an eighth of the size each way (a few MB).
constexpr std::uint64_t full_pack_bytes = 246'589'548;

pack_plan make_pack_plan(pack_size size, std::uint64_t seed);

// Bytes of a DDS file: a 128-byte header and a full chain of mip levels of
// 4x4 blocks.
std::uint64_t map_file_size(std::uint32_t dimension, std::uint32_t block_bytes);

}  // namespace hbpackgen

// The generated pack has the shipped shape and depends only on its seed.
#include "tools/hbpackgen/pack_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "tools/hbpackgen/content_generator.h"

using namespace hbpackgen;

namespace {

std::string extension(const std::string& name) { return name.substr(name.rfind('.') + 1); }

}  // namespace

TEST(pack_plan, has_the_shipped_shape) {
  for (const pack_size size : {pack_size::demo, pack_size::full}) {
    const pack_plan plan = make_pack_plan(size, 1);
    EXPECT_EQ(plan.directories, (std::vector<std::string>{"Halbrook", "Halbrook/Models", "Halbrook/Models/Tidewater_Kit",
                                                          "Halbrook/Models/Tidewater_Kit/Maps"}));
    std::map<std::string, int> kinds;
    for (const auto& file : plan.files) {
      SCOPED_TRACE(file.name);
      ++kinds[extension(file.name)];
      const bool is_map = file.kind == file_kind::map;
      EXPECT_EQ(file.name.rfind(is_map ? "Halbrook/Models/Tidewater_Kit/Maps/Tidewater_"
                                       : "Halbrook/Models/Tidewater_Kit/Tidewater_",
                                0),
                0u);
      EXPECT_TRUE(std::all_of(file.name.begin(), file.name.end(), [](char c) { return c > 0x20 && c < 0x7F; }));
      EXPECT_GE(file.time, 1'469'664'000u);  // 2016-07-28
      EXPECT_LT(file.time, 1'471'478'400u);  // 2016-08-18
    }
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"orx", 11}, {"obj", 9}, {"dds", 48}}));
  }
}

TEST(pack_plan, the_full_pack_has_the_shipped_sizes_and_maps) {
  const pack_plan plan = make_pack_plan(pack_size::full, 7);
  EXPECT_EQ(plan.total_bytes(), full_pack_bytes);
  std::uint64_t largest = 0;
  std::map<std::string, int> suffixes;
  for (const auto& file : plan.files) {
    largest = std::max(largest, file.size);
    if (file.kind == file_kind::map) {
      const auto underscore = file.name.rfind('_');
      ++suffixes[file.name.substr(underscore, file.name.size() - underscore - 4)];
    }
  }
  EXPECT_EQ(largest, 22'369'776u);
  EXPECT_EQ(suffixes, (std::map<std::string, int>{
                          {"_AO", 1}, {"_Ao", 1}, {"_Diffuse", 11}, {"_Emissive", 2}, {"_Glossiness", 11},
                          {"_Normal", 11}, {"_Specular", 11}}));
  EXPECT_EQ(map_file_size(4096, 16), 22'369'776u);
  EXPECT_EQ(map_file_size(1, 8), 136u);
}

TEST(content_generator, writes_exact_sizes_and_the_same_bytes_for_the_same_seed) {
  const pack_plan plan = make_pack_plan(pack_size::demo, 1);
  for (const auto& file : plan.files) {
    SCOPED_TRACE(file.name);
    const std::vector<std::uint8_t> content = generate_content(file, 1);
    ASSERT_EQ(content.size(), file.size);
    if (file.kind == file_kind::map) {
      EXPECT_EQ(std::string(content.begin(), content.begin() + 4), "DDS ");
    } else {
      EXPECT_EQ(content[0], file.kind == file_kind::mesh ? '#' : '<');
    }
  }
  const planned_file& first = plan.files.front();
  EXPECT_EQ(generate_content(first, 1), generate_content(first, 1));
  EXPECT_NE(generate_content(first, 1), generate_content(first, 2));
}

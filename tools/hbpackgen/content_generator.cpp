#include "tools/hbpackgen/content_generator.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>

#include "tools/hbpackgen/seeded_random.h"

namespace hbpackgen {
namespace {

// Map blocks: a block repeats one of the last few blocks this often (out of
// 256), otherwise its bytes drift around a slowly moving base value.
constexpr std::uint64_t repeat_share = 204;
constexpr std::size_t history_blocks = 64;

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put_dds_header(std::vector<std::uint8_t>& out, const planned_file& file) {
  std::uint32_t levels = 0;
  for (std::uint32_t level = file.map_dimension; level > 0; level /= 2) ++levels;
  const std::uint32_t top_blocks = file.map_dimension < 4 ? 1 : file.map_dimension / 4;
  const std::array<std::uint32_t, 32> header = {
      0x2053'4444,          // "DDS "
      124,                  // header size
      0x000A'1007,          // caps, height, width, pixel format, mip count, linear size
      file.map_dimension,   // height
      file.map_dimension,   // width
      top_blocks * top_blocks * file.map_block_bytes,
      0, levels,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      32, 0x4,              // pixel format: size, has a four-character code
      file.map_block_bytes == 8 ? 0x3154'5844u : 0x3554'5844u,  // "DXT1" or "DXT5"
      0, 0, 0, 0, 0,
      0x0040'1008,          // complex, texture, mip levels
      0, 0, 0, 0};
  for (const std::uint32_t value : header) put_u32(out, value);
}

void fill_map(std::vector<std::uint8_t>& out, const planned_file& file, seeded_random& random) {
  put_dds_header(out, file);
  const std::size_t block = file.map_block_bytes;
  std::array<std::uint8_t, history_blocks * 16> history{};
  std::size_t stored = 0;
  std::uint8_t base = static_cast<std::uint8_t>(random.next());
  std::uint8_t fresh[16];
  while (out.size() < file.size) {
    std::uint64_t bits = random.next();
    const std::uint8_t* chosen;
    if (stored > 0 && (bits & 0xFF) < repeat_share) {
      chosen = &history[((bits >> 8) % (stored < history_blocks ? stored : history_blocks)) * block];
    } else {
      base = static_cast<std::uint8_t>(base + ((bits >> 8) & 7) - 3);
      bits = random.next();
      for (std::size_t i = 0; i < block; ++i, bits >>= 4) {
        // The sum of two 2-bit values, centred: -3..3, most often near 0.
        const int drift = static_cast<int>(bits & 3) + static_cast<int>((bits >> 2) & 3) - 3;
        fresh[i] = static_cast<std::uint8_t>(base + drift);
      }
      chosen = fresh;
      std::memcpy(&history[(stored % history_blocks) * block], fresh, block);
      ++stored;
    }
    out.insert(out.end(), chosen, chosen + block);
  }
}

// Fixed-point text with four decimals, from an integer in ten-thousandths.
void put_decimal(std::string& text, std::int64_t ten_thousandths) {
  if (ten_thousandths < 0) text.push_back('-');
  const std::uint64_t magnitude = static_cast<std::uint64_t>(ten_thousandths < 0 ? -ten_thousandths : ten_thousandths);
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, magnitude / 10000).ptr;
  text.append(digits, end);
  text.push_back('.');
  const std::uint64_t fraction = magnitude % 10000;
  for (std::uint64_t unit = 1000; unit > 0; unit /= 10) text.push_back(static_cast<char>('0' + fraction / unit % 10));
}

void put_number(std::string& text, std::uint64_t value) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string stem_of(const planned_file& file) {
  const std::size_t slash = file.name.rfind('/');
  const std::size_t dot = file.name.rfind('.');
  return file.name.substr(slash + 1, dot - slash - 1);
}

std::string mesh_text(const planned_file& file, seeded_random& random) {
  std::string text = "# " + stem_of(file) + "\no " + stem_of(file) + "\n";
  std::int64_t walk[3] = {0, 0, 0};
  std::uint64_t vertices = 0;
  while (text.size() < file.size) {
    const std::uint64_t pick = random.next();
    switch (pick % 4) {
      case 0:
      case 1:
        text += "v";
        for (auto& axis : walk) {
          axis += static_cast<std::int64_t>((pick >> 8) % 2001) - 1000;
          text.push_back(' ');
          put_decimal(text, axis);
        }
        text.push_back('\n');
        ++vertices;
        break;
      case 2:
        text += "vt ";
        put_decimal(text, static_cast<std::int64_t>((pick >> 8) % 10001));
        text.push_back(' ');
        put_decimal(text, static_cast<std::int64_t>((pick >> 24) % 10001));
        text += "\nvn 0.0000 1.0000 0.0000\n";
        break;
      default:
        if (vertices < 3) break;
        text += "f";
        for (int corner = 0; corner < 3; ++corner) {
          const std::uint64_t index = vertices - (pick >> (8 + 4 * corner)) % 3;
          text.push_back(' ');
          put_number(text, index);
          text.push_back('/');
          put_number(text, index);
          text.push_back('/');
          put_number(text, index);
        }
        text.push_back('\n');
        break;
    }
  }
  return text;
}

std::string model_text(const planned_file& file, seeded_random& random) {
  const std::string stem = stem_of(file);
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<orx version=\"3\">\n  <model name=\"" + stem +
                     "\" mesh=\"" + stem + ".obj\">\n    <material diffuse=\"Maps/" + stem +
                     "_Diffuse.dds\" normal=\"Maps/" + stem + "_Normal.dds\"/>\n";
  while (text.size() < file.size) {
    text += "    <param key=\"p";
    put_number(text, random.next() % 512);
    text += "\" value=\"";
    put_decimal(text, static_cast<std::int64_t>(random.next() % 20001) - 10000);
    text += "\"/>\n";
  }
  return text;
}

}  // namespace

std::vector<std::uint8_t> generate_content(const planned_file& file, std::uint64_t seed) {
  // Each file has its own stream of numbers, so files do not depend on each other.
  std::uint64_t name_hash = 1469598103934665603ull;  // FNV-1a
  for (const char c : file.name) name_hash = (name_hash ^ static_cast<std::uint8_t>(c)) * 1099511628211ull;
  seeded_random random(seed ^ name_hash);

  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(file.size) + 64);
  if (file.kind == file_kind::map) {
    fill_map(bytes, file, random);
  } else {
    const std::string text = file.kind == file_kind::mesh ? mesh_text(file, random) : model_text(file, random);
    bytes.assign(text.begin(), text.end());
  }
  bytes.resize(static_cast<std::size_t>(file.size));
  return bytes;
}

}  // namespace hbpackgen

// The embedded pictures are well-formed PNGs of the sizes and layouts the
// widgets expect. A small decoder (zlib plus the five row filters) reads them.
#include "resources/embedded.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace res = hb::resources;

namespace {

struct picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int channels = 0;  // 3 RGB, 4 RGBA
  std::vector<std::uint8_t> pixels;

  std::array<int, 4> at(std::uint32_t x, std::uint32_t y) const {
    const std::uint8_t* p = &pixels[(y * width + x) * static_cast<std::uint32_t>(channels)];
    return {p[0], p[1], p[2], channels == 4 ? p[3] : 255};
  }
  bool opaque(std::uint32_t x, std::uint32_t y) const { return at(x, y)[3] != 0; }
};

std::uint32_t be32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

picture decode(const unsigned char* data, std::size_t size) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 || std::memcmp(data, signature, 8) != 0)
    throw std::runtime_error("no PNG signature");
  picture result;
  std::vector<unsigned char> compressed;
  for (std::size_t at = 8; at + 12 <= size;) {
    const std::uint32_t length = be32(data + at);
    const std::string kind(reinterpret_cast<const char*>(data + at + 4), 4);
    if (at + 12 + length > size)
      throw std::runtime_error("chunk past the end");
    const unsigned char* body = data + at + 8;
    if (crc32(0, data + at + 4, length + 4) != be32(body + length))
      throw std::runtime_error("bad CRC in " + kind);
    if (kind == "IHDR") {
      result.width = be32(body);
      result.height = be32(body + 4);
      if (body[8] != 8 || (body[9] != 2 && body[9] != 6) || body[12] != 0)
        throw std::runtime_error("unexpected format");
      result.channels = body[9] == 6 ? 4 : 3;
    } else if (kind == "IDAT") {
      compressed.insert(compressed.end(), body, body + length);
    } else if (kind == "IEND") {
      break;
    }
    at += 12 + length;
  }
  const std::size_t stride = result.width * static_cast<std::size_t>(result.channels);
  std::vector<unsigned char> raw((stride + 1) * result.height);
  uLongf raw_size = static_cast<uLongf>(raw.size());
  if (uncompress(raw.data(), &raw_size, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
      raw_size != raw.size()) {
    throw std::runtime_error("bad image data");
  }
  result.pixels.resize(stride * result.height);
  const auto bpp = static_cast<std::size_t>(result.channels);
  for (std::size_t y = 0; y < result.height; ++y) {
    const unsigned char filter = raw[y * (stride + 1)];
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= bpp ? result.pixels[y * stride + i - bpp] : 0;
      const int b = y > 0 ? result.pixels[(y - 1) * stride + i] : 0;
      const int c = i >= bpp && y > 0 ? result.pixels[(y - 1) * stride + i - bpp] : 0;
      const int predictors[5] = {0, a, b, (a + b) / 2, paeth(a, b, c)};
      if (filter > 4)
        throw std::runtime_error("bad filter");
      result.pixels[y * stride + i] =
          static_cast<std::uint8_t>(raw[y * (stride + 1) + 1 + i] + predictors[filter]);
    }
  }
  return result;
}

}  // namespace

TEST(embedded_pictures, have_the_stated_sizes_and_formats) {
  struct picture_case {
    const char* name;
    const unsigned char* data;
    std::size_t size;
    std::uint32_t width, height;
    int channels;
  };
  const picture_case cases[] = {
      {"checkbox", res::checkbox_png, res::checkbox_png_size, 14, 28, 3},
      {"triangle_down", res::triangle_down_png, res::triangle_down_png_size, 8, 8, 4},
      {"triangle_right", res::triangle_right_png, res::triangle_right_png_size, 8, 8, 4},
      {"scroll_arrows", res::scroll_arrows_png, res::scroll_arrows_png_size, 8, 8, 4},
      {"browser_folder", res::browser_folder_png, res::browser_folder_png_size, 20, 20, 4},
      {"browser_pack", res::browser_pack_png, res::browser_pack_png_size, 20, 20, 4},
      {"browser_virtual", res::browser_virtual_png, res::browser_virtual_png_size, 20, 20, 4},
  };
  for (const picture_case& c : cases) {
    SCOPED_TRACE(c.name);
    const picture p = decode(c.data, c.size);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    EXPECT_EQ(p.channels, c.channels);
  }
}

TEST(embedded_pictures, the_check_box_strip_holds_an_empty_box_above_a_filled_one) {
  const picture p = decode(res::checkbox_png, res::checkbox_png_size);
  for (std::uint32_t i = 0; i < 14; ++i) {  // the same outline in both frames
    EXPECT_EQ(p.at(i, 0), p.at(i, 14));
    EXPECT_EQ(p.at(0, i), p.at(0, 14 + i));
  }
  const auto brightness = [](std::array<int, 4> c) { return c[0] + c[1] + c[2]; };
  EXPECT_EQ(p.at(3, 3), p.at(7, 7));                                     // the top box is empty
  EXPECT_GT(brightness(p.at(7, 14 + 7)), brightness(p.at(7, 7)) + 300);  // the bottom one is filled light
}

TEST(embedded_pictures, arrows_and_triangles_point_the_right_way) {
  // The diamond is symmetric, so each half is one arrow; its corners are clear.
  const picture diamond = decode(res::scroll_arrows_png, res::scroll_arrows_png_size);
  for (std::uint32_t y = 0; y < 8; ++y) {
    for (std::uint32_t x = 0; x < 8; ++x) {
      EXPECT_EQ(diamond.opaque(x, y), diamond.opaque(7 - x, y));
      EXPECT_EQ(diamond.opaque(x, y), diamond.opaque(x, 7 - y));
      EXPECT_EQ(diamond.opaque(x, y), diamond.opaque(y, x));
    }
  }
  EXPECT_FALSE(diamond.opaque(0, 0));
  EXPECT_TRUE(diamond.opaque(3, 0) && diamond.opaque(0, 3) && diamond.opaque(3, 3));

  // Rows of the downward triangle narrow toward the bottom; columns of the right one toward the right.
  const picture down = decode(res::triangle_down_png, res::triangle_down_png_size);
  const picture right = decode(res::triangle_right_png, res::triangle_right_png_size);
  std::vector<int> rows, columns;
  for (std::uint32_t i = 0; i < 8; ++i) {
    int row = 0, column = 0;
    for (std::uint32_t j = 0; j < 8; ++j) {
      row += down.opaque(j, i);
      column += right.opaque(i, j);
    }
    if (row > 0)
      rows.push_back(row);
    if (column > 0)
      columns.push_back(column);
  }
  ASSERT_GE(rows.size(), 2u);
  EXPECT_TRUE(std::is_sorted(rows.rbegin(), rows.rend()) && rows.front() > rows.back());
  EXPECT_EQ(rows, columns);
}

#include "ui/win32/png_bytes.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace hb_test {
namespace {

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
  }
}

void put_chunk(std::vector<unsigned char>& out, std::string_view kind, const std::vector<unsigned char>& body) {
  put32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), kind.begin(), kind.end());
  out.insert(out.end(), body.begin(), body.end());
  const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
  put32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<unsigned char> make_png(std::uint32_t width, std::uint32_t height,
                                    const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& colour_at) {
  std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  put_chunk(out, "IHDR", header);

  std::vector<unsigned char> raw;
  for (std::uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);
    for (std::uint32_t x = 0; x < width; ++x) {
      put32(raw, colour_at(x, y));
    }
  }
  std::vector<unsigned char> packed(compressBound(static_cast<uLong>(raw.size())));
  uLongf packed_size = static_cast<uLongf>(packed.size());
  if (compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK) {
    throw std::runtime_error("the picture cannot be compressed");
  }
  packed.resize(packed_size);
  put_chunk(out, "IDAT", packed);
  put_chunk(out, "IEND", {});
  return out;
}

}  // namespace hb_test

#include "tools/hbpack/archive_writer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace hbpack {
namespace {

constexpr std::uint64_t largest_field = std::numeric_limits<std::uint32_t>::max();

void put_le(std::vector<std::uint8_t>& out, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put_name(std::vector<std::uint8_t>& out, const std::string& name) {
  put_le(out, name.size(), 4);
  out.insert(out.end(), name.begin(), name.end());
}

std::uint32_t checked_u32(std::uint64_t value, const char* what) {
  if (value > largest_field) throw std::length_error(std::string(what) + " is larger than the format allows (4 GiB)");
  return static_cast<std::uint32_t>(value);
}

// Owns one deflate stream and ends it on every path out.
class deflate_stream {
public:
  explicit deflate_stream(int level) {
    if (deflateInit(&stream_, level) != Z_OK) throw std::runtime_error("cannot initialise deflate");
  }
  ~deflate_stream() { deflateEnd(&stream_); }
  deflate_stream(const deflate_stream&) = delete;
  deflate_stream& operator=(const deflate_stream&) = delete;
  z_stream& get() noexcept { return stream_; }

private:
  z_stream stream_{};
};

}  // namespace

std::vector<std::uint8_t> zlib_compress(std::span<const std::uint8_t> content, int level,
                                        const std::function<void(std::size_t)>& progress) {
  constexpr std::size_t step = 1u << 20;
  deflate_stream deflater(level);
  z_stream& stream = deflater.get();
  std::vector<std::uint8_t> out(deflateBound(&stream, checked_u32(content.size(), "a file's size")));

  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  std::size_t done = 0;
  int rc = Z_OK;
  do {
    const std::size_t piece = std::min(step, content.size() - done);
    // zlib takes a non-const input pointer but never writes through it.
    stream.next_in = const_cast<std::uint8_t*>(content.data() + done);
    stream.avail_in = static_cast<uInt>(piece);
    done += piece;
    rc = deflate(&stream, done == content.size() ? Z_FINISH : Z_NO_FLUSH);
    if (rc == Z_STREAM_ERROR || stream.avail_in != 0) throw std::runtime_error("deflate failed");
    if (progress) progress(piece);
  } while (rc != Z_STREAM_END);
  out.resize(stream.total_out);
  return out;
}

void archive_writer::add_directory(std::string name) { directories_.push_back(std::move(name)); }

void archive_writer::add_file(std::string name, std::span<const std::uint8_t> content, std::uint64_t creation,
                              std::uint64_t last_write, int level) {
  const std::uint32_t size = checked_u32(content.size(), "a file's size");
  add_stream(std::move(name), size, content.empty() ? std::vector<std::uint8_t>{} : zlib_compress(content, level),
             creation, last_write);
}

void archive_writer::add_stream(std::string name, std::uint32_t uncompressed_size, std::vector<std::uint8_t> stream,
                                std::uint64_t creation, std::uint64_t last_write) {
  files_.push_back(entry{std::move(name), uncompressed_size, std::move(stream), creation, last_write});
}

std::vector<std::uint8_t> archive_writer::build() const {
  std::uint64_t tables = 4 + 4 + 4;  // magic, directory count, file count
  for (const auto& name : directories_) tables += 4 + checked_u32(name.size(), "a name's length");
  for (const auto& file : files_) tables += 4 + checked_u32(file.name.size(), "a name's length") + 28;
  std::uint64_t total = tables;
  for (const auto& file : files_) total += file.stream.size();
  checked_u32(total, "the archive");

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(total));
  put_le(out, 0x1A5E6268, 4);  // the magic: 68 62 5E 1A
  put_le(out, directories_.size(), 4);
  for (const auto& name : directories_) put_name(out, name);
  put_le(out, files_.size(), 4);
  std::uint64_t offset = tables;
  for (const auto& file : files_) {
    put_name(out, file.name);
    put_le(out, file.uncompressed_size, 4);
    put_le(out, file.stream.size(), 4);
    put_le(out, file.stream.empty() ? 0 : offset, 4);
    put_le(out, file.creation, 8);
    put_le(out, file.last_write, 8);
    offset += file.stream.size();
  }
  for (const auto& file : files_) out.insert(out.end(), file.stream.begin(), file.stream.end());
  return out;
}

}  // namespace hbpack

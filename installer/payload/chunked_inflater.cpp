#include "installer/payload/chunked_inflater.h"

#include <zlib.h>

#include <cstring>

namespace installer {
namespace {

// Owns one initialised inflate stream and ends it on every path out.
class inflate_stream {
public:
  inflate_stream() noexcept { initialised_ = inflateInit(&stream_) == Z_OK; }
  ~inflate_stream() {
    if (initialised_) inflateEnd(&stream_);
  }
  inflate_stream(const inflate_stream&) = delete;
  inflate_stream& operator=(const inflate_stream&) = delete;

  bool initialised() const noexcept { return initialised_; }
  z_stream& get() noexcept { return stream_; }

private:
  z_stream stream_{};  // zalloc, zfree and opaque null: zlib's own allocator
  bool initialised_ = false;
};

}  // namespace

extract_code chunked_inflater::inflate(const std::uint8_t* data, std::uint32_t size, sink& out) {
  inflate_stream inflater;
  if (!inflater.initialised()) return extract_code::inflate_init_failed;
  z_stream& stream = inflater.get();

  std::uint32_t remaining = size;
  const std::uint8_t* read_point = data;
  int rc = Z_OK;
  do {
    if (remaining == 0) return extract_code::data_exhausted;
    const auto chunk = static_cast<std::uint32_t>(remaining < chunk_size ? remaining : chunk_size);
    std::memcpy(input_.data(), read_point, chunk);
    read_point += chunk;
    remaining -= chunk;
    stream.next_in = input_.data();
    stream.avail_in = chunk;

    // Inflate this input until a call leaves output room: then the input is
    // used up or the stream has ended.
    bool output_full = true;
    while (output_full) {
      stream.next_out = output_.data();
      stream.avail_out = chunk_size;
      rc = ::inflate(&stream, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) return extract_code::inflate_failed;
      const std::size_t produced = chunk_size - stream.avail_out;
      if (produced > 0 && !out.write(output_.data(), produced)) return extract_code::write_failed;
      output_full = stream.avail_out == 0 && rc != Z_STREAM_END;
    }
    out.consumed(chunk);
  } while (rc != Z_STREAM_END);
  return extract_code::ok;
}

}  // namespace installer

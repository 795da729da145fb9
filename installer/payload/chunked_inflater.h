#pragma once
// Inflates one zlib stream held in memory in fixed 16 KiB steps: each step
// copies at most 16 KiB of compressed bytes and every inflate call is offered
// exactly 16 KiB of output room, whose whole output goes to a sink before the
// next call. Memory use is the two buffers plus zlib's state, whatever the
// size of the stream.

#include <array>
#include <cstddef>
#include <cstdint>

#include "installer/payload/extract_code.h"

namespace installer {

class chunked_inflater {
public:
  static constexpr std::size_t chunk_size = 16384;

  // Receives the inflated bytes. write returns false to stop with write_failed.
  class sink {
  public:
    virtual ~sink() = default;
    virtual bool write(const std::uint8_t* data, std::size_t size) = 0;
    // Called after each step with the compressed bytes it took in.
    virtual void consumed(std::size_t /*compressed_bytes*/) {}
  };

  // Inflates the zlib stream at data, of at most size bytes. Bytes after the
  // end of the stream are ignored. Returns ok, data_exhausted (size used up
  // before the end), inflate_failed, write_failed or inflate_init_failed; the
  // inflate stream is released before it returns.
  extract_code inflate(const std::uint8_t* data, std::uint32_t size, sink& out);

private:
  std::array<std::uint8_t, chunk_size> input_{};
  std::array<std::uint8_t, chunk_size> output_{};
};

}  // namespace installer

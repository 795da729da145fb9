#include "installer/payload/chunked_inflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using installer::chunked_inflater;
using installer::extract_code;
using namespace payload_test;

namespace {

// Keeps what it is given; can be told to refuse the n-th write.
class collecting_sink final : public chunked_inflater::sink {
public:
  bool write(const std::uint8_t* data, std::size_t size) override {
    ++writes;
    if (writes == fail_on_write) return false;
    largest_write = std::max(largest_write, size);
    text.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
  void consumed(std::size_t compressed_bytes) override { taken += compressed_bytes; }

  std::string text;
  int writes = 0;
  int fail_on_write = 0;
  std::size_t largest_write = 0;
  std::size_t taken = 0;
};

extract_code inflate_all(const bytes& stream, collecting_sink& sink, std::size_t size) {
  chunked_inflater inflater;
  return inflater.inflate(stream.data(), static_cast<std::uint32_t>(size), sink);
}

extract_code inflate_all(const bytes& stream, collecting_sink& sink) { return inflate_all(stream, sink, stream.size()); }

bytes raw_deflate(const std::string& text, int window_bits) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY), Z_OK);
  bytes out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

TEST(chunked_inflater, inflates_streams_of_every_shape) {
  struct good_case {
    const char* label;
    std::string content;
    int level = 9;
  };
  const good_case cases[] = {
      {"one byte", "x"},
      {"exactly one output chunk", std::string(16384, 'a')},
      {"one byte over a chunk", std::string(16385, 'b')},
      {"exactly four output chunks", std::string(4 * 16384, 'e')},
      {"exactly three chunks, barely compressible", noise(3 * 16384)},
      {"many output chunks from one input chunk", std::string(1 << 20, 'c')},
      {"many input chunks (barely compressible)", noise(200000)},
      {"empty content", ""},
      // Stored blocks (level 0) copy input to output one for one, so an input
      // chunk can fill the output exactly and leave no input: the next call
      // can make no progress and zlib says Z_BUF_ERROR, which is not an error.
      {"stored, one chunk", noise(16384), 0},
      {"stored, exactly two chunks", noise(2 * 16384), 0},
      {"stored, exactly four chunks", std::string(4 * 16384, 's'), 0},
      {"stored, not a multiple", noise(3 * 16384 - 5), 0},
      {"stored, many chunks", noise(300000), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const bytes stream = hbpack::zlib_compress(bytes_of(c.content), c.level);
    collecting_sink sink;
    EXPECT_EQ(inflate_all(stream, sink), extract_code::ok);
    EXPECT_EQ(sink.text, c.content);
    EXPECT_LE(sink.largest_write, chunked_inflater::chunk_size);
    EXPECT_EQ(sink.taken, stream.size());
  }
}

TEST(chunked_inflater, ignores_bytes_after_the_end_of_the_stream) {
  bytes stream = zlib_of("payload");
  stream.resize(stream.size() + 40000, 0xEE);  // more than two further input chunks of junk
  collecting_sink sink;
  EXPECT_EQ(inflate_all(stream, sink), extract_code::ok);
  EXPECT_EQ(sink.text, "payload");
  EXPECT_EQ(sink.taken, chunked_inflater::chunk_size) << "only the first chunk is taken in";
}

TEST(chunked_inflater, reports_a_stream_cut_short_as_exhausted) {
  const std::string content = noise(50000);
  const bytes stream = zlib_of(content);
  for (const std::size_t size : {stream.size() - 1, std::size_t{1}, std::size_t{2}, std::size_t{16384}}) {
    SCOPED_TRACE(size);
    collecting_sink sink;
    EXPECT_EQ(inflate_all(stream, sink, size), extract_code::data_exhausted);
    EXPECT_EQ(content.compare(0, sink.text.size(), sink.text), 0) << "the output is a prefix of the content";
  }
}

TEST(chunked_inflater, rejects_streams_that_are_not_zlib) {
  const std::string content = "not a zlib stream " + std::string(3000, 'z');
  bytes wrong_checksum = zlib_of(content);
  wrong_checksum.back() ^= 0x01;
  bytes dictionary = zlib_of(content);
  dictionary[1] = 0x20;   // FDICT set; FCHECK must keep the 16-bit header a multiple of 31
  dictionary[1] = static_cast<std::uint8_t>(dictionary[1] + (31 - ((dictionary[0] * 256 + dictionary[1]) % 31)) % 31);
  bytes bad_header = zlib_of(content);
  bad_header[0] = 0x79;   // not deflate

  struct bad_case {
    const char* label;
    bytes stream;
  };
  const bad_case cases[] = {
      {"wrong Adler-32", wrong_checksum},
      {"raw deflate", raw_deflate(content, -15)},
      {"gzip", raw_deflate(content, 31)},
      {"preset dictionary", dictionary},
      {"bad header", bad_header},
      {"all zero bytes", bytes(64, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    collecting_sink sink;
    EXPECT_EQ(inflate_all(c.stream, sink), extract_code::inflate_failed);
  }
}

TEST(chunked_inflater, stops_at_the_first_refused_write) {
  const bytes stream = zlib_of(std::string(100000, 'w'));
  collecting_sink sink;
  sink.fail_on_write = 2;
  EXPECT_EQ(inflate_all(stream, sink), extract_code::write_failed);
  EXPECT_EQ(sink.writes, 2);
  EXPECT_EQ(sink.text.size(), chunked_inflater::chunk_size);
}

TEST(chunked_inflater, starts_each_stream_afresh_after_a_failure) {
  chunked_inflater inflater;
  bytes broken = zlib_of("first");
  broken.back() ^= 0xFF;
  collecting_sink first;
  EXPECT_EQ(inflater.inflate(broken.data(), static_cast<std::uint32_t>(broken.size()), first),
            extract_code::inflate_failed);
  const bytes good = zlib_of("second");
  collecting_sink second;
  EXPECT_EQ(inflater.inflate(good.data(), static_cast<std::uint32_t>(good.size()), second), extract_code::ok);
  EXPECT_EQ(second.text, "second");
}

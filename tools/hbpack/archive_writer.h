#pragma once
// Lays out a payload archive: the magic, the directory records, the file
// records and the zlib streams, in that order, with data offsets counted from
// the archive's first byte. It writes what it is given in the order given;
// folder_packer decides the order. Used by hbpack and by the tests.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace hbpack {

// Compresses bytes into one zlib stream (32 KiB window) at a level from 0 to
// 9, taking the input in 1 MiB steps and reporting each step to progress.
std::vector<std::uint8_t> zlib_compress(std::span<const std::uint8_t> content, int level,
                                        const std::function<void(std::size_t)>& progress = {});

class archive_writer {
public:
  static constexpr int best_compression = 9;

  void add_directory(std::string name);
  // Compresses content and adds it as a file.
  void add_file(std::string name, std::span<const std::uint8_t> content, std::uint64_t creation,
                std::uint64_t last_write, int level = best_compression);
  // Adds a file whose stream and recorded size are taken as they are (to
  // make broken archives on purpose).
  void add_stream(std::string name, std::uint32_t uncompressed_size, std::vector<std::uint8_t> stream,
                  std::uint64_t creation, std::uint64_t last_write);

  std::size_t directory_count() const noexcept { return directories_.size(); }
  std::size_t file_count() const noexcept { return files_.size(); }

  // The archive's bytes. Throws std::length_error when a name, a stream or
  // the whole archive does not fit the format's 32-bit fields.
  std::vector<std::uint8_t> build() const;

private:
  struct entry {
    std::string name;
    std::uint32_t uncompressed_size = 0;
    std::vector<std::uint8_t> stream;
    std::uint64_t creation = 0;
    std::uint64_t last_write = 0;
  };
  std::vector<std::string> directories_;
  std::vector<entry> files_;
};

}  // namespace hbpack

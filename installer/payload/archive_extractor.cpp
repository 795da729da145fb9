#include "installer/payload/archive_extractor.h"

#include <utility>

#include <zlib.h>

#include "hbsdk/filesystem/file_ops.h"
#include "installer/payload/archive_name.h"

namespace installer {
namespace fs = hbsdk::filesystem;

namespace {

// Writes inflated bytes to the output file and passes progress on.
class file_sink final : public chunked_inflater::sink {
public:
  file_sink(fs::output_file& file, archive_extractor::observer* watcher, bool checksum)
      : file_(file), watcher_(watcher), checksum_(checksum) {}
  bool write(const std::uint8_t* data, std::size_t size) override {
    if (!file_.write(data, size)) return false;
    if (checksum_) {
      // crc32 takes a 32-bit length; chunks are far smaller, but stay exact.
      for (std::size_t done = 0; done < size;) {
        const std::size_t part = size - done < (1u << 30) ? size - done : (1u << 30);
        crc_ = ::crc32(crc_, data + done, static_cast<uInt>(part));
        done += part;
      }
    }
    bytes_ += size;
    if (watcher_ != nullptr) watcher_->written(size);
    return true;
  }
  std::uint64_t bytes() const noexcept { return bytes_; }
  std::uint32_t crc() const noexcept { return static_cast<std::uint32_t>(crc_); }
  void consumed(std::size_t compressed_bytes) override {
    if (watcher_ != nullptr) watcher_->consumed(compressed_bytes);
  }

private:
  fs::output_file& file_;
  archive_extractor::observer* watcher_;
  bool checksum_;
  std::uint64_t bytes_ = 0;
  uLong crc_ = ::crc32(0L, Z_NULL, 0);
};

}  // namespace

archive_extractor::archive_extractor(const std::uint8_t* archive, std::uint64_t length, fs::file_path target,
                                     observer* watcher)
    : archive_(archive), length_(length), target_(std::move(target)), watcher_(watcher) {}

extract_code archive_extractor::run() noexcept {
  // Only building a path can throw below (std::bad_alloc, or std::length_error
  // for an impossible size): the run ends with a code instead of the process.
  try {
    return extract();
  } catch (...) {
    return extract_code::out_of_memory;
  }
}

extract_code archive_extractor::extract() {
  // An empty or relative target would resolve against the working directory,
  // which for an elevated Windows process is the system folder.
  if (target_.empty() || !fs::is_absolute(target_)) return extract_code::bad_target;
  target_folder target(target_);
  checksums_ = watcher_ != nullptr && watcher_->wants_checksums();

  using item = observer::table_item;
  archive_reader reader(archive_, length_);
  reading(item::header, 0);
  if (const auto code = reader.read_header(); code != extract_code::ok) return code;

  for (std::uint32_t i = 0; i < reader.directory_count(); ++i) {
    directory_record record;
    reading(item::directory_record, i + 1);
    if (const auto code = reader.read_directory(record); code != extract_code::ok) return code;
    if (const auto code = extract_directory(target, record); code != extract_code::ok) return code;
  }

  reading(item::file_count, 0);
  if (const auto code = reader.read_file_count(); code != extract_code::ok) return code;
  for (std::uint32_t i = 0; i < reader.file_count(); ++i) {
    file_record record;
    reading(item::file_record, i + 1);
    if (const auto code = reader.read_file(record); code != extract_code::ok) return code;
    if (const auto code = extract_file(target, reader, record); code != extract_code::ok) return code;
  }
  return extract_code::ok;
}

void archive_extractor::reading(observer::table_item item, std::uint32_t number) const {
  if (watcher_ != nullptr) watcher_->reading(item, number);
}

extract_code archive_extractor::extract_directory(target_folder& target, const directory_record& record) {
  if (watcher_ != nullptr) watcher_->entering(record.name);
  fs::file_path relative;
  if (const auto code = archive_name_to_path(record.name, relative); code != extract_code::ok) return code;
  // An existing directory, or any other failure but a link in the way, is
  // not an error here: the files inside then fail to open.
  bool created = false;
  const extract_code code = target.make_directory(relative, &created);
  if (code == extract_code::ok && watcher_ != nullptr) {
    observer::finished_entry entry;
    entry.directory = true;
    entry.created = created;
    watcher_->finished(entry);
    watcher_->completed();
  }
  return code;
}

extract_code archive_extractor::output_fault(extract_code code, const fs::output_file& file) const {
  if (watcher_ != nullptr) watcher_->system_error(file.last_error());
  return code;
}

extract_code archive_extractor::extract_file(target_folder& target, const archive_reader& reader,
                                             const file_record& record) {
  if (watcher_ != nullptr) watcher_->entering(record.name);
  fs::file_path relative;
  if (const auto code = archive_name_to_path(record.name, relative); code != extract_code::ok) return code;
  const std::uint8_t* data = nullptr;
  if (record.compressed_size > 0) {
    if (const auto code = reader.locate_data(record, data); code != extract_code::ok) return code;
  }

  fs::output_file file;
  if (const auto code = target.open_file(relative, file); code != extract_code::ok) return output_fault(code, file);
  file_sink sink(file, watcher_, checksums_);
  if (record.compressed_size > 0) {
    // On failure the file is closed by its destructor and keeps what was written.
    if (const auto code = inflater_.inflate(data, record.compressed_size, sink); code != extract_code::ok) {
      return code == extract_code::write_failed ? output_fault(code, file) : code;
    }
  }
  // Stamped through the handle that wrote the file, after its last write, so
  // the times land on this file whatever stands at its name by now; a failure
  // to stamp is not an error.
  (void)file.stamp_times(record.creation_time, record.last_write_time);
  // Closing completes the file: a failure here means it may be cut short.
  if (!file.close()) return output_fault(extract_code::write_failed, file);
  if (watcher_ != nullptr) {
    observer::finished_entry entry;
    entry.size = sink.bytes();
    entry.last_write = record.last_write_time;
    entry.crc32 = sink.crc();
    watcher_->finished(entry);
    watcher_->completed();
  }
  return extract_code::ok;
}

}  // namespace installer

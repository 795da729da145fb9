#include "tools/hbpack/archive_verifier.h"

#include <set>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/archive_name.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/chunked_inflater.h"
#include "tools/hbpack/printable_name.h"

namespace hbpack {
using installer::extract_code;

namespace {

// Counts the inflated bytes and passes progress on; nothing is kept.
class counting_sink final : public installer::chunked_inflater::sink {
public:
  explicit counting_sink(const std::function<void(std::size_t)>& progress) : progress_(progress) {}
  bool write(const std::uint8_t*, std::size_t size) override {
    count += size;
    return true;
  }
  void consumed(std::size_t compressed_bytes) override {
    if (progress_) progress_(compressed_bytes);
  }
  std::uint64_t count = 0;

private:
  const std::function<void(std::size_t)>& progress_;
};

std::string message(extract_code code) {
  return std::string(installer::extract_message(to_int(code))) + " (code " + std::to_string(to_int(code)) + ")";
}

class verifier {
public:
  verifier(std::span<const std::uint8_t> archive, const std::function<void(std::size_t)>& progress)
      : reader_(archive.data(), archive.size()), progress_(progress) {}

  std::vector<std::string> run() {
    if (!table(reader_.read_header(), "header")) return problems_;
    for (std::uint32_t i = 0; i < reader_.directory_count(); ++i) {
      installer::directory_record record;
      if (!table(reader_.read_directory(record), "directory record " + std::to_string(i + 1))) return problems_;
      const std::string label = "directory " + printable_name(record.name) + ": ";
      hbsdk::filesystem::file_path relative;
      if (!check_name(label, record.name, relative)) continue;
      // Placed as extraction places it, by the path the name becomes; one
      // whose parent is missing is not made, so nothing can go into it.
      if (!listed_.contains(std::u16string(installer::split_relative(relative).folder))) {
        problems_.push_back(label + "its parent is not listed before it");
      } else if (!listed_.insert(relative.text()).second) {
        problems_.push_back(label + "listed twice");
      }
    }
    if (!table(reader_.read_file_count(), "file count")) return problems_;
    for (std::uint32_t i = 0; i < reader_.file_count(); ++i) {
      installer::file_record record;
      if (!table(reader_.read_file(record), "file record " + std::to_string(i + 1))) return problems_;
      check_file(record);
    }
    return problems_;
  }

private:
  bool table(extract_code code, const std::string& where) {
    if (code == extract_code::ok) return true;
    problems_.push_back(where + ": " + message(code));
    return false;
  }

  // The relative path extraction makes of a name, or the problem with it.
  bool check_name(const std::string& label, std::string_view name, hbsdk::filesystem::file_path& relative) {
    const extract_code code = installer::archive_name_to_path(name, relative);
    if (code == extract_code::ok) return true;
    problems_.push_back(label + message(code));
    return false;
  }

  void check_file(const installer::file_record& record) {
    const std::string label = "file " + printable_name(record.name) + ": ";
    hbsdk::filesystem::file_path relative;
    if (check_name(label, record.name, relative) &&
        !listed_.contains(std::u16string(installer::split_relative(relative).folder)))
      problems_.push_back(label + "its folder is not a listed directory");
    if (record.compressed_size == 0) {
      if (record.uncompressed_size != 0)
        problems_.push_back(label + "records " + std::to_string(record.uncompressed_size) +
                            " bytes but has no stream; it extracts empty");
      return;
    }
    const std::uint8_t* data = nullptr;
    if (const extract_code code = reader_.locate_data(record, data); code != extract_code::ok) {
      problems_.push_back(label + message(code));
      return;
    }
    counting_sink sink(progress_);
    if (const extract_code code = inflater_.inflate(data, record.compressed_size, sink); code != extract_code::ok) {
      problems_.push_back(label + message(code) + " after " + std::to_string(sink.count) + " bytes");
      return;
    }
    if (sink.count != record.uncompressed_size)
      problems_.push_back(label + "records " + std::to_string(record.uncompressed_size) + " bytes but inflates to " +
                          std::to_string(sink.count));
  }

  installer::archive_reader reader_;
  const std::function<void(std::size_t)>& progress_;
  installer::chunked_inflater inflater_;
  std::set<std::u16string> listed_{u""};  // relative paths of the listed directories; the target is always there
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> verify_archive(std::span<const std::uint8_t> archive,
                                        const std::function<void(std::size_t)>& progress) {
  return verifier(archive, progress).run();
}

}  // namespace hbpack

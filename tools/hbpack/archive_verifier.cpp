#include "tools/hbpack/archive_verifier.h"

#include <set>

#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/archive_name.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/chunked_inflater.h"

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

// The folder part of a stored name: "" for a name at the top.
std::string parent_of(std::string_view name) {
  const auto slash = name.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(name.substr(0, slash));
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
      const std::string name(record.name);
      if (check_name("directory", name) && !listed_.contains(parent_of(name)))
        problems_.push_back("directory " + name + ": its parent is not listed before it");
      if (!listed_.insert(name).second) problems_.push_back("directory " + name + ": listed twice");
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

  bool check_name(const char* kind, const std::string& name) {
    hbsdk::filesystem::file_path relative;
    const extract_code code = installer::archive_name_to_path(name, relative);
    if (code == extract_code::ok) return true;
    problems_.push_back(std::string(kind) + " " + name + ": " + message(code));
    return false;
  }

  void check_file(const installer::file_record& record) {
    const std::string name(record.name);
    const std::string label = "file " + name + ": ";
    if (check_name("file", name) && !listed_.contains(parent_of(name)))
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
  std::set<std::string> listed_{""};  // the target itself is always there
  std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> verify_archive(std::span<const std::uint8_t> archive,
                                        const std::function<void(std::size_t)>& progress) {
  return verifier(archive, progress).run();
}

}  // namespace hbpack

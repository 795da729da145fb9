#include "tools/hbpack/folder_packer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/std_path.h"
#include "installer/payload/archive_name.h"
#include "tools/hbpack/archive_writer.h"
#include "tools/hbpack/file_bytes.h"

namespace hbpack {
namespace {

[[noreturn]] void fail(const std::filesystem::path& entry, const std::string& reason) {
  throw std::runtime_error(hbsdk::filesystem::utf8_text(entry) + ": " + reason);
}

std::string name_of(const std::filesystem::path& entry) {
  const std::u8string text = entry.filename().u8string();
  return std::string(text.begin(), text.end());
}

void check_name(const std::filesystem::path& entry, const std::string& name) {
  hbsdk::filesystem::file_path relative;
  const installer::extract_code code = installer::archive_name_to_path(name, relative);
  if (code != installer::extract_code::ok) fail(entry, std::string("cannot be packed: ") + installer::extract_message(to_int(code)));
}

}  // namespace

folder_packer::folder_packer(std::filesystem::path source) : source_(std::move(source)) {
  std::error_code error;
  if (!std::filesystem::is_directory(source_, error)) fail(source_, "is not a folder");
  scan(source_, "");
}

void folder_packer::scan(const std::filesystem::path& folder, const std::string& prefix) {
  std::error_code error;
  std::vector<std::pair<std::string, std::filesystem::path>> folders;
  std::vector<std::pair<std::string, std::filesystem::path>> plain_files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::filesystem::directory_entry& entry = *it;
    const std::string own_name = name_of(entry.path());
    // Extraction (like Windows) takes a backslash for a folder separator; a
    // Linux file name may hold one.
    if (own_name.find('\\') != std::string::npos)
      fail(entry.path(), "cannot be packed: its name holds a backslash, which extraction takes for a folder separator");
    const std::string name = prefix + own_name;
    const std::filesystem::file_status status = entry.status(error);
    if (error) fail(entry.path(), "cannot be examined (" + error.message() + ")");
    if (std::filesystem::is_directory(status)) {
      if (entry.is_symlink()) fail(entry.path(), "is a link to a folder, which is not followed");
      folders.emplace_back(name, entry.path());
    } else if (std::filesystem::is_regular_file(status)) {
      plain_files.emplace_back(name, entry.path());
    } else {
      fail(entry.path(), "is neither a file nor a folder");
    }
  }
  if (error) fail(folder, "cannot be listed (" + error.message() + ")");

  // Byte order of the UTF-8 names, whatever order the system lists them in.
  std::sort(plain_files.begin(), plain_files.end());
  std::sort(folders.begin(), folders.end());
  for (const auto& [name, path] : plain_files) {
    check_name(path, name);
    const auto size = std::filesystem::file_size(path, error);
    if (error) fail(path, "cannot be sized (" + error.message() + ")");
    files_.push_back(name);
    total_bytes_ += size;
  }
  for (const auto& [name, path] : folders) {
    check_name(path, name);
    directories_.push_back(name);
    scan(path, name + "/");
  }
}

std::vector<std::uint8_t> folder_packer::pack(const std::function<void(std::size_t)>& progress) const {
  archive_writer writer;
  for (const auto& name : directories_) writer.add_directory(name);
  for (const auto& name : files_) {
    const std::filesystem::path file = source_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    const std::vector<std::uint8_t> content = read_file_bytes(file);
    if (content.size() > 0xFFFF'FFFFu) fail(file, "is larger than the format allows (4 GiB)");
    const auto times = hbsdk::filesystem::read_file_times(hbsdk::filesystem::from_std_path(file));
    if (!times) fail(file, "its times cannot be read");
    std::vector<std::uint8_t> stream;
    if (!content.empty()) stream = zlib_compress(content, archive_writer::best_compression, progress);
    writer.add_stream(name, static_cast<std::uint32_t>(content.size()), std::move(stream), times->creation,
                      times->last_write);
  }
  return writer.build();
}

}  // namespace hbpack

#pragma once
// Packs a folder into a payload archive deterministically: names are sorted
// by their UTF-8 bytes, directories are listed parents first and all before
// the files, and each folder's files come before those of its subfolders.
// Every name must be one the engine accepts; creation and last-write times
// come from the files.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace hbpack {

class folder_packer {
public:
  // Lists the folder. Throws std::runtime_error naming the entry and the
  // reason when something cannot be packed.
  explicit folder_packer(std::filesystem::path source);

  const std::vector<std::string>& directories() const noexcept { return directories_; }
  const std::vector<std::string>& files() const noexcept { return files_; }
  std::uint64_t total_bytes() const noexcept { return total_bytes_; }

  // Reads, compresses and lays out everything; progress gets the bytes read
  // in each step. Throws std::runtime_error naming the file and the reason.
  std::vector<std::uint8_t> pack(const std::function<void(std::size_t)>& progress = {}) const;

private:
  void scan(const std::filesystem::path& folder, const std::string& prefix);

  std::filesystem::path source_;
  std::vector<std::string> directories_;
  std::vector<std::string> files_;  // relative names with slashes
  std::uint64_t total_bytes_ = 0;
};

}  // namespace hbpack

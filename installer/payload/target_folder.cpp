#include "installer/payload/target_folder.h"

#include <utility>

#include "installer/payload/archive_name.h"

namespace installer {
namespace fs = hbsdk::filesystem;

namespace {

extract_code code_for(fs::open_result result, extract_code otherwise) {
  return result == fs::open_result::link ? extract_code::link_in_the_way : otherwise;
}

}  // namespace

target_folder::target_folder(const fs::file_path& path) { (void)root_.open(path); }

target_folder::entered target_folder::enter(std::u16string_view folder) {
  if (folder.empty()) return {&root_, root_.is_open() ? fs::open_result::opened : fs::open_result::failed};
  if (kept_.is_open() && folder == kept_name_) return {&kept_, fs::open_result::opened};

  kept_.close();
  fs::directory_handle current;
  const fs::directory_handle* at = &root_;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = folder.find(u'\\', start);
    fs::directory_handle next;
    const fs::open_result result = next.open_child(*at, folder.substr(start, end - start), false);
    if (result != fs::open_result::opened) return {nullptr, result};
    current = std::move(next);
    at = &current;
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  kept_name_.assign(folder);
  kept_ = std::move(current);
  return {&kept_, fs::open_result::opened};
}

void target_folder::release() noexcept {
  kept_.close();
  kept_name_.clear();
}

extract_code target_folder::make_directory(const fs::file_path& relative, bool* created) {
  if (created != nullptr) *created = false;
  const relative_parts parts = split_relative(relative);
  const entered parent = enter(parts.folder);
  if (parent.folder == nullptr) return code_for(parent.result, extract_code::ok);
  fs::directory_handle made;
  return code_for(made.open_child(*parent.folder, parts.leaf, true, created), extract_code::ok);
}

extract_code target_folder::open_file(const fs::file_path& relative, fs::output_file& file) {
  const relative_parts parts = split_relative(relative);
  const entered parent = enter(parts.folder);
  if (parent.folder == nullptr) return code_for(parent.result, extract_code::cannot_open_output);
  const fs::open_result result = file.open_in(*parent.folder, parts.leaf);
  return result == fs::open_result::opened ? extract_code::ok : code_for(result, extract_code::cannot_open_output);
}

}  // namespace installer

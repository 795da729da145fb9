#include "hbsdk/ui/sdl/sdl_drop_collector.h"

#include "hbsdk/filesystem/encoding.h"

#include <stdexcept>

namespace hbsdk::ui {
namespace {

void add_path(std::vector<std::u16string>& paths, std::string_view utf8_path) {
  try {
    paths.push_back(filesystem::to_wide(utf8_path));
  } catch (const std::range_error&) {
    // Not UTF-8: left out.
  }
}

}  // namespace

void sdl_drop_collector::begin(std::uint32_t window_id) { open_[window_id] = {}; }

std::optional<sdl_drop_collector::file_list> sdl_drop_collector::add(std::uint32_t window_id,
                                                                     std::string_view utf8_path) {
  const auto found = open_.find(window_id);
  if (found == open_.end()) {
    file_list alone;
    add_path(alone, utf8_path);
    return alone;
  }
  found->second.any_file = true;
  add_path(found->second.paths, utf8_path);
  return std::nullopt;
}

std::optional<sdl_drop_collector::file_list> sdl_drop_collector::complete(std::uint32_t window_id) {
  const auto found = open_.find(window_id);
  if (found == open_.end()) {
    return std::nullopt;
  }
  open_drop drop = std::move(found->second);
  open_.erase(found);
  if (!drop.any_file) {
    return std::nullopt;
  }
  return std::move(drop.paths);
}

}  // namespace hbsdk::ui

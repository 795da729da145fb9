#pragma once
// SDL's drop events, grouped per window into the lists that drops deliver:
//
//   DROPBEGIN      a list opens for the window
//   DROPFILE       the path joins the window's open list; without an open
//                  list (SDL before 2.0.5 sends no BEGIN or COMPLETE) the
//                  file is a drop of its own, a list of one, complete at once
//   DROPCOMPLETE   the window's list is complete when at least one file came;
//                  a drop of no file (dropped text, which is not wanted)
//                  delivers nothing
//
// Paths keep the order SDL gives them (the drag source's). A path that is
// not UTF-8 cannot be named in the toolkit's UTF-16 paths and is left out,
// as a path that cannot be read is; it still counts as a file dropped.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hbsdk::ui {

class sdl_drop_collector {
public:
  using file_list = std::vector<std::u16string>;

  void begin(std::uint32_t window_id);
  // The complete list when the file is a drop of its own.
  std::optional<file_list> add(std::uint32_t window_id, std::string_view utf8_path);
  std::optional<file_list> complete(std::uint32_t window_id);
  // The window is gone: its open list is dropped.
  void forget(std::uint32_t window_id) { open_.erase(window_id); }

private:
  struct open_drop {
    bool any_file = false;
    file_list paths;
  };

  std::map<std::uint32_t, open_drop> open_;
};

}  // namespace hbsdk::ui

#include "hbsdk/ui/file_drop.h"

#include "hbsdk/filesystem/path_kind.h"
#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/window.h"

#include <algorithm>

namespace hbsdk::ui {

bool drop_wanted(window& target) {
  widget* hit = target.hit_test(cursor_position(&target.root));
  return hit != nullptr && hit->is_enabled() && has_handler(hit, event_type::files_dropped);
}

void deliver_dropped_files(window& target, const std::vector<std::u16string>& paths) {
  std::vector<std::u16string> files;
  for (const std::u16string& path : paths) {
    std::u16string text = path;
#ifdef _WIN32
    // Windows names cannot hold either slash, so the shell's "/" become the
    // toolkit's "\". Elsewhere a "\" is part of a name and the path stays
    // as the system gave it.
    std::replace(text.begin(), text.end(), u'/', u'\\');
#endif
    if (filesystem::kind_of_native(text) == filesystem::path_kind::other) {
      files.push_back(std::move(text));
    }
  }
  target.dispatch(event_type::files_dropped, pointer_value(&files));
}

}  // namespace hbsdk::ui

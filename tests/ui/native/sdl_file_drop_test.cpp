// Files dropped on SDL windows, fed as SDL's drop events (offscreen driver):
// each window's drop becomes one list for the widget under the pointer, with
// folders left out and the source's order kept.
#include "sdl_fixture.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/event_info.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <fstream>

namespace {

using lists = std::vector<std::vector<std::u16string>>;

class sdl_file_drop : public sdl_platform {
protected:
  sdl_file_drop() {
    ui::connect(&win.left, event_type::files_dropped, [this](const ui::event_info& e) {
      received.push_back(*ui::value_pointer<const std::vector<std::u16string>>(e.value));
    });
    std::ofstream(folder.path() / "a.txt") << "a";
    std::ofstream(folder.path() / "b.obj") << "b";
    std::filesystem::create_directory(folder.path() / "maps");
    push_motion(win.id(), 50, 50);  // over the left panel
  }
  std::string path(const std::string& name) const { return (folder.path() / name).string(); }
  // The path as the toolkit hands it to the widget: as the system spells it.
  std::u16string toolkit_path(const std::string& name) const { return hbsdk::filesystem::to_wide(path(name)); }
  static void push_drop(std::uint32_t id, Uint32 type, const std::string& file = {}) {
    SDL_Event e{};
    e.type = type;
    e.drop.windowID = id;
    e.drop.file = type == SDL_DROPFILE || type == SDL_DROPTEXT ? SDL_strdup(file.c_str()) : nullptr;
    SDL_PushEvent(&e);
  }
  void drop(std::uint32_t id, const std::vector<std::string>& names) {
    push_drop(id, SDL_DROPBEGIN);
    for (const std::string& name : names) push_drop(id, SDL_DROPFILE, path(name));
    push_drop(id, SDL_DROPCOMPLETE);
  }

  hb_test::temp_folder folder;
  probe_window win;
  lists received;
};

TEST_F(sdl_file_drop, a_drop_reaches_the_widget_under_the_pointer_as_one_list_without_folders) {
  drop(win.id(), {"b.obj", "maps", "a.txt", "gone"});
  deliver_all();
  EXPECT_EQ(received, (lists{{toolkit_path("b.obj"), toolkit_path("a.txt")}}));

  // A name that holds a backslash is one file of that name.
  received.clear();
  std::ofstream(folder.path() / "c\\d.txt") << "c";
  drop(win.id(), {"c\\d.txt"});
  deliver_all();
  EXPECT_EQ(received, (lists{{toolkit_path("c\\d.txt")}}));

  // Only folders: an empty list. A lone file (SDL before 2.0.5): a list of one.
  received.clear();
  drop(win.id(), {"maps"});
  push_drop(win.id(), SDL_DROPFILE, path("a.txt"));
  deliver_all();
  EXPECT_EQ(received, (lists{{}, {toolkit_path("a.txt")}}));

  // Dropped text is not wanted, and a drop without a file delivers nothing.
  received.clear();
  push_drop(win.id(), SDL_DROPBEGIN);
  push_drop(win.id(), SDL_DROPTEXT, "some text");
  push_drop(win.id(), SDL_DROPCOMPLETE);
  deliver_all();
  EXPECT_TRUE(received.empty());
}

TEST_F(sdl_file_drop, nothing_reaches_a_widget_without_a_list_a_disabled_widget_or_a_disabled_window) {
  push_motion(win.id(), 300, 50);  // the right panel has no files_dropped list
  drop(win.id(), {"a.txt"});
  deliver_all();
  push_motion(win.id(), 50, 50);
  win.left.set_enabled(false);
  drop(win.id(), {"a.txt"});
  deliver_all();
  win.left.set_enabled(true);
  win.native().backend().set_enabled(false);
  drop(win.id(), {"a.txt"});
  deliver_all();
  EXPECT_TRUE(received.empty());
  win.native().backend().set_enabled(true);
  drop(win.id(), {"b.obj"});
  deliver_all();
  EXPECT_EQ(received, (lists{{toolkit_path("b.obj")}}));
}

TEST_F(sdl_file_drop, drops_on_two_windows_at_once_stay_apart) {
  probe_window other("other");  // at the same place, so the pointer is over its left panel too
  lists other_received;
  ui::connect(&other.left, event_type::files_dropped, [&](const ui::event_info& e) {
    other_received.push_back(*ui::value_pointer<const std::vector<std::u16string>>(e.value));
  });
  push_drop(win.id(), SDL_DROPBEGIN);
  push_drop(other.id(), SDL_DROPBEGIN);
  push_drop(win.id(), SDL_DROPFILE, path("a.txt"));
  push_drop(other.id(), SDL_DROPFILE, path("b.obj"));
  push_drop(other.id(), SDL_DROPCOMPLETE);
  deliver_all();
  EXPECT_TRUE(received.empty());  // not complete yet
  EXPECT_EQ(other_received, (lists{{toolkit_path("b.obj")}}));
  push_drop(win.id(), SDL_DROPCOMPLETE);
  deliver_all();
  EXPECT_EQ(received, (lists{{toolkit_path("a.txt")}}));
}

}  // namespace

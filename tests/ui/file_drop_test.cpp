// Dropped files: whether the widget under the pointer wants them, and the
// list it receives (folders and unreadable paths left out, slashes turned
// into backslashes on Windows, native names kept elsewhere, the shell's order
// kept).
#include "window_fixture.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/file_drop.h"
#include "support/temp_folder.h"

#include <fstream>

using ui::event_type;

namespace {

class file_drop_test : public window_test {
protected:
  file_drop_test() {
    taker.create(win.root, {0, 0, 100, 100});
    other.create(win.root, {100, 0, 100, 100});
    ui::connect(&taker, event_type::files_dropped, [this](const ui::event_info& e) {
      received.push_back(*ui::value_pointer<const std::vector<std::u16string>>(e.value));
    });
    std::ofstream(folder.path() / "a.txt") << "a";
    std::ofstream(folder.path() / "b.obj") << "b";
    std::filesystem::create_directory(folder.path() / "maps");
  }
  // The path as the shell hands it over: forward slashes.
  std::u16string shell_path(const std::string& name) const {
    std::u16string text = folder.file_path().text();
    std::replace(text.begin(), text.end(), u'\\', u'/');
    return text + u"/" + std::u16string(name.begin(), name.end());
  }
  // The path as the widget receives it: backslashes on Windows, the
  // system's own spelling elsewhere.
  std::u16string toolkit_path(const std::string& name) const {
#ifdef _WIN32
    return folder.file_path().text() + u"\\" + std::u16string(name.begin(), name.end());
#else
    return shell_path(name);
#endif
  }

  hb_test::temp_folder folder;
  ui::widget taker, other;
  std::vector<std::vector<std::u16string>> received;
};

}  // namespace

TEST_F(file_drop_test, only_an_enabled_widget_with_a_files_dropped_list_wants_a_drop) {
  point_at(50, 50);
  EXPECT_TRUE(ui::drop_wanted(win));
  point_at(150, 50);
  EXPECT_FALSE(ui::drop_wanted(win));  // no list
  point_at(250, 50);
  EXPECT_FALSE(ui::drop_wanted(win));  // the root, no list
  point_at(50, 50);
  taker.set_enabled(false);
  EXPECT_FALSE(ui::drop_wanted(win));
}

TEST_F(file_drop_test, files_arrive_in_order_without_folders_and_with_the_platforms_separators) {
  point_at(50, 50);
  ui::deliver_dropped_files(win, {shell_path("b.obj"), shell_path("maps"), shell_path("a.txt"), shell_path("gone")});
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], (std::vector<std::u16string>{toolkit_path("b.obj"), toolkit_path("a.txt")}));
}

#ifndef _WIN32
TEST_F(file_drop_test, a_linux_name_that_holds_a_backslash_is_delivered_as_it_is) {
  std::ofstream(folder.path() / "a\\b.txt") << "x";  // one file, not b.txt in a folder a
  std::filesystem::create_directory(folder.path() / "c\\d");
  point_at(50, 50);
  ui::deliver_dropped_files(win, {shell_path("a\\b.txt"), shell_path("c\\d")});
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], (std::vector<std::u16string>{shell_path("a\\b.txt")}));
}
#endif

TEST_F(file_drop_test, a_drop_of_folders_only_still_delivers_an_empty_list) {
  point_at(50, 50);
  ui::deliver_dropped_files(win, {shell_path("maps")});
  ASSERT_EQ(received.size(), 1u);
  EXPECT_TRUE(received[0].empty());
  point_at(150, 50);
  ui::deliver_dropped_files(win, {shell_path("a.txt")});  // over a widget without a list
  EXPECT_EQ(received.size(), 1u);
}

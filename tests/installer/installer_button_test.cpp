// The wizard's own button on the headless platform: its look by state, what
// hovering and disabling do to its border, and its repaint requests.
#include "installer/installer_button.h"

#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
using installer::InstallerButton;
using support::draw_kind;

namespace {

// A button at (40, 30, 90, 24) captioned "Next" in a 400 x 300 window whose
// client area starts at the screen's origin.
class installer_button_test : public ::testing::Test {
protected:
  installer_button_test() {
    win.create("Wizard", {0, 0, 400, 300});
    platform.set_client_origin(win, {0, 0});
    button.create(win.root, {40, 30, 90, 24});
    button.text = "Next";
  }

  void move_to(int x, int y) {
    platform.set_pointer({x, y});
    win.dispatch(ui::event_type::mouse_move, 0);
  }
  std::vector<support::draw_call> paint() {
    platform.drawing_of(win).clear();
    win.paint_tree(win.root, {0, 0, 400, 300});
    return platform.drawing_of(win).calls_of(button);
  }
  bool repainted() {
    const auto& requests = platform.repaints();
    const bool found = std::count(requests.begin(), requests.end(),
                                  support::repaint_request{&win, {40, 30, 130, 54}}) > 0;
    platform.clear_repaints();
    return found;
  }

  support::test_platform platform;
  ui::window win;
  InstallerButton button;
};

}  // namespace

TEST_F(installer_button_test, draws_a_dark_box_a_one_unit_border_and_a_centred_caption) {
  const auto calls = paint();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, draw_kind::fill_rect);
  EXPECT_EQ(calls[0].area, (ui::rect_f{0, 0, 90, 24}));
  EXPECT_EQ(calls[0].colour, InstallerButton::fill_enabled);
  EXPECT_EQ(calls[1].kind, draw_kind::stroke_rect);
  EXPECT_EQ(calls[1].colour, (ui::color{0.4f, 0.4f, 0.4f, 1}));
  EXPECT_EQ(calls[1].width, 1.0f);
  EXPECT_FALSE(calls[1].dotted);
  EXPECT_EQ(calls[2].kind, draw_kind::text);
  EXPECT_EQ(calls[2].text, u"Next");
  EXPECT_EQ(calls[2].area, (ui::rect_f{0, 0, 90, 24}));
  EXPECT_EQ(calls[2].colour, (ui::color{0.831f, 0.831f, 0.831f, 1}));
  EXPECT_EQ(calls[2].style.family, u"Tahoma");
  EXPECT_EQ(calls[2].style.size, 11.0f);
  EXPECT_EQ(calls[2].style.weight, 400);
  EXPECT_EQ(calls[2].style.horizontal, ui::horizontal_alignment::centre);
  EXPECT_EQ(calls[2].style.vertical, ui::vertical_alignment::centre);

  button.text.clear();  // an empty caption draws the box and its border only
  const auto box_only = paint();
  ASSERT_EQ(box_only.size(), 2u);
  EXPECT_EQ(box_only[1].kind, draw_kind::stroke_rect);
}

TEST_F(installer_button_test, hovering_lightens_the_border_and_asks_for_a_repaint_each_way) {
  platform.clear_repaints();
  move_to(50, 40);
  EXPECT_TRUE(repainted());
  EXPECT_EQ(button.border_color, (ui::color{0.6f, 0.6f, 0.6f, 1}));
  EXPECT_EQ(paint().at(1).colour, (ui::color{0.6f, 0.6f, 0.6f, 1}));
  move_to(300, 200);
  EXPECT_TRUE(repainted());
  EXPECT_EQ(paint().at(1).colour, (ui::color{0.4f, 0.4f, 0.4f, 1}));
}

TEST_F(installer_button_test, a_paint_while_disabled_dims_it_and_resets_a_hover_border_until_the_next_enter) {
  move_to(50, 40);
  button.set_enabled(false);
  button.border_color = InstallerButton::border_hover;  // as a hover left it, whatever disabling did
  const auto calls = paint();
  EXPECT_EQ(calls.at(0).colour, (ui::color{0.157f, 0.157f, 0.157f, 1}));
  EXPECT_EQ(calls.at(1).colour, (ui::color{0.4f, 0.4f, 0.4f, 1}));
  EXPECT_EQ(calls.at(2).colour, (ui::color{0.831f, 0.831f, 0.831f, 0.5f}));
  EXPECT_EQ(button.border_color, InstallerButton::border_normal);

  button.set_enabled(true);  // still under the mouse: the border stays normal
  EXPECT_EQ(paint().at(1).colour, (ui::color{0.4f, 0.4f, 0.4f, 1}));
  move_to(300, 200);
  move_to(50, 40);
  EXPECT_EQ(paint().at(1).colour, (ui::color{0.6f, 0.6f, 0.6f, 1}));

  ui::widget holder;  // disabled through its parent alike
  holder.create(win.root, {200, 100, 100, 40});
  InstallerButton inner;
  inner.create(holder, {0, 0, 100, 40});
  holder.set_enabled(false);
  platform.drawing_of(win).clear();
  win.paint_tree(win.root, {0, 0, 400, 300});
  EXPECT_EQ(platform.drawing_of(win).calls_of(inner).at(0).colour, (ui::color{0.157f, 0.157f, 0.157f, 1}));
}

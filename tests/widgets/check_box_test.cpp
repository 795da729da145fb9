#include "widget_fixture.h"

#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/check_box.h"

using ui::event_type;

namespace {

constexpr ui::color hover_border{0.4f, 0.5f, 0.6f, 1};
constexpr ui::color focus_border{0.7f, 0.8f, 0.9f, 1};

// A check box at (20, 100, 200, 20) with the caption "abc": in the recording
// metrics (11-dip font: 5.5 per character, 12 per line) the caption measures
// 17 x 13; the default strip gives a 14 x 14 box.
class check_box_test : public widget_test {
protected:
  check_box_test() {
    box.create(win.root, {20, 100, 200, 20});
    other.create(win.root, {300, 100, 50, 20});
    box.set_text("abc");
    box.style.set_style_color("checkbox_border_color_hover", hover_border);
    box.style.set_style_color("checkbox_border_color_focus", focus_border);
  }

  float frame_top() {
    const auto bitmaps = of_kind(paint(box), draw_kind::bitmap);
    return bitmaps.size() == 1 ? bitmaps[0].source.top : -1.0f;
  }

  ui::CheckBox box;
  ui::widget other;
};

}  // namespace

TEST_F(check_box_test, starts_disabled_in_layout_2_and_an_empty_caption_takes_no_gap) {
  ui::CheckBox fresh;
  EXPECT_TRUE(fresh.tab_stop);
  EXPECT_EQ(fresh.name(), "CheckBox");
  fresh.create(win.root, {0, 0, 100, 20});
  EXPECT_FALSE(fresh.is_enabled());
  EXPECT_EQ(fresh.layout(), 2);
  EXPECT_EQ(fresh.box_rect(), (ui::rect{43, 3, 14, 14}));  // (100 - 14 - 0 - 0) / 2
}

TEST_F(check_box_test, places_box_and_caption_by_each_of_the_eight_layouts) {
  struct layout_case {
    std::int32_t layout, box_x, caption_x;
  };
  // W - b - g - t = 200 - 14 - 5 - 17 = 164
  const layout_case cases[] = {{0, 0, 19},  {1, 164, 183}, {2, 82, 101}, {3, 0, 183},
                               {4, 22, 0},  {5, 186, 164}, {6, 104, 82}, {7, 186, 0}};
  for (const layout_case& c : cases) {
    SCOPED_TRACE(c.layout);
    box.set_layout(c.layout, 5);
    EXPECT_EQ(box.box_rect(), (ui::rect{c.box_x, 3, 14, 14}));
    EXPECT_EQ(box.caption_rect(), (ui::rect{c.caption_x, 3, 17, 13}));
  }
  // An unknown layout keeps the x positions but takes the new sizes.
  box.set_layout(2, 5);
  box.set_layout(9, 5);
  box.set_text("abcdefghij");
  EXPECT_EQ(box.box_rect(), (ui::rect{82, 3, 14, 14}));
  EXPECT_EQ(box.caption_rect(), (ui::rect{101, 3, 56, 13}));

  // A style change lays out again: a 21-dip font makes "abc" 32 x 23.
  box.set_text("abc");
  box.set_layout(1, 5);
  ui::replace_theme_overrides({{"checkbox_font_size", ui::style_value::from_float(21.0f)}});
  box.style.set_style_color("checkbox_back_color", {0, 0, 0, 1});
  EXPECT_EQ(box.caption_rect(), (ui::rect{168, -1, 32, 23}));
}

TEST_F(check_box_test, mouse_releases_and_space_releases_toggle_after_writing_the_bound_flag) {
  bool flag = false;
  box.bound_flag = &flag;
  std::vector<bool> seen;
  ui::connect(&box, event_type::toggled, [&](const ui::event_info& info) {
    seen.push_back(flag);
    EXPECT_EQ(info.value, 0u);
  });
  box.set_enabled(true);
  click(25, 105, 2);
  win.set_focus(&box, ui::focus_reason::keyboard);
  key(event_type::key_down, ui::virtual_key::space);  // only the release counts
  key(event_type::key_up, ui::virtual_key::enter);
  key(event_type::key_down, ui::virtual_key::enter);
  key(event_type::key_up, ui::virtual_key::space);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_FALSE(box.checked);
}

TEST_F(check_box_test, frames_by_state_and_strip) {
  box.checked = true;  // but disabled: the unchecked frame, the caption at alpha 0.5
  EXPECT_EQ(frame_top(), 0.0f);
  EXPECT_EQ(of_kind(paint(box), draw_kind::text).at(0).colour, (ui::color{1, 1, 1, 0.5f}));
  box.set_enabled(true);
  EXPECT_EQ(frame_top(), 14.0f);
  EXPECT_EQ(of_kind(paint(box), draw_kind::text).at(0).colour, (ui::color{1, 1, 1, 1}));
  move_to(25, 105);
  EXPECT_EQ(frame_top(), 14.0f);  // the default strip has no hover frames

  ui::replace_theme_overrides({{"checkbox_image", strip(4)}});
  box.style.set_style_alias("checkbox_image", "checkbox_image");  // a change of the picture key reloads it
  EXPECT_EQ(box.box_size(), (ui::size{14, 7}));
  EXPECT_EQ(frame_top(), 21.0f);  // checked hovered
  box.checked = false;
  EXPECT_EQ(frame_top(), 14.0f);
}

TEST_F(check_box_test, a_single_frame_strip_draws_its_only_frame_in_every_state) {
  box.set_enabled(true);
  for (std::int32_t frames : {1, 0}) {  // a count below 1 is read as one frame
    ui::replace_theme_overrides({{"checkbox_image", strip(frames)}});
    box.style.set_style_alias("checkbox_image", "checkbox_image");
    for (bool checked : {false, true}) {
      box.checked = checked;
      const auto bitmaps = of_kind(paint(box), draw_kind::bitmap);
      ASSERT_EQ(bitmaps.size(), 1u);
      EXPECT_EQ(bitmaps[0].source, edges(0, 0, 14, 28)) << frames << " frames, checked " << checked;
    }
  }
}

TEST_F(check_box_test, a_hovered_focused_box_draws_the_hover_outline_and_the_focus_one_after_leaving) {
  box.set_enabled(true);
  move_to(25, 105);
  win.set_focus(&box, ui::focus_reason::keyboard);
  auto outlines = of_kind(paint(box), draw_kind::stroke_rect);
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_EQ(outlines[0].colour, hover_border);
  EXPECT_FALSE(outlines[0].dotted);

  move_to(305, 105);
  outlines = of_kind(paint(box), draw_kind::stroke_rect);
  ASSERT_EQ(outlines.size(), 2u);
  EXPECT_FALSE(outlines[0].dotted);
  EXPECT_EQ(outlines[1].colour, focus_border);
  EXPECT_TRUE(outlines[1].dotted);
  EXPECT_EQ(outlines[1].area, edges(82.5f, 3.5f, 13, 13));
}

TEST_F(check_box_test, every_change_of_state_asks_for_a_repaint) {
  box.set_enabled(true);
  platform.clear_repaints();
  move_to(25, 105);
  EXPECT_TRUE(repainted(box)) << "entered";
  move_to(305, 105);
  EXPECT_TRUE(repainted(box)) << "left";
  win.set_focus(&box, ui::focus_reason::keyboard);
  EXPECT_TRUE(repainted(box)) << "focus gained";
  press(25, 105);  // already focused: the release alone toggles
  platform.clear_repaints();
  release(25, 105);
  EXPECT_TRUE(repainted(box)) << "toggled by the mouse";
  key(event_type::key_up, ui::virtual_key::space);
  EXPECT_TRUE(repainted(box)) << "toggled by space";
  box.set_layout(0, 5);
  EXPECT_TRUE(repainted(box)) << "laid out";
  box.set_text("abcd");
  EXPECT_TRUE(repainted(box)) << "new caption";
  box.style.set_style_color("checkbox_back_color", {0, 0, 0, 1});
  EXPECT_TRUE(repainted(box)) << "style changed";
  win.set_focus(&other, ui::focus_reason::keyboard);
  EXPECT_TRUE(repainted(box)) << "focus lost";
}

TEST_F(check_box_test, the_outline_takes_the_styled_width_and_the_caption_keeps_its_colour_with_the_state_alpha) {
  ui::replace_theme_overrides({{"checkbox_border_width", ui::style_value::from_float(2.5f)},
                               {"checkbox_font_color", ui::style_value::from_color({0.2f, 0.4f, 0.6f, 0.3f})}});
  auto calls = paint(box);
  ASSERT_EQ(of_kind(calls, draw_kind::stroke_rect).size(), 1u);
  EXPECT_EQ(of_kind(calls, draw_kind::stroke_rect)[0].width, 2.5f);
  EXPECT_EQ(of_kind(calls, draw_kind::text).at(0).colour, (ui::color{0.2f, 0.4f, 0.6f, 0.5f}));  // disabled
  box.set_enabled(true);
  win.set_focus(&box, ui::focus_reason::keyboard);
  calls = paint(box);
  const auto outlines = of_kind(calls, draw_kind::stroke_rect);
  ASSERT_EQ(outlines.size(), 2u);
  EXPECT_EQ(outlines[0].width, 2.5f);
  EXPECT_EQ(outlines[1].width, 1.0f);  // the dotted focus outline is always 1 wide
  EXPECT_EQ(of_kind(calls, draw_kind::text).at(0).colour, (ui::color{0.2f, 0.4f, 0.6f, 1.0f}));
}

TEST_F(check_box_test, a_three_frame_strip_has_no_hover_frames) {
  ui::replace_theme_overrides({{"checkbox_image", strip(3)}});
  box.style.set_style_alias("checkbox_image", "checkbox_image");
  EXPECT_EQ(box.box_size(), (ui::size{14, 9}));
  box.set_enabled(true);
  move_to(25, 105);
  EXPECT_EQ(frame_top(), 0.0f);  // hovered, unchecked
  box.checked = true;
  EXPECT_EQ(frame_top(), 9.0f);  // hovered, checked
}

#include "widget_fixture.h"

#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/generic_button.h"

using ui::event_type;

namespace {

constexpr ui::color hover_fill{0.2f, 0.2f, 0.2f, 1};
constexpr ui::color toggle_fill{0.3f, 0.3f, 0.3f, 1};
constexpr ui::color pressed_text{0.6f, 0.6f, 0.6f, 1};
constexpr ui::color focus_border{0.9f, 0.9f, 0.9f, 1};

// A button at (50, 40, 100, 30) captioned "Go", and a widget beside it.
class button_test : public widget_test {
protected:
  button_test() {
    button.create(win.root, {50, 40, 100, 30});
    other.create(win.root, {200, 40, 50, 30});
    button.caption = "Go";
    button.style.set_style_color("button_color_hover", hover_fill);
    button.style.set_style_color("button_color_toggle", toggle_fill);
    button.style.set_style_color("button_font_color_pressed", pressed_text);
    button.style.set_style_color("button_border_color_focus", focus_border);
    ui::connect(&button, event_type::clicked, [this](const ui::event_info& info) { clicks.push_back(info.value); });
  }

  ui::GenericButton button;
  ui::widget other;
  std::vector<std::uint64_t> clicks;
};

}  // namespace

TEST_F(button_test, releases_and_enter_click_with_the_toggle_state_and_other_keys_do_not) {
  EXPECT_TRUE(button.tab_stop);
  click(60, 50);
  click(60, 50, 2);  // any mouse button
  key(event_type::key_down, ui::virtual_key::space);
  key(event_type::key_up, ui::virtual_key::enter);
  press(60, 50);
  key(event_type::key_down, ui::virtual_key::enter);
  EXPECT_TRUE(button.pressed());  // the key path leaves pressed alone
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{0, 0, 0}));

  clicks.clear();
  button.toggle_mode = true;
  release(60, 50);
  release(60, 50, 1);
  key(event_type::key_down, ui::virtual_key::enter);
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{1, 0, 1}));
  EXPECT_TRUE(button.toggled());
}

TEST_F(button_test, leaving_or_losing_the_focus_clears_pressed) {
  move_to(60, 50);
  press(60, 50);
  ASSERT_TRUE(button.hover() && button.pressed());
  move_to(210, 50);  // leaves with the mouse button held
  EXPECT_FALSE(button.hover() || button.pressed());
  release(210, 50);
  EXPECT_TRUE(clicks.empty());

  press(60, 50);
  win.set_focus(&other, ui::focus_reason::keyboard);
  EXPECT_FALSE(button.pressed());
}

TEST_F(button_test, paints_fill_outline_and_caption_by_state) {
  auto calls = paint(button);
  ASSERT_EQ(kinds(calls), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::stroke_rect, draw_kind::text}));
  EXPECT_EQ(calls[0].area, edges(0, 0, 100, 30));
  EXPECT_EQ(calls[1].area, edges(0.5f, 0.5f, 99, 29));
  EXPECT_FALSE(calls[1].dotted);
  EXPECT_EQ(calls[2].text, u"Go");
  EXPECT_EQ(calls[2].style.weight, 700);
  EXPECT_EQ(calls[2].style.horizontal, ui::horizontal_alignment::centre);
  EXPECT_EQ(calls[2].style.vertical, ui::vertical_alignment::centre);

  // Hovered, focused and pressed: hover fill, dotted focus outline, pressed text.
  move_to(60, 50);
  press(60, 50);
  calls = paint(button);
  EXPECT_EQ(calls[0].colour, hover_fill);
  EXPECT_TRUE(calls[1].dotted);
  EXPECT_EQ(calls[1].colour, focus_border);
  EXPECT_EQ(calls[2].colour, pressed_text);

  button.toggle_mode = true;
  release(60, 50);
  EXPECT_EQ(paint(button).at(0).colour, toggle_fill);  // toggled wins over hovered

  button.caption.clear();
  EXPECT_EQ(kinds(paint(button)), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::stroke_rect}));
}

TEST_F(button_test, the_picture_frame_follows_the_state_as_far_as_the_strip_has_frames) {
  struct frame_case {
    std::int32_t frames;
    bool hovered, pressed, disabled;
    ui::rect_f source;  // of the 14 x 28 strip
  };
  const frame_case cases[] = {
      {4, false, false, false, edges(0, 0, 14, 7)},  {4, true, false, false, edges(0, 7, 14, 7)},
      {4, true, true, false, edges(0, 21, 14, 7)},   {4, true, false, true, edges(0, 14, 14, 7)},
      {2, false, false, true, edges(0, 0, 14, 14)},  // disabled needs three frames
      {2, true, true, false, edges(0, 14, 14, 14)},  // pressed needs four: hovered stays
      {3, false, true, false, edges(0, 0, 14, 9)},   {3, false, false, true, edges(0, 18, 14, 9)},
      {0, true, false, false, edges(0, 0, 14, 28)},  // a frame count below 1 is one frame
  };
  for (const frame_case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frames << " frames" << (c.hovered ? " hovered" : "")
                                    << (c.pressed ? " pressed" : "") << (c.disabled ? " disabled" : ""));
    ui::replace_theme_overrides({{"button_back_image", strip(c.frames)}});
    ui::GenericButton b;
    b.create(win.root, {0, 200, 100, 30});
    if (c.hovered) move_to(10, 210);
    if (c.pressed) press(10, 210);
    if (c.disabled) b.set_enabled(false);
    const auto bitmaps = of_kind(paint(b), draw_kind::bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].source, c.source);
    const float height = c.source.height();
    EXPECT_EQ(bitmaps[0].area, edges(43, static_cast<float>(static_cast<int>(30 - height) / 2), 14, height));
    move_to(390, 290);
  }
}

TEST_F(button_test, a_change_of_the_picture_key_reloads_it_and_other_keys_leave_it) {
  ui::replace_theme_overrides({{"button_back_image", strip(4)}, {"other_strip", strip(2)}});
  paint(button);
  ASSERT_EQ(button.picture_rect(), (ui::rect{43, 11, 14, 7}));
  button.style.set_style_color("button_color_normal", hover_fill);
  EXPECT_TRUE(button.picture().loaded());
  button.style.set_style_alias("button_back_image", "other_strip");
  EXPECT_FALSE(button.picture().loaded());
  paint(button);
  EXPECT_EQ(button.picture_rect(), (ui::rect{43, 8, 14, 14}));
}

TEST_F(button_test, every_change_of_state_asks_for_a_repaint) {
  win.set_focus(&button, ui::focus_reason::keyboard);
  EXPECT_TRUE(repainted(button)) << "focus gained";
  move_to(60, 50);
  EXPECT_TRUE(repainted(button)) << "entered";
  press(60, 50);  // already focused: only the press changes
  EXPECT_TRUE(repainted(button)) << "pressed";
  release(60, 50);
  EXPECT_TRUE(repainted(button)) << "released";
  move_to(210, 50);
  EXPECT_TRUE(repainted(button)) << "left";
  button.toggle_mode = true;
  key(event_type::key_down, ui::virtual_key::enter);
  EXPECT_TRUE(repainted(button)) << "toggled by Enter";
  button.style.set_style_alias("button_back_image", "other_strip");
  EXPECT_TRUE(repainted(button)) << "picture key changed";
  win.set_focus(&other, ui::focus_reason::keyboard);
  EXPECT_TRUE(repainted(button)) << "focus lost";
}

TEST_F(button_test, a_hovered_button_draws_its_hover_border_and_caption_colours) {
  // Every colour differs from its default, so a key read in the wrong state shows.
  constexpr ui::color normal_border{0.1f, 0.2f, 0.3f, 0.4f};
  constexpr ui::color hover_border{0.5f, 0.6f, 0.7f, 0.8f};
  constexpr ui::color caption{0.3f, 0.1f, 0.1f, 0.9f};
  constexpr ui::color hover_caption{0.1f, 0.3f, 0.1f, 0.7f};
  button.style.set_style_color("button_border_color_normal", normal_border);
  button.style.set_style_color("button_border_color_hover", hover_border);
  button.style.set_style_color("button_font_color", caption);
  button.style.set_style_color("button_font_color_hover", hover_caption);
  auto calls = paint(button);
  EXPECT_EQ(calls.at(1).colour, normal_border);
  EXPECT_EQ(calls.at(2).colour, caption);
  move_to(60, 50);
  calls = paint(button);
  EXPECT_EQ(calls.at(1).colour, hover_border);
  EXPECT_EQ(calls.at(1).width, 1.0f);
  EXPECT_EQ(calls.at(2).colour, hover_caption);
}

TEST_F(button_test, a_held_enter_clicks_once_and_its_repeats_do_nothing) {
  const std::uint64_t enter = static_cast<std::uint64_t>(ui::virtual_key::enter);
  win.set_focus(&button, ui::focus_reason::keyboard);
  win.dispatch_key_down(enter, false);
  win.dispatch_key_down(enter, true);
  win.dispatch_key_down(enter, true);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_FALSE(win.key_repeat());  // only while the repeat is dispatched
  win.dispatch_key_down(enter, false);  // pressed again
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(button_test, describes_itself_as_a_push_button_whose_default_action_clicks_it_unless_disabled) {
  ui::accessible_description described = button.describe();
  EXPECT_EQ(described.role, ui::accessible_role::push_button);
  EXPECT_EQ(described.name, "Go");
  EXPECT_EQ(described.default_action, "Press");
  EXPECT_EQ(described.bounds, (ui::rect{50, 40, 100, 30}));
  EXPECT_FALSE(described.has(ui::accessible_state::default_button));
  button.is_default = true;
  EXPECT_TRUE(button.describe().has(ui::accessible_state::default_button));

  EXPECT_TRUE(button.do_default_action());
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{0}));
  button.toggle_mode = true;
  EXPECT_TRUE(button.do_default_action());  // flips like a click
  EXPECT_TRUE(button.toggled());
  button.set_enabled(false);
  EXPECT_FALSE(button.do_default_action());
  button.set_enabled(true);
  button.set_visible(false);
  EXPECT_FALSE(button.do_default_action());
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{0, 1}));
}

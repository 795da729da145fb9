#include "widget_fixture.h"

#include "hbsdk/ui/virtual_key.h"
#include "hbsdk/ui/widgets/generic_button.h"

using ui::event_type;

namespace {

constexpr ui::color normal_fill{0.1f, 0.1f, 0.1f, 1};
constexpr ui::color hover_fill{0.2f, 0.2f, 0.2f, 1};
constexpr ui::color toggle_fill{0.3f, 0.3f, 0.3f, 1};
constexpr ui::color normal_text{0.4f, 0.4f, 0.4f, 1};
constexpr ui::color hover_text{0.5f, 0.5f, 0.5f, 1};
constexpr ui::color pressed_text{0.6f, 0.6f, 0.6f, 1};
constexpr ui::color normal_border{0.7f, 0.7f, 0.7f, 1};
constexpr ui::color hover_border{0.8f, 0.8f, 0.8f, 1};
constexpr ui::color focus_border{0.9f, 0.9f, 0.9f, 1};

// A button at (50, 40, 100, 30) with its own, distinct colours; another
// widget beside it to move to.
class button_test : public widget_test {
protected:
  button_test() {
    button.create(win.root, {50, 40, 100, 30});
    other.create(win.root, {200, 40, 50, 30});
    button.caption = "Go";
    const std::pair<const char*, ui::color> colours[] = {
        {"button_color_normal", normal_fill},         {"button_color_hover", hover_fill},
        {"button_color_toggle", toggle_fill},         {"button_font_color", normal_text},
        {"button_font_color_hover", hover_text},      {"button_font_color_pressed", pressed_text},
        {"button_border_color_normal", normal_border}, {"button_border_color_hover", hover_border},
        {"button_border_color_focus", focus_border},
    };
    for (const auto& [key, colour] : colours) button.style.set_style_color(key, colour);
    ui::connect(&button, event_type::clicked,
                [this](const ui::event_info& info) { clicks.push_back(info.value); });
  }

  // The source rectangle of the picture frame drawn, as (top, height).
  std::pair<float, float> frame_drawn() {
    const auto bitmaps = of_kind(paint(button), draw_kind::bitmap);
    if (bitmaps.size() != 1) return {-1.0f, -1.0f};
    return {bitmaps[0].source.top, bitmaps[0].source.height()};
  }

  ui::GenericButton button;
  ui::widget other;
  std::vector<std::uint64_t> clicks;
};

}  // namespace

TEST_F(button_test, is_a_tab_stop_and_clicks_report_the_toggle_state) {
  EXPECT_TRUE(button.tab_stop);
  for (int i = 0; i < 3; ++i) click(60, 50);
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{0, 0, 0}));

  clicks.clear();
  button.toggle_mode = true;
  click(60, 50, 2);  // any mouse button
  click(60, 50, 1);
  click(60, 50);
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{1, 0, 1}));
  EXPECT_TRUE(button.toggled());
}

TEST_F(button_test, enter_clicks_other_keys_do_not_and_the_key_path_keeps_pressed) {
  press(60, 50);  // focuses the button and presses it
  ASSERT_TRUE(button.pressed());
  key(event_type::key_down, ui::virtual_key::space);
  key(event_type::key_down, 'A');
  key(event_type::key_up, ui::virtual_key::enter);
  EXPECT_TRUE(clicks.empty());
  key(event_type::key_down, ui::virtual_key::enter);
  EXPECT_EQ(clicks, std::vector<std::uint64_t>{0});
  EXPECT_TRUE(button.pressed());

  button.toggle_mode = true;
  key(event_type::key_down, ui::virtual_key::enter);
  key(event_type::key_down, ui::virtual_key::enter);
  EXPECT_EQ(clicks, (std::vector<std::uint64_t>{0, 1, 0}));
}

TEST_F(button_test, leaving_or_losing_the_focus_clears_pressed) {
  move_to(60, 50);
  press(60, 50);
  ASSERT_TRUE(button.hover() && button.pressed());
  move_to(210, 50);  // leaves with the mouse button held
  EXPECT_FALSE(button.hover());
  EXPECT_FALSE(button.pressed());
  release(210, 50);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(of_kind(paint(button), draw_kind::text).at(0).colour, normal_text);

  move_to(60, 50);
  press(60, 50);
  win.set_focus(&other, ui::focus_reason::keyboard);
  EXPECT_FALSE(button.pressed());
}

TEST_F(button_test, paints_fill_outline_and_caption_in_the_colours_of_its_state) {
  auto calls = paint(button);
  ASSERT_EQ(kinds(calls), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::stroke_rect, draw_kind::text}));
  EXPECT_EQ(calls[0].area, edges(0, 0, 100, 30));
  EXPECT_EQ(calls[0].colour, normal_fill);
  EXPECT_EQ(calls[1].area, edges(0.5f, 0.5f, 99, 29));
  EXPECT_EQ(calls[1].colour, normal_border);
  EXPECT_FALSE(calls[1].dotted);
  EXPECT_EQ(calls[2].text, u"Go");
  EXPECT_EQ(calls[2].area, edges(0, 0, 100, 30));
  EXPECT_EQ(calls[2].colour, normal_text);
  EXPECT_EQ(calls[2].style.family, u"tahoma");
  EXPECT_EQ(calls[2].style.size, 11.0f);
  EXPECT_EQ(calls[2].style.weight, 700);
  EXPECT_EQ(calls[2].style.horizontal, ui::horizontal_alignment::centre);
  EXPECT_EQ(calls[2].style.vertical, ui::vertical_alignment::centre);

  move_to(60, 50);
  calls = paint(button);
  EXPECT_EQ(calls[0].colour, hover_fill);
  EXPECT_EQ(calls[1].colour, hover_border);
  EXPECT_EQ(calls[2].colour, hover_text);

  win.set_focus(&other, ui::focus_reason::keyboard);
  press(60, 50);  // focus comes back to the button, then it is pressed
  calls = paint(button);
  EXPECT_EQ(calls[2].colour, pressed_text);

  button.toggle_mode = true;
  release(60, 50);
  calls = paint(button);
  EXPECT_EQ(calls[0].colour, toggle_fill);  // toggled wins over hovered
}

TEST_F(button_test, a_focused_button_draws_a_dotted_outline_in_the_focus_colour_even_when_hovered) {
  move_to(60, 50);
  win.set_focus(&button, ui::focus_reason::keyboard);
  const auto outline = of_kind(paint(button), draw_kind::stroke_rect).at(0);
  EXPECT_TRUE(outline.dotted);
  EXPECT_EQ(outline.colour, focus_border);
  EXPECT_EQ(outline.width, 1.0f);
}

TEST_F(button_test, without_caption_or_picture_only_the_fill_and_the_outline_are_drawn) {
  button.caption.clear();
  EXPECT_EQ(kinds(paint(button)), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::stroke_rect}));
}

TEST_F(button_test, the_picture_is_centred_and_its_frame_follows_the_state) {
  ui::replace_theme_overrides({{"button_back_image", strip(4)}});  // 14 x 28: four frames 7 high
  const auto calls = paint(button);
  EXPECT_EQ(kinds(calls), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::bitmap, draw_kind::stroke_rect,
                                                   draw_kind::text}));
  EXPECT_EQ(button.picture_rect(), (ui::rect{43, 11, 14, 7}));
  EXPECT_EQ(of_kind(calls, draw_kind::bitmap).at(0).area, edges(43, 11, 14, 7));
  EXPECT_EQ(frame_drawn(), (std::pair{0.0f, 7.0f}));
  move_to(60, 50);
  EXPECT_EQ(frame_drawn(), (std::pair{7.0f, 7.0f}));
  press(60, 50);
  EXPECT_EQ(frame_drawn(), (std::pair{21.0f, 7.0f}));
  release(60, 50);
  button.set_enabled(false);  // still hovered, but disabled wins
  EXPECT_EQ(frame_drawn(), (std::pair{14.0f, 7.0f}));
}

TEST_F(button_test, a_strip_without_the_frame_of_a_state_falls_back) {
  struct frame_case {
    std::int32_t frames;
    bool hovered, disabled, pressed;
    float expected_top;  // in a 28-high strip
  };
  const frame_case cases[] = {
      {2, false, true, false, 0.0f},   // disabled needs three frames
      {2, true, false, false, 14.0f},  // hovered
      {2, true, false, true, 14.0f},   // pressed needs four: the hover frame stays
      {3, false, true, false, 18.0f},  // 28 / 3 = 9 high; frame 2
      {3, false, false, true, 0.0f},
      {1, true, false, true, 0.0f},
  };
  for (const frame_case& c : cases) {
    SCOPED_TRACE(std::to_string(c.frames) + (c.hovered ? " hovered" : "") + (c.disabled ? " disabled" : "") +
                 (c.pressed ? " pressed" : ""));
    ui::GenericButton b;
    b.create(win.root, {0, 200, 100, 30});
    ui::replace_theme_overrides({{"button_back_image", strip(c.frames)}});
    if (c.hovered) move_to(10, 210);
    if (c.pressed) press(10, 210);
    if (c.disabled) b.set_enabled(false);
    const auto bitmaps = of_kind(paint(b), draw_kind::bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].source.top, c.expected_top);
    move_to(390, 290);
  }
}

TEST_F(button_test, a_frame_count_below_one_is_read_as_a_single_frame) {
  ui::replace_theme_overrides({{"button_back_image", strip(0)}});
  move_to(60, 50);
  EXPECT_EQ(frame_drawn(), (std::pair{0.0f, 28.0f}));
  EXPECT_EQ(button.picture_rect(), (ui::rect{43, 1, 14, 28}));
}

TEST_F(button_test, a_change_of_the_picture_key_reloads_it_and_other_keys_leave_it) {
  ui::replace_theme_overrides({{"button_back_image", strip(4)}, {"other_strip", strip(2)}});
  paint(button);
  ASSERT_TRUE(button.picture().loaded());
  button.style.set_style_color("button_color_normal", normal_fill);
  EXPECT_TRUE(button.picture().loaded());

  platform.clear_repaints();
  button.style.set_style_alias("button_back_image", "other_strip");
  EXPECT_FALSE(button.picture().loaded());
  EXPECT_FALSE(platform.repaints().empty());
  EXPECT_EQ(frame_drawn(), (std::pair{0.0f, 14.0f}));
  EXPECT_EQ(button.picture_rect(), (ui::rect{43, 8, 14, 14}));
}

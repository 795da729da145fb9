// The renderer's own rules, checked on the calls it makes to a recording
// drawing backend: scopes and clips, the pixel rules of outlines and lines,
// text state and measuring, shadow geometry, and images per renderer.
#include "window_fixture.h"

#include "hbsdk/ui/image.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/shadow_gradient.h"
#include "resources/embedded.h"

#include <cmath>

using support::draw_kind;
using ui::event_type;

namespace {

class renderer_test : public window_test {
protected:
  ui::renderer& r() { return win.renderer(); }
  std::vector<support::draw_call> of_kind(draw_kind kind) {
    std::vector<support::draw_call> result;
    for (const auto& call : drawing().calls())
      if (call.kind == kind) result.push_back(call);
    return result;
  }
};

}  // namespace

TEST_F(renderer_test, nested_scopes_make_one_frame_and_clip_to_the_update_and_own_bounds_only) {
  ui::widget parent, child;
  parent.create(win.root, {10, 20, 50, 50});
  child.create(parent, {40, 40, 30, 30});  // reaches 20 beyond its parent
  r().begin_widget(win.root, {0, 0, 400, 300});
  r().begin_widget(parent, {0, 0, 400, 300});
  r().begin_widget(child, {0, 0, 400, 300});
  r().end_widget();
  r().end_widget();
  EXPECT_EQ(drawing().frames(), 1);
  EXPECT_EQ(r().open_scopes(), 1u);
  r().end_widget();
  EXPECT_EQ(r().open_scopes(), 0u);

  const auto scopes = of_kind(draw_kind::push_scope);
  ASSERT_EQ(scopes.size(), 3u);
  EXPECT_EQ(scopes[2].translation, (ui::point_f{50, 60}));
  EXPECT_EQ(scopes[2].source, (ui::rect_f{50, 60, 80, 90}));  // its own bounds, not cut by the parent
  const auto& calls = drawing().calls();
  EXPECT_EQ(calls.front().kind, draw_kind::begin_frame);
  EXPECT_EQ(calls.back().kind, draw_kind::end_frame);

  // A partial update rectangle cuts the clip; a scope outside it has an empty clip.
  drawing().clear();
  r().begin_widget(parent, {0, 0, 30, 40});
  r().end_widget();
  EXPECT_EQ(of_kind(draw_kind::push_scope)[0].source, (ui::rect_f{10, 20, 30, 40}));
}

TEST_F(renderer_test, outlines_sit_half_a_line_inside_and_lines_shift_by_the_fraction_of_half_the_width) {
  r().begin_widget(win.root, {0, 0, 400, 300});
  r().line_color = {0, 1, 0, 1};
  r().draw_rectangle({0, 0, 10, 10});
  r().line_width = 2.0f;
  r().draw_rectangle({0, 0, 10, 10});
  r().line_width = 1.0f;
  r().draw_line({10, 100}, {210, 100});
  r().line_width = 2.0f;
  r().dotted = 1;
  r().draw_line({10, 100}, {210, 100});
  r().line_width = 3.0f;
  r().dotted = 0;
  r().draw_line({0, 5}, {0, 9});
  r().end_widget();

  const auto outlines = of_kind(draw_kind::stroke_rect);
  ASSERT_EQ(outlines.size(), 2u);
  EXPECT_EQ(outlines[0].area, (ui::rect_f{0.5f, 0.5f, 9.5f, 9.5f}));
  EXPECT_EQ(outlines[0].colour, (ui::color{0, 1, 0, 1}));
  EXPECT_EQ(outlines[1].area, (ui::rect_f{1, 1, 9, 9}));
  const auto lines = of_kind(draw_kind::stroke_line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].area, (ui::rect_f{10.5f, 100.5f, 210.5f, 100.5f}));
  EXPECT_EQ(lines[1].area, (ui::rect_f{10, 100, 210, 100}));
  EXPECT_TRUE(lines[1].dotted);
  EXPECT_EQ(lines[2].area, (ui::rect_f{0.5f, 5.5f, 0.5f, 9.5f}));
}

TEST_F(renderer_test, fonts_and_alignments_map_their_kinds) {
  EXPECT_EQ(r().current_text_style().family, u"");  // no font set yet: the platform's default
  EXPECT_EQ(r().current_text_style().size, 12.0f);
  struct font_case {
    std::int32_t weight_kind, style_kind, weight;
    bool italic;
  };
  for (const font_case& c : {font_case{0, 0, 400, false}, {1, 1, 300, true}, {2, 0, 700, false}, {9, 2, 400, false}}) {
    r().set_font("Tahoma", 11.0f, c.weight_kind, c.style_kind);
    EXPECT_EQ(r().current_text_style().weight, c.weight);
    EXPECT_EQ(r().current_text_style().italic, c.italic);
  }
  EXPECT_EQ(r().current_text_style().family, u"Tahoma");
  r().set_text_alignment(5, 7);
  EXPECT_EQ(r().current_text_style().horizontal, ui::horizontal_alignment::centre);
  EXPECT_EQ(r().current_text_style().vertical, ui::vertical_alignment::centre);
  r().set_text_alignment(2, 1);
  EXPECT_EQ(r().current_text_style().horizontal, ui::horizontal_alignment::trailing);
  EXPECT_EQ(r().current_text_style().vertical, ui::vertical_alignment::top);
  r().set_text_alignment(0, 2);
  EXPECT_EQ(r().current_text_style().horizontal, ui::horizontal_alignment::leading);
  EXPECT_EQ(r().current_text_style().vertical, ui::vertical_alignment::bottom);
}

TEST_F(renderer_test, measure_text_adds_one_and_truncates_and_zero_means_unbounded) {
  r().set_font("Tahoma", 11.0f, 0, 0);
  // The recording metrics: 5.5 per unit, 12 per line.
  EXPECT_EQ(r().measure_text("abcdefg", {0, 0}), (ui::size{39, 13}));  // 38.5 + 1
  EXPECT_EQ(r().measure_text("abc ", {0, 0}), (ui::size{23, 13}));     // the trailing space counts
  EXPECT_EQ(r().measure_text("aaaa bbbb", {30, 0}), (ui::size{23, 25}));  // wraps at 30
  EXPECT_EQ(r().measure_text("", {0, 0}), (ui::size{1, 13}));
}

TEST_F(renderer_test, text_is_drawn_in_the_current_state_and_bad_utf8_is_replaced) {
  r().begin_widget(win.root, {0, 0, 400, 300});
  r().text_color = {1, 1, 0, 1};
  r().set_font("Verdana", 20.0f, 2, 0);
  r().set_text_alignment(1, 0);
  r().draw_text({0, 200, 400, 100}, "Calibration");
  r().draw_text({0, 0, 10, 10}, "a\xC3(b");
  r().end_widget();
  const auto texts = of_kind(draw_kind::text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, u"Calibration");
  EXPECT_EQ(texts[0].area, (ui::rect_f{0, 200, 400, 300}));
  EXPECT_EQ(texts[0].colour, (ui::color{1, 1, 0, 1}));
  EXPECT_EQ(texts[0].style.weight, 700);
  EXPECT_EQ(texts[0].style.horizontal, ui::horizontal_alignment::centre);
  EXPECT_EQ(texts[1].text, u"a\uFFFD(b");
}

TEST_F(renderer_test, a_shadow_reaches_seven_tenths_of_its_size_beyond_the_box) {
  r().begin_widget(win.root, {0, 0, 400, 300});
  r().draw_shadow({0, 0, 100, 50}, {0, 0}, 10);
  r().end_widget();
  float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const auto& call : drawing().calls()) {
    if (call.kind != draw_kind::shadow_corner && call.kind != draw_kind::shadow_band &&
        call.kind != draw_kind::shadow_inside)
      continue;
    left = std::min(left, call.area.left);
    top = std::min(top, call.area.top);
    right = std::max(right, call.area.right);
    bottom = std::max(bottom, call.area.bottom);
  }
  EXPECT_EQ((ui::rect_f{left, top, right, bottom}), (ui::rect_f{-7, -7, 107, 57}));
  const auto corners = of_kind(draw_kind::shadow_corner);
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_EQ(corners[0].area, (ui::rect_f{-7, -7, 3, 3}));
  EXPECT_EQ(corners[0].translation, (ui::point_f{3, 3}));  // fades around its inner corner
  EXPECT_EQ(corners[3].translation, (ui::point_f{97, 47}));
  const auto bands = of_kind(draw_kind::shadow_band);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].area, (ui::rect_f{-7, 3, 3, 47}));  // left band, 10 wide
  EXPECT_EQ(bands[0].source, (ui::rect_f{3, 3, -7, 3}));  // opaque at its inner edge
  EXPECT_EQ(of_kind(draw_kind::shadow_inside)[0].area, (ui::rect_f{3, 3, 97, 47}));

  // An offset moves the whole shadow.
  drawing().clear();
  r().begin_widget(win.root, {0, 0, 400, 300});
  r().draw_shadow({0, 0, 100, 50}, {5, 6}, 10);
  r().end_widget();
  EXPECT_EQ(of_kind(draw_kind::shadow_inside)[0].area, (ui::rect_f{8, 9, 102, 53}));
}

TEST(shadow_gradient, stops_fall_from_opaque_to_nearly_clear) {
  const auto stops = ui::shadow_gradient_stops();
  EXPECT_FLOAT_EQ(stops[0].alpha, 1.0f);
  EXPECT_FLOAT_EQ(stops[0].position, 0.0f);
  EXPECT_NEAR(stops[10].alpha, 0.2174f, 0.0001f);
  EXPECT_NEAR(stops[20].alpha, 0.0022f, 0.0001f);
  EXPECT_NEAR(stops[20].position, 0.9524f, 0.0001f);
  for (std::size_t i = 1; i < stops.size(); ++i) EXPECT_LT(stops[i].alpha, stops[i - 1].alpha);
}

TEST_F(renderer_test, the_window_paints_parents_then_shadows_then_children_within_the_update_area) {
  ui::widget a, b, hidden, outside;
  a.create(win.root, {10, 10, 50, 50});
  b.create(win.root, {100, 10, 50, 50});
  b.shadow = {true, 2, 3, 10};
  hidden.create(win.root, {10, 10, 5, 5});
  hidden.set_visible(false);
  outside.create(win.root, {300, 200, 20, 20});
  std::vector<std::string> painted;
  for (auto [w, label] : {std::pair{&win.root, "root"}, {&a, "a"}, {&b, "b"}, {&hidden, "hidden"}, {&outside, "outside"}}) {
    ui::connect(w, event_type::paint, [&painted, label = std::string(label)](const ui::event_info&) { painted.push_back(label); });
  }
  win.paint_tree(win.root, {0, 0, 160, 60});  // touches b's left edge at 100 and ends at 160
  EXPECT_EQ(painted, (strings{"root", "a", "b"}));
  const auto& calls = drawing().calls();
  const auto shadow = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.kind == draw_kind::shadow_inside; });
  ASSERT_NE(shadow, calls.end());
  EXPECT_EQ(shadow->scope, &win.root);  // drawn in the parent's scope, before the children
  EXPECT_EQ(shadow->area, (ui::rect_f{105, 16, 149, 60}));  // (102, 13) - (152, 63) widened by 7, less 10

  painted.clear();
  win.paint_tree(win.root, {60, 60, 99, 100});  // edges included: touches a at (60, 60)
  EXPECT_EQ(painted, (strings{"root", "a"}));
}

TEST_F(renderer_test, a_paint_callback_that_throws_leaves_no_scope_open) {
  ui::widget bad;
  bad.create(win.root, {0, 0, 10, 10});
  ui::connect(&bad, event_type::paint, [](const ui::event_info&) { throw std::runtime_error("paint failed"); });
  EXPECT_THROW(win.paint_tree(win.root, {0, 0, 400, 300}), std::runtime_error);
  EXPECT_EQ(r().open_scopes(), 0u);
  EXPECT_EQ(drawing().calls().back().kind, draw_kind::end_frame);
}

TEST(image, the_embedded_pictures_decode_at_their_sizes_and_scale) {
  support::test_platform platform;
  ui::image box;
  ASSERT_TRUE(box.load_from_memory(hb::resources::checkbox_png, hb::resources::checkbox_png_size, 1.0f));
  EXPECT_EQ(box.width(), 14);
  EXPECT_EQ(box.height(), 28);
  ui::image arrows;
  ASSERT_TRUE(arrows.load_from_memory(hb::resources::scroll_arrows_png, hb::resources::scroll_arrows_png_size, 1.0f));
  EXPECT_EQ(arrows.width(), 8);
  EXPECT_EQ(arrows.height(), 8);
  // The diamond's corners are clear and its middle opaque (premultiplied ARGB).
  EXPECT_EQ(arrows.decoded()->pixel(0, 0) >> 24, 0u);
  EXPECT_EQ(arrows.decoded()->pixel(3, 4) >> 24, 255u);
  ui::image half;
  ASSERT_TRUE(half.load_from_memory(hb::resources::browser_pack_png, hb::resources::browser_pack_png_size, 2.0f));
  EXPECT_EQ(half.width(), 10);
  EXPECT_EQ(half.height(), 10);
}

TEST(image, bytes_that_are_not_a_picture_leave_it_unloaded) {
  support::test_platform platform;
  std::vector<unsigned char> broken(hb::resources::checkbox_png, hb::resources::checkbox_png + hb::resources::checkbox_png_size);
  broken.resize(broken.size() / 2);
  const unsigned char junk[] = "not a png at all";
  ui::image picture;
  EXPECT_FALSE(picture.load_from_memory(junk, sizeof junk, 1.0f));
  EXPECT_FALSE(picture.load_from_memory(broken.data(), broken.size(), 1.0f));
  EXPECT_FALSE(picture.load_from_memory(nullptr, 0, 1.0f));
  EXPECT_FALSE(picture.load_from_memory(hb::resources::checkbox_png, hb::resources::checkbox_png_size, 0.0f));
  EXPECT_FALSE(picture.loaded());
  EXPECT_EQ(picture.width(), 0);
}

TEST(image, each_renderer_gets_one_device_bitmap_until_it_goes_away) {
  support::test_platform platform;
  ui::image picture;
  ASSERT_TRUE(picture.load_from_memory(hb::resources::checkbox_png, hb::resources::checkbox_png_size, 1.0f));
  auto first = std::make_unique<ui::window>();
  first->create("first", {0, 0, 100, 100});
  ui::window second;
  second.create("second", {0, 0, 100, 100});
  for (ui::window* w : {first.get(), &second}) {
    w->renderer().begin_widget(w->root, {0, 0, 100, 100});
    w->renderer().draw_image({0, 0}, picture);
    w->renderer().draw_image_part({20, 0}, picture, {0, 14, 14, 14});
    w->renderer().end_widget();
  }
  EXPECT_EQ(picture.device_bitmap_count(), 2u);
  EXPECT_EQ(platform.drawing_of(second).bitmaps_made(), 1);
  const auto& calls = platform.drawing_of(second).calls();
  std::vector<support::draw_call> bitmaps;
  for (const auto& c : calls)
    if (c.kind == draw_kind::bitmap) bitmaps.push_back(c);
  ASSERT_EQ(bitmaps.size(), 2u);
  EXPECT_EQ(bitmaps[0].area, (ui::rect_f{0, 0, 14, 28}));
  EXPECT_EQ(bitmaps[1].source, (ui::rect_f{0, 14, 14, 28}));
  EXPECT_EQ(bitmaps[1].area, (ui::rect_f{20, 0, 34, 14}));

  first.reset();  // its renderer goes: only its bitmap is dropped
  EXPECT_EQ(picture.device_bitmap_count(), 1u);
  picture.unload();
  EXPECT_EQ(picture.device_bitmap_count(), 0u);
  second.renderer().begin_widget(second.root, {0, 0, 100, 100});
  second.renderer().draw_image({0, 0}, picture);  // unloaded: nothing is drawn
  second.renderer().end_widget();
  EXPECT_EQ(platform.drawing_of(second).bitmaps_made(), 1);
}

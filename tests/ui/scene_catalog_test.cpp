// Every scene of the scene program builds and paints on the headless
// platform; the calibration scene draws what its pixel tests expect.
#include "window_fixture.h"

#include "tools/ui_scenes/scene_catalog.h"

#include <set>

using support::draw_kind;

TEST(scene_catalog, every_scene_has_a_unique_name_builds_and_paints) {
  std::set<std::string> names;
  for (const ui_scenes::scene& s : ui_scenes::scene_catalog()) {
    SCOPED_TRACE(s.name);
    EXPECT_TRUE(names.insert(s.name).second);
    support::test_platform platform;
    ui::window w;
    w.create("ui_scenes: " + s.name, {0, 0, 400, 300});
    ui_scenes::scene_parts parts;
    s.build(w.root, parts);
    for (const auto& picture : parts.images) EXPECT_TRUE(picture->loaded());
    EXPECT_NO_THROW(w.paint_tree(w.root, {0, 0, 400, 300}));
    EXPECT_GT(platform.drawing_of(w).calls().size(), 4u);
  }
  EXPECT_EQ(ui_scenes::find_scene("nothing"), nullptr);
}

TEST(scene_catalog, calibration_clips_the_child_fill_to_the_child) {
  support::test_platform platform;
  ui::window w;
  w.create("ui_scenes: calibration", {0, 0, 400, 300});
  ui_scenes::scene_parts parts;
  ui_scenes::find_scene("calibration")->build(w.root, parts);
  w.paint_tree(w.root, {0, 0, 400, 300});
  const ui::widget& child = *parts.widgets.back();
  const auto& calls = platform.drawing_of(w).calls();
  const auto scope = std::find_if(calls.begin(), calls.end(), [&](const support::draw_call& c) {
    return c.kind == draw_kind::push_scope && c.translation == ui::point_f{250, 150};
  });
  ASSERT_NE(scope, calls.end());
  EXPECT_EQ(scope->source, (ui::rect_f{250, 150, 290, 190}));
  const auto fills = platform.drawing_of(w).calls_of(child);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].area, (ui::rect_f{-20, -20, 60, 60}));
  EXPECT_EQ(fills[0].colour, (ui::color{1, 1, 0, 1}));
}

// The rich text scene's pixel checks (tests/e2e/scenes_test.py) rely on
// what its three labels draw: where each line is and which runs it has.
TEST(scene_catalog, rich_text_draws_three_ready_documents_with_their_runs) {
  support::test_platform platform;
  ui::window w;
  w.create("ui_scenes: rich_text", {0, 0, 400, 300});
  ui_scenes::scene_parts parts;
  ui_scenes::find_scene("rich_text")->build(w.root, parts);
  w.paint_tree(w.root, {0, 0, 400, 300});
  std::vector<support::draw_call> lines;
  for (const auto& call : platform.drawing_of(w).calls()) {
    if (call.kind == draw_kind::rich_text) lines.push_back(call);
  }
  ASSERT_EQ(lines.size(), 3u);
  const std::u16string texts[] = {u"Tidewater Kit", u"Tidewater Kit", u"Red and Blue"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].text, texts[i]);
    EXPECT_EQ(lines[i].area, (ui::rect_f{0, 0, 360, 50}));  // the whole label
    ASSERT_NE(lines[i].scope, nullptr);
    EXPECT_EQ(lines[i].scope->bounds(), (ui::rect{20, 30 + 80 * static_cast<int>(i), 360, 50}));
    ASSERT_FALSE(lines[i].runs.empty());
    const ui::text_run_format& font = lines[i].runs[0];  // over the whole line
    EXPECT_EQ(font.start, 0u);
    EXPECT_EQ(font.length, texts[i].size());
    EXPECT_EQ(font.family, u"Tahoma");
    EXPECT_EQ(font.size, 14.5f);
    EXPECT_EQ(lines[i].colour, (ui::color{0, 0, 0, 1}));  // the default colour
  }
  EXPECT_EQ(lines[0].runs.size(), 1u);
  ASSERT_EQ(lines[1].runs.size(), 2u);
  EXPECT_EQ(lines[1].runs[1].weight, 700);
  EXPECT_EQ(lines[1].runs[1].length, 9u);  // "Tidewater"
  ASSERT_EQ(lines[2].runs.size(), 3u);
  EXPECT_EQ(lines[2].runs[1].colour, (ui::color{1, 0, 0, 1}));
  EXPECT_EQ(lines[2].runs[1].length, 3u);  // "Red"
  EXPECT_EQ(lines[2].runs[2].colour, (ui::color{0, 0, 1, 1}));
  EXPECT_EQ(lines[2].runs[2].start, 8u);  // "Blue"
}

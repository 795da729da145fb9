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

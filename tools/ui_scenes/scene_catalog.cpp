#include "tools/ui_scenes/scene_catalog.h"

#include "hbsdk/ui/markup_parser.h"
#include "hbsdk/ui/widgets/text_label.h"
#include "resources/embedded.h"
#include "tools/ui_scenes/painted_widget.h"
#include "tools/ui_scenes/widget_scenes.h"

namespace ui_scenes {
namespace {

namespace ui = hbsdk::ui;
using painter = painted_widget::painter;

// Adds a painted widget under the parent and keeps it alive with the scene.
ui::widget& add(scene_parts& parts, ui::widget& parent, const ui::rect& bounds, painter paint) {
  auto made = std::make_unique<painted_widget>(std::move(paint));
  made->create(parent, bounds);
  parts.widgets.push_back(std::move(made));
  return *parts.widgets.back();
}

ui::image& load(scene_parts& parts, const unsigned char* bytes, std::size_t count, float scale) {
  parts.images.push_back(std::make_unique<ui::image>());
  parts.images.back()->load_from_memory(bytes, count, scale);
  return *parts.images.back();
}

void fill_whole(ui::renderer& r, const ui::widget& w, ui::color colour) {
  r.fill_color = colour;
  r.fill_rectangle({0, 0, w.width(), w.height()});
}

constexpr ui::color dark{0.15f, 0.15f, 0.15f, 1.0f};
constexpr ui::color white{1, 1, 1, 1};
constexpr ui::color red{1, 0, 0, 1};
constexpr ui::color green{0, 1, 0, 1};
constexpr ui::color blue{0, 0, 1, 1};
constexpr ui::color yellow{1, 1, 0, 1};

void calibration(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, {0.2f, 0.4f, 0.6f, 1.0f});
    r.fill_color = red;
    r.fill_rectangle({10, 10, 100, 50});
    r.line_color = green;
    r.line_width = 1.0f;
    r.dotted = 0;
    r.draw_rectangle({150, 10, 10, 10});
    r.line_color = white;
    r.draw_line({10, 100}, {210, 100});
    r.text_color = white;
    r.set_font("Tahoma", 20.0f, 2, 0);
    r.set_text_alignment(1, 0);
    r.draw_text({0, 200, 400, 100}, "Calibration");
  });
  // The child's fill reaches 20 beyond it on every side; it is clipped to its own bounds.
  add(parts, *parts.widgets.back(), {250, 150, 40, 40}, [](ui::renderer& r, const ui::widget&) {
    r.fill_color = yellow;
    r.fill_rectangle({-20, -20, 80, 80});
  });
}

void rectangles(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, dark);
    r.fill_color = red;
    r.fill_rectangle({20, 20, 100, 60});
    r.fill_color = {0, 0, 1, 0.5f};
    r.fill_rectangle({140, 20, 100, 60});
    r.dotted = 0;
    r.line_color = white;
    r.line_width = 1.0f;
    r.draw_rectangle({20, 100, 100, 60});
    r.line_color = green;
    r.line_width = 3.0f;
    r.draw_rectangle({140, 100, 100, 60});
    r.fill_color = yellow;
    r.fill_rectangle({260, 20, 120, 140});
    r.line_color = {0, 0, 0, 1};
    r.line_width = 2.0f;
    r.draw_rectangle({260, 20, 120, 140});
    r.fill_color = blue;
    r.fill_rectangle({20, 180, 360, 100});
  });
}

void lines(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, dark);
    r.dotted = 0;
    r.line_color = white;
    r.line_width = 1.0f;
    r.draw_line({20, 40}, {380, 40});
    r.draw_line({40, 120}, {40, 280});
    r.line_color = yellow;
    r.line_width = 2.0f;
    r.draw_line({20, 80}, {380, 80});
    r.draw_line({100, 120}, {100, 280});
    r.line_color = green;
    r.line_width = 4.0f;
    r.draw_line({160, 120}, {380, 280});
  });
}

void dotted(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, dark);
    r.dotted = 1;
    r.line_width = 1.0f;
    r.line_color = white;
    r.draw_rectangle({20, 20, 160, 100});
    r.draw_line({20, 160}, {380, 160});
    r.line_color = yellow;
    r.draw_line({200, 20}, {200, 140});
    r.dotted = 0;
    r.line_color = green;
    r.draw_line({20, 200}, {380, 200});  // solid again after dotted drawing
  });
}

void text(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, dark);
    r.set_font("Tahoma", 14.0f, 0, 0);
    r.dotted = 0;
    r.line_width = 1.0f;
    // Nine alignments: columns leading, centre, trailing; rows near, centre, far.
    const int horizontal[] = {0, 1, 2};
    const int vertical[] = {1, 0, 2};
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        const ui::rect box{10 + column * 130, 10 + row * 75, 120, 65};
        r.line_color = {0.4f, 0.4f, 0.4f, 1};
        r.draw_rectangle(box);
        r.text_color = white;
        r.set_text_alignment(horizontal[column], vertical[row]);
        r.draw_text(box, "Ag");
      }
    }
    // Three weights.
    const char* names[] = {"Light", "Normal", "Bold"};
    for (int weight = 0; weight < 3; ++weight) {
      r.set_font("Tahoma", 16.0f, weight == 0 ? 1 : weight == 2 ? 2 : 0, 0);
      r.set_text_alignment(1, 0);
      r.text_color = yellow;
      r.draw_text({10 + weight * 130, 240, 120, 50}, names[weight]);
    }
  });
}

void images(ui::widget& root, scene_parts& parts) {
  namespace res = hb::resources;
  ui::image& box = load(parts, res::checkbox_png, res::checkbox_png_size, 1.0f);
  ui::image& pack = load(parts, res::browser_pack_png, res::browser_pack_png_size, 1.0f);
  ui::image& pack_half = load(parts, res::browser_pack_png, res::browser_pack_png_size, 2.0f);
  ui::image& arrows = load(parts, res::scroll_arrows_png, res::scroll_arrows_png_size, 1.0f);
  add(parts, root, {0, 0, 400, 300}, [&box, &pack, &pack_half, &arrows](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, dark);
    r.draw_image({20, 20}, box);
    r.draw_image_part({60, 20}, box, {0, 14, 14, 14});  // the checked frame alone
    r.draw_image({100, 20}, pack);
    r.draw_image({140, 20}, pack_half);
    r.draw_image({180, 20}, arrows);
    r.draw_image_part({200, 20}, arrows, {0, 4, 8, 4});  // the lower arrow
  });
}

void shadows(ui::widget& root, scene_parts& parts) {
  ui::widget& back = add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, {0.85f, 0.85f, 0.85f, 1});
  });
  ui::widget& card = add(parts, back, {100, 60, 200, 120}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, white);
  });
  card.shadow = {true, 4, 6, 20};
  ui::widget& small = add(parts, back, {40, 220, 60, 40}, [](ui::renderer& r, const ui::widget& w) {
    fill_whole(r, w, blue);
  });
  small.shadow = {true, 0, 0, 10};
}

void clipping(ui::widget& root, scene_parts& parts) {
  ui::widget& back = add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) { fill_whole(r, w, dark); });
  ui::widget& parent = add(parts, back, {50, 50, 150, 100}, [](ui::renderer& r, const ui::widget& w) { fill_whole(r, w, blue); });
  // Reaches past its parent: drawn there all the same (clipped to its own bounds only).
  ui::widget& child = add(parts, parent, {100, 50, 150, 100}, [](ui::renderer& r, const ui::widget& w) { fill_whole(r, w, red); });
  // Fills more than its own bounds: clipped to them.
  add(parts, child, {20, 20, 40, 40}, [](ui::renderer& r, const ui::widget&) {
    r.fill_color = yellow;
    r.fill_rectangle({-10, -10, 60, 60});
  });
}

// Three rich labels on white, all in Tahoma at 14.5: the same words regular
// and with the first one bold, then a red and a blue run around text in the
// default colour. Each line is alone in its label, so a test knows where it is.
void rich_labels(ui::widget& root, scene_parts& parts) {
  add(parts, root, {0, 0, 400, 300}, [](ui::renderer& r, const ui::widget& w) { fill_whole(r, w, white); });
  const char* const lines[] = {
      "<font face=\"Tahoma\" size=\"14.5\">Tidewater Kit</font>",
      "<font face=\"Tahoma\" size=\"14.5\"><b>Tidewater</b> Kit</font>",
      "<font face=\"Tahoma\" size=\"14.5\"><font color=\"#FF0000\">Red</font> and <font color=\"#0000FF\">Blue</font></font>",
  };
  int top = 30;
  for (const char* line : lines) {
    ui::parsed_markup parsed = ui::parse_markup(line);
    parts.documents.push_back(std::make_unique<ui::rich_text>(std::move(parsed.text), std::move(parsed.runs)));
    parts.documents.back()->ready = true;
    auto label = std::make_unique<ui::TextLabel>();
    label->create(root, {20, top, 360, 50});
    label->style.set_style_color("default_back_color", white);
    label->set_document(parts.documents.back().get());
    parts.widgets.push_back(std::move(label));
    top += 80;
  }
}

std::vector<scene> drawing_scenes() {
  return {
      {"calibration", "known shapes at known places for pixel checks", calibration},
      {"rectangles", "filled, translucent and outlined rectangles", rectangles},
      {"lines", "lines of width 1, 2 and 4", lines},
      {"dotted", "dotted outlines and lines, then a solid line", dotted},
      {"text", "text in the nine alignments and three weights", text},
      {"images", "embedded PNG pictures at scale 1 and 2", images},
      {"shadows", "drop shadows under widgets", shadows},
      {"clipping", "nested widgets clipped to their own bounds", clipping},
      {"rich_text", "rich labels: a bold range, two colour runs, Tahoma at 14.5", rich_labels},
  };
}

}  // namespace

const std::vector<scene>& scene_catalog() {
  static const std::vector<scene> catalog = [] {
    std::vector<scene> all = drawing_scenes();
    for (scene& s : widget_scenes()) all.push_back(std::move(s));
    return all;
  }();
  return catalog;
}

const scene* find_scene(const std::string& name) {
  for (const scene& s : scene_catalog()) {
    if (s.name == name) {
      return &s;
    }
  }
  return nullptr;
}

}  // namespace ui_scenes

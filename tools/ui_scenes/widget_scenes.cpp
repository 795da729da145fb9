#include "tools/ui_scenes/widget_scenes.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/widgets/check_box.h"
#include "hbsdk/ui/widgets/generic_button.h"
#include "hbsdk/ui/widgets/generic_panel.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "hbsdk/ui/widgets/scroll_bar.h"
#include "hbsdk/ui/widgets/text_label.h"
#include "hbsdk/ui/window.h"
#include "tools/ui_scenes/painted_widget.h"

#include <cstdio>
#include <string>

namespace ui_scenes {
namespace {

namespace ui = hbsdk::ui;
using ui::event_type;

constexpr ui::color dark{0.15f, 0.15f, 0.15f, 1.0f};

template <class Widget>
Widget& add(scene_parts& parts, ui::widget& parent, const ui::rect& bounds) {
  auto made = std::make_unique<Widget>();
  Widget& widget = *made;
  parts.widgets.push_back(std::move(made));
  widget.create(parent, bounds);
  return widget;
}

ui::widget& background(ui::widget& root, scene_parts& parts) {
  auto made = std::make_unique<painted_widget>([](ui::renderer& r, const ui::widget& w) {
    r.fill_color = dark;
    r.fill_rectangle({0, 0, w.width(), w.height()});
  });
  made->create(root, {0, 0, 400, 300});
  parts.widgets.push_back(std::move(made));
  return *parts.widgets.back();
}

// Row 1: normal, hovered, focused; row 2: disabled, toggled, pressed.
void buttons(ui::widget& root, scene_parts& parts) {
  ui::widget& back = background(root, parts);
  const char* captions[] = {"Normal", "Hover", "Focused", "Disabled", "Toggled", "Pressed"};
  ui::GenericButton* made[6];
  for (int i = 0; i < 6; ++i) {
    made[i] = &add<ui::GenericButton>(parts, back, {20 + (i % 3) * 125, 20 + (i / 3) * 50, 110, 30});
    made[i]->caption = captions[i];
  }
  ui::fire(made[1], event_type::mouse_enter);
  root.window()->set_focus(made[2], ui::focus_reason::keyboard);
  made[3]->set_enabled(false);
  made[4]->toggle_mode = true;
  ui::fire(made[4], event_type::mouse_up);
  ui::fire(made[5], event_type::mouse_down);
}

// Unchecked, checked, hovered, focused, and checked but disabled.
void checkboxes(ui::widget& root, scene_parts& parts) {
  ui::widget& back = background(root, parts);
  const char* captions[] = {"Unchecked", "Checked", "Hovered", "Focused", "Disabled and checked"};
  ui::CheckBox* made[5];
  for (int i = 0; i < 5; ++i) {
    made[i] = &add<ui::CheckBox>(parts, back, {20, 20 + i * 40, 240, 24});
    made[i]->set_enabled(true);  // a check box starts disabled
    made[i]->set_text(captions[i]);
    made[i]->set_layout(0, 5);
  }
  made[1]->checked = true;
  ui::fire(made[2], event_type::mouse_enter);
  root.window()->set_focus(made[3], ui::focus_reason::keyboard);
  made[4]->checked = true;
  made[4]->set_enabled(false);
}

void labels(ui::widget& root, scene_parts& parts) {
  ui::widget& back = background(root, parts);
  auto& wrapped = add<ui::TextLabel>(parts, back, {20, 20, 200, 10});
  wrapped.style.set_style_color("default_back_color", {0.25f, 0.3f, 0.4f, 1});
  wrapped.set_text("A label wraps its text to its width and grows to fit it when asked.", true);
  auto& disabled = add<ui::TextLabel>(parts, back, {20, 140, 200, 30});
  disabled.style.set_style_color("default_back_color", {0, 0, 0, 0});
  disabled.set_text("Disabled: half transparent", false);
  disabled.set_enabled(false);
  auto& coloured = add<ui::TextLabel>(parts, back, {240, 20, 140, 60});
  coloured.style.set_style_color("default_back_color", {0.6f, 0.2f, 0.2f, 1});
  coloured.style.set_style_color("label_font_color", {1, 1, 0, 1});
  coloured.set_text("Own colours", false);
}

// A vertical bar scrolled to position 100 and a horizontal one at 50; the
// content is striped so its movement shows.
void scrollbars(ui::widget& root, scene_parts& parts) {
  ui::widget& back = background(root, parts);
  auto stripes = [](ui::renderer& r, const ui::widget& w) {
    for (int y = 0; y < w.height(); y += 20) {
      for (int x = 0; x < w.width(); x += 20) {
        r.fill_color = ((x + y) / 20) % 2 == 0 ? ui::color{0.3f, 0.5f, 0.7f, 1} : ui::color{0.2f, 0.3f, 0.4f, 1};
        r.fill_rectangle({x, y, 20, 20});
      }
    }
  };
  auto& view = add<ui::GenericPanel>(parts, back, {20, 20, 200, 150});
  view.style.set_style_color("default_back_color", dark);
  auto content = std::make_unique<painted_widget>(stripes);
  content->create(view, {0, 0, 180, 400});
  auto& bar = add<ui::ScrollBar>(parts, view, {184, 0, 16, 150});
  bar.set_target(content.get());
  bar.set_position(100, false);
  parts.widgets.push_back(std::move(content));

  auto& wide_view = add<ui::GenericPanel>(parts, back, {20, 200, 360, 76});
  wide_view.style.set_style_color("default_back_color", dark);
  auto wide = std::make_unique<painted_widget>(stripes);
  wide->create(wide_view, {0, 0, 720, 60});
  auto made = std::make_unique<ui::ScrollBar>();
  made->orientation = ui::ScrollBar::horizontal;
  made->create(wide_view, {0, 60, 360, 16});
  made->set_target(wide.get());
  made->set_position(50, false);
  parts.widgets.push_back(std::move(made));
  parts.widgets.push_back(std::move(wide));
  // A widget is clipped to its own bounds, not to its parent's: scrolled
  // content draws outside its view. Covers painted after the views hide it.
  for (const ui::rect& cover : {ui::rect{0, 0, 400, 20}, ui::rect{0, 170, 400, 30}, ui::rect{0, 276, 400, 24},
                                ui::rect{380, 200, 20, 76}, ui::rect{0, 200, 20, 76},
                                ui::rect{220, 20, 180, 150}}) {
    auto made_cover = std::make_unique<painted_widget>([](ui::renderer& r, const ui::widget& w) {
      r.fill_color = dark;
      r.fill_rectangle({0, 0, w.width(), w.height()});
    });
    made_cover->create(back, cover);
    parts.widgets.push_back(std::move(made_cover));
  }
}

// A pop-up of the type, opened as soon as the scene's loop runs; its result
// is printed as "popup result N".
scene popup_scene(const char* name, const char* description, std::int32_t type) {
  return {name, description, [type](ui::widget& root, scene_parts& parts) {
            ui::widget& back = background(root, parts);
            ui::window& owner = *root.window();
            ui::connect(&back, event_type::timer, [&owner, type](const ui::event_info&) {
              ui::MessagePopup popup;
              popup.build(&owner, "Question", "Is this the message pop-up of the toolkit?", type);
              std::printf("popup result %d\n", popup.run_modal());
              std::fflush(stdout);
            });
            owner.native().set_timer(&back, 1, 1, true);
          }};
}

}  // namespace

std::vector<scene> widget_scenes() {
  return {
      {"buttons", "push buttons: normal, hovered, focused, disabled, toggled, pressed", buttons},
      {"checkboxes", "check boxes: unchecked, checked, hovered, focused, disabled", checkboxes},
      {"labels", "text labels: wrapped and fitted, disabled, own colours", labels},
      {"scrollbars", "scroll bars, vertical and horizontal, scrolled", scrollbars},
      popup_scene("popup_ok", "a message pop-up with OK", ui::MessagePopup::ok),
      popup_scene("popup_ok_cancel", "a message pop-up with OK and Cancel", ui::MessagePopup::ok_cancel),
      popup_scene("popup_yes_no", "a message pop-up with Yes and No", ui::MessagePopup::yes_no),
  };
}

}  // namespace ui_scenes

#pragma once
// Toolkit windows on SDL's offscreen driver (no display needed): the
// platform, a probe window with two coloured panels, and helpers that push
// SDL events into the queue and read the window's pixels.

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/sdl/sdl_platform_services.h"
#include "hbsdk/ui/sdl/sdl_window_backend.h"
#include "hbsdk/ui/testing/event_recorder.h"
#include "hbsdk/ui/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;
using ui::event_type;
using strings = std::vector<std::string>;

constexpr ui::color red{1.0f, 0.0f, 0.0f, 1.0f};
constexpr ui::color green{0.0f, 1.0f, 0.0f, 1.0f};
constexpr ui::color blue{0.0f, 0.0f, 1.0f, 1.0f};

// Declared before the platform, so the driver is chosen when SDL starts.
struct offscreen_driver {
  offscreen_driver() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }
};

class colour_panel : public ui::widget {
public:
  explicit colour_panel(ui::color colour) : fill(colour) { ui::connect(this, event_type::paint, this, &colour_panel::paint); }
  ui::color fill;
  int paints = 0;

private:
  void paint() {
    ++paints;
    ui::renderer& r = window()->renderer();
    r.fill_color = fill;
    r.fill_rectangle({0, 0, width(), height()});
  }
};

// A 400 x 300 window at (100, 100): the root blue, a red panel on the left
// half, a green one on the right.
class probe_window : public ui::window {
public:
  explicit probe_window(const char* title = "probe", ui::window* owner = nullptr)
      : background(blue), left(red), right(green) {
    parent = owner;
    create(title, {100, 100, 400, 300});
    background.create(root, {0, 0, 400, 300});
    background.anchors.right = {true, 0};
    background.anchors.bottom = {true, 0};
    background.anchors.left = {true, 0};
    background.anchors.top = {true, 0};
    left.create(background, {0, 0, 200, 300});
    right.create(background, {200, 0, 200, 300});
  }
  SDL_Window* sdl() { return static_cast<SDL_Window*>(native().handle()); }
  std::uint32_t id() { return SDL_GetWindowID(sdl()); }

  colour_panel background;
  colour_panel left;
  colour_panel right;
};

class sdl_platform : public ::testing::Test {
protected:
  ui::sdl_platform_services& services() { return static_cast<ui::sdl_platform_services&>(platform.services()); }
  // Delivers every message that is ready, without waiting.
  void deliver_all() {
    while (services().take_message()) services().dispatch_message();
  }
  static std::uint32_t pixel(SDL_Window* window, int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    const auto* row = static_cast<const unsigned char*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    std::uint32_t value = 0;
    std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
    return value & 0xFFFFFFu;
  }
  static void push_window_event(std::uint32_t id, SDL_WindowEventID what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id;
    e.window.event = static_cast<Uint8>(what);
    SDL_PushEvent(&e);
  }
  static void push_key(std::uint32_t id, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = id;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
  }
  static void push_button(std::uint32_t id, Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = id;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  // The offscreen driver has no pointer of its own: motion is pushed.
  static void push_motion(std::uint32_t id, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
  }

  offscreen_driver driver;
  ui::native_platform platform;
  support::event_recorder events;
};

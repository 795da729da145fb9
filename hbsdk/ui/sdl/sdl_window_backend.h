#pragma once
// One native window on SDL. The window is exactly its client area (SDL draws
// no frame of its own; a window manager adds one outside it), so the frame
// insets are zero; the screen is taken as 96 dpi. The window is made hidden
// with an empty title; its messages come from the SDL platform's queue.
//
//   [x] placement     SDL window position and size; work area from
//                     SDL_GetDisplayUsableBounds
//   [x] visibility    shown (and given the keyboard focus) or hidden
//   [x] enabled flag  kept here; the platform drops a disabled window's input
//   [x] timers        sdl_timer_service, on the user-interface thread
//   [x] mouse leave   a leave is delivered only when one was asked for since
//                     the last one, as TrackMouseEvent does
//   [x] capture       SDL_CaptureMouse
//   [x] painting      the area waiting to be painted, as one bounding
//                     rectangle; the platform makes WM_PAINT of it when idle
//   [x] input method  sdl_input_method over the window's composition state,
//                     which the platform fills from SDL's text events

#include "hbsdk/ui/sdl/sdl_composition.h"
#include "hbsdk/ui/window_backend.h"

#include <SDL.h>

#include <cstdint>
#include <map>

namespace hbsdk::ui {

class native_window;
class sdl_platform_services;

class sdl_window_backend final : public window_backend {
public:
  sdl_window_backend(sdl_platform_services& platform, native_window& owner);
  ~sdl_window_backend() override;

  void create(const native_window_request& request) override;
  void* handle() const noexcept override { return window_; }
  void set_title(std::u16string_view title) override;
  point device_dpi() override { return {96, 96}; }
  edge_rect frame_insets(std::uint32_t, std::uint32_t) override { return {}; }
  edge_rect outer_rect() override;
  void set_outer_rect(const rect& outer) override;
  edge_rect work_area() override;
  bool is_visible() override { return visible_; }
  void show() override;
  void show_inactive() override;
  void hide() override;
  void update() override;
  void set_enabled(bool enabled) override { enabled_ = enabled; }
  void set_focus() override;
  void start_timer(std::uint32_t id, std::uint32_t milliseconds) override;
  void stop_timer(std::uint32_t id) override;
  void track_mouse_leave() override { leave_tracked_ = true; }
  void capture_mouse() override;
  void release_mouse() override;
  void invalidate(const edge_rect& area) override;
  edge_rect update_rect() override { return pending_; }
  void validate(const edge_rect& area) override;
  std::unique_ptr<input_method> create_input_method() override;

  native_window& owner() const noexcept { return owner_; }
  SDL_Window* window() const noexcept { return window_; }
  std::uint32_t window_id() const noexcept { return window_id_; }
  bool enabled() const noexcept { return enabled_; }
  // Whether a leave was asked for; clears the request.
  bool take_leave_request() noexcept;
  // The whole client area waits to be painted (exposed, resized).
  void invalidate_all();
  // Shown with an area waiting to be painted.
  bool wants_paint() const noexcept;
  // The top-left corner of the client area on the screen.
  point client_origin() const;
  // What the window's input method answers from.
  sdl_composition& composition() noexcept { return composition_; }

private:
  sdl_platform_services& platform_;
  native_window& owner_;
  SDL_Window* window_ = nullptr;
  std::uint32_t window_id_ = 0;
  edge_rect placement_;  // used while there is no SDL window
  bool visible_ = false;
  bool enabled_ = true;
  bool leave_tracked_ = false;
  edge_rect pending_;
  std::map<std::uint32_t, std::uint32_t> timer_tokens_;  // timer id -> token
  sdl_composition composition_;
};

}  // namespace hbsdk::ui

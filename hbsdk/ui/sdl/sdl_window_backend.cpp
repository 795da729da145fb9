#include "hbsdk/ui/sdl/sdl_window_backend.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/sdl/sdl_input_method.h"
#include "hbsdk/ui/sdl/sdl_platform_services.h"
#include "hbsdk/ui/window_procedure.h"

#include <algorithm>
#include <string>

namespace hbsdk::ui {
namespace {

bool is_empty(const edge_rect& area) { return area.right <= area.left || area.bottom <= area.top; }

}  // namespace

sdl_window_backend::sdl_window_backend(sdl_platform_services& platform, native_window& owner)
    : platform_(platform), owner_(owner) {}

sdl_window_backend::~sdl_window_backend() {
  for (const auto& [id, token] : timer_tokens_) {
    platform_.timers().stop(token);
  }
  if (window_ != nullptr) {
    platform_.window_destroyed(*this);
    SDL_DestroyWindow(window_);
  }
}

void sdl_window_backend::create(const native_window_request& request) {
  if (window_ != nullptr) {
    return;
  }
  placement_ = {request.x, request.y, request.x + request.outer_width, request.y + request.outer_height};
  window_ = SDL_CreateWindow("", request.x, request.y, std::max(request.outer_width, 1),
                             std::max(request.outer_height, 1), SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    return;
  }
  window_id_ = SDL_GetWindowID(window_);
  if (request.owner != nullptr) {
    auto* owner = dynamic_cast<sdl_window_backend*>(request.owner);
    if (owner != nullptr && owner->window_ != nullptr) {
      // Marks the pop-up as transient for its owner; on X11 this is a hint
      // only, which is why the platform drops a disabled owner's input.
      SDL_SetWindowModalFor(window_, owner->window_);
    }
  }
  platform_.window_created(*this);
}

void sdl_window_backend::set_title(std::u16string_view title) {
  if (window_ != nullptr) {
    SDL_SetWindowTitle(window_, filesystem::to_utf8(title).c_str());
  }
}

edge_rect sdl_window_backend::outer_rect() {
  if (window_ == nullptr) {
    return placement_;
  }
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &width, &height);
  return {x, y, x + width, y + height};
}

void sdl_window_backend::set_outer_rect(const rect& outer) {
  const edge_rect now = outer_rect();
  const std::int32_t width = outer.width < 0 ? now.right - now.left : outer.width;
  const std::int32_t height = outer.height < 0 ? now.bottom - now.top : outer.height;
  placement_ = {outer.x, outer.y, outer.x + width, outer.y + height};
  if (window_ == nullptr) {
    return;
  }
  SDL_SetWindowPosition(window_, outer.x, outer.y);
  if (width != now.right - now.left || height != now.bottom - now.top) {
    SDL_SetWindowSize(window_, std::max(width, 1), std::max(height, 1));
  }
}

edge_rect sdl_window_backend::work_area() {
  int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (display < 0) {
    display = 0;
  }
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) {
    const point screen = platform_.screen_size();
    return {0, 0, screen.x, screen.y};
  }
  return {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
}

// Showing activates the window, as SW_SHOW does, and makes its whole client
// area wait to be painted.
void sdl_window_backend::show() {
  show_inactive();
  set_focus();
}

void sdl_window_backend::show_inactive() {
  visible_ = true;
  if (window_ != nullptr) {
    SDL_ShowWindow(window_);
  }
  invalidate_all();
}

void sdl_window_backend::hide() {
  visible_ = false;
  if (window_ != nullptr) {
    SDL_HideWindow(window_);
  }
}

// Paints at once what waits to be painted, like UpdateWindow.
void sdl_window_backend::update() {
  if (wants_paint()) {
    if (!handle_message(owner_, {message::paint, 0, 0})) {
      validate(pending_);
    }
  }
}

void sdl_window_backend::set_focus() {
  if (window_ != nullptr && visible_) {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
  }
}

void sdl_window_backend::start_timer(std::uint32_t id, std::uint32_t milliseconds) {
  stop_timer(id);
  timer_tokens_[id] = platform_.timers().start({window_id_, id}, milliseconds, SDL_GetTicks64());
}

void sdl_window_backend::stop_timer(std::uint32_t id) {
  const auto found = timer_tokens_.find(id);
  if (found != timer_tokens_.end()) {
    platform_.timers().stop(found->second);
    timer_tokens_.erase(found);
  }
}

void sdl_window_backend::capture_mouse() { SDL_CaptureMouse(SDL_TRUE); }

void sdl_window_backend::release_mouse() { SDL_CaptureMouse(SDL_FALSE); }

void sdl_window_backend::invalidate(const edge_rect& area) {
  if (is_empty(area)) {
    return;
  }
  if (is_empty(pending_)) {
    pending_ = area;
  } else {
    pending_ = {std::min(pending_.left, area.left), std::min(pending_.top, area.top),
                std::max(pending_.right, area.right), std::max(pending_.bottom, area.bottom)};
  }
}

// The pending area is one rectangle: validating all of it clears it, and
// validating a part leaves it whole (it is painted again, never lost).
void sdl_window_backend::validate(const edge_rect& area) {
  if (area.left <= pending_.left && area.top <= pending_.top && area.right >= pending_.right &&
      area.bottom >= pending_.bottom) {
    pending_ = {};
  }
}

std::unique_ptr<input_method> sdl_window_backend::create_input_method() {
  return std::make_unique<sdl_input_method>(composition_);
}

bool sdl_window_backend::take_leave_request() noexcept {
  const bool requested = leave_tracked_;
  leave_tracked_ = false;
  return requested;
}

void sdl_window_backend::invalidate_all() {
  const edge_rect outer = outer_rect();
  invalidate({0, 0, outer.right - outer.left, outer.bottom - outer.top});
}

bool sdl_window_backend::wants_paint() const noexcept { return visible_ && !is_empty(pending_); }

point sdl_window_backend::client_origin() const {
  if (window_ == nullptr) {
    return {placement_.left, placement_.top};
  }
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  return {x, y};
}

}  // namespace hbsdk::ui

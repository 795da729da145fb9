#include "hbsdk/ui/native_window.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/mul_div.h"
#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/window.h"

#include <iterator>
#include <vector>

namespace hbsdk::ui {

native_window::native_window() : backend_(platform().create_window_backend(*this)) {}

native_window::~native_window() {
  if (owner_ != nullptr) {
    std::erase(owner_->holders_, this);
  }
  for (native_window* holder : holders_) {
    holder->owner_ = nullptr;
  }
  for (const auto& [id, record] : timers_) {
    backend_->stop_timer(id);
  }
}

point native_window::outer_size_for(std::int32_t width, std::int32_t height) {
  const edge_rect frame = backend_->frame_insets(style_, extended_style_);
  const std::int32_t pixel_width = mul_div(width, dpi_.x, 96);
  const std::int32_t pixel_height = mul_div(height, dpi_.y, 96);
  return {pixel_width + frame.right - frame.left, pixel_height + frame.bottom - frame.top};
}

void native_window::create(window& toolkit_window, std::string_view title, const rect& placement,
                           native_window* owner) {
  window_ = &toolkit_window;
  owner_ = owner;
  style_ = default_style;
  extended_style_ = 0;
  dpi_ = backend_->device_dpi();
  const point outer = outer_size_for(placement.width, placement.height);
  native_window_request request;
  request.x = placement.x;  // the position is used unscaled
  request.y = placement.y;
  request.outer_width = outer.x;
  request.outer_height = outer.y;
  request.style = style_;
  request.extended_style = extended_style_;
  request.owner = owner != nullptr ? owner->backend_.get() : nullptr;
  backend_->create(request);
  backend_->set_title(filesystem::to_wide(title));
}

void native_window::begin_modal() noexcept { start_ = loop_start::pending; }

void native_window::modal_loop() {
  // An end_modal between begin_modal and here (a close from a shown
  // callback) ends this loop before it starts.
  const bool ended_before_start = start_ == loop_start::ended;
  start_ = loop_start::none;
  if (ended_before_start) {
    return;
  }
  if (owner_ != nullptr) {
    owner_->holders_.push_back(this);
    owner_->backend_->set_enabled(false);
  }
  if (!backend_->is_visible()) {
    backend_->show();
    backend_->update();
  }
  running_ = true;
  try {
    pump();
  } catch (...) {
    // A callback threw out of the loop: the loop ends as if closed, so the
    // owner takes input again and the pop-up does not stay on screen.
    end_modal();
    throw;
  }
}

// Once running is false, no further message is removed: what is queued
// stays for the loop that runs on (the owner's, or the next one).
void native_window::pump() {
  platform_services& services = platform();
  for (;;) {
    services.wait_message();
    while (running_ && services.take_message()) {
      record_composition_key(services.taken_message());
      services.dispatch_message();
    }
    if (!running_) {
      return;
    }
  }
}

// A key pressed during a composition is recorded before it is delivered:
// the input method's cursor rules read it when the composition changes.
void native_window::record_composition_key(const window_message* taken) {
  if (taken == nullptr || taken->code != message::key_down || window_ == nullptr || !window_->is_created()) {
    return;
  }
  text_input_context& context = window_->text_input();
  if (context.composing) {
    context.key_pressed();
  }
}

// The owner stays disabled while another running pop-up of it still holds
// it; the last one to end enables and focuses it again.
void native_window::end_modal() {
  running_ = false;
  if (start_ == loop_start::pending) {
    start_ = loop_start::ended;
  }
  if (owner_ != nullptr) {
    std::erase(owner_->holders_, this);
    if (owner_->holders_.empty()) {
      owner_->backend_->set_enabled(true);
      owner_->backend_->set_focus();
    } else {
      owner_->holders_.back()->backend_->set_focus();
    }
  }
  if (backend_->is_visible()) {
    backend_->hide();
  }
}

void native_window::move_resize(const rect& placement) {
  const point outer = outer_size_for(placement.width, placement.height);
  backend_->set_outer_rect({placement.x, placement.y, outer.x, outer.y});
}

rect native_window::client_rect() {
  const edge_rect outer = backend_->outer_rect();
  const edge_rect frame = backend_->frame_insets(style_, extended_style_);
  const std::int32_t width = (outer.right - outer.left) - (frame.right - frame.left);
  const std::int32_t height = (outer.bottom - outer.top) - (frame.bottom - frame.top);
  return {outer.left - frame.left, outer.top - frame.top, mul_div(width, 96, dpi_.x), mul_div(height, 96, dpi_.y)};
}

// The client area (not the outer window) is centred on the reference: the
// owner's outer rectangle, or the primary screen without an owner. Then the
// outer window is pushed back inside the work area; a window larger than the
// work area ends one pixel inside its left (top) edge.
void native_window::centre() {
  const rect client = client_rect();
  const std::int32_t width = mul_div(client.width, dpi_.x, 96);
  const std::int32_t height = mul_div(client.height, dpi_.y, 96);

  edge_rect reference;
  if (window_ != nullptr && owner_ != nullptr) {
    reference = owner_->backend_->outer_rect();
  } else {
    const point screen = platform().screen_size();
    reference = {0, 0, screen.x, screen.y};
  }
  const edge_rect work = (owner_ != nullptr ? owner_->backend_ : backend_)->work_area();

  std::int32_t x = reference.left + (reference.right - width - reference.left) / 2;
  std::int32_t y = reference.top + (reference.bottom - height - reference.top) / 2;
  const edge_rect frame = backend_->frame_insets(style_, extended_style_);
  const std::int32_t outer_width = width + frame.right - frame.left;
  const std::int32_t outer_height = height + frame.bottom - frame.top;
  if (x + outer_width > work.right) {
    x = work.right - outer_width;
  }
  if (x < work.left) {
    x = work.left + 1;
  }
  if (y + outer_height > work.bottom) {
    y = work.bottom - outer_height;
  }
  if (y < work.top) {
    y = work.top + 1;
  }
  backend_->set_outer_rect({x, y, -1, -1});
}

std::uint32_t native_window::set_timer(event_object* target, std::uint32_t user_key, std::uint32_t milliseconds,
                                       bool one_shot) {
  ++timer_counter_;
  timers_[timer_counter_] = {user_key, target, one_shot};
  backend_->start_timer(timer_counter_, milliseconds);
  return timer_counter_;
}

void native_window::kill_timer(const event_object* target, std::uint32_t user_key) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.target == target && it->second.user_key == user_key) {
      backend_->stop_timer(it->first);
      timers_.erase(it);
      return;
    }
  }
}

void native_window::kill_timers_of(const event_object* target) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.target == target) {
      backend_->stop_timer(it->first);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

void native_window::timer_elapsed(std::uint32_t id) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) {
    return;
  }
  const timer_record record = found->second;
  // Native timers repeat until stopped: a one-shot timer is stopped before its
  // callbacks run, or one that runs a nested modal loop (a pop-up) would fire
  // again inside it, and again inside that.
  if (!record.one_shot) {
    fire(record.target, event_type::timer, record.user_key);
    return;
  }
  backend_->stop_timer(id);
  // After the callbacks, also when one throws, the one-shot timer is removed
  // by its id (they may have killed it already), so another timer with the
  // same key and target stays.
  struct remove_after {
    std::map<std::uint32_t, timer_record>& timers;
    std::uint32_t id;
    ~remove_after() { timers.erase(id); }
  };
  const remove_after remove{timers_, id};
  fire(record.target, event_type::timer, record.user_key);
}

}  // namespace hbsdk::ui

#include "hbsdk/ui/testing/test_platform.h"

#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/testing/recording_render_backend.h"
#include "hbsdk/ui/window.h"
#include "hbsdk/ui/window_procedure.h"

#include <algorithm>
#include <stdexcept>

namespace hbsdk::ui::test_support {

test_platform::test_platform() : previous_(set_platform_services(this)) {}

test_platform::~test_platform() { set_platform_services(previous_); }

void test_platform::request_repaint(const window& target, const edge_rect& area) {
  repaints_.push_back({&target, area});
  if (target.is_created()) {
    const_cast<window&>(target).native().backend().invalidate(area);
  }
}

// The client area starts where the test put it, else where the window's
// native window is (its outer position inside the frame).
point test_platform::screen_to_client(const window& target, point screen) {
  point origin;
  const auto found = origins_.find(&target);
  if (found != origins_.end()) {
    origin = found->second;
  } else if (target.is_created()) {
    const rect client = const_cast<window&>(target).native().client_rect();
    origin = {client.x, client.y};
  }
  return {screen.x - origin.x, screen.y - origin.y};
}

void test_platform::set_key(std::int32_t virtual_key, bool down) {
  if (down) {
    keys_down_.insert(virtual_key);
  } else {
    keys_down_.erase(virtual_key);
  }
}

std::unique_ptr<window_backend> test_platform::create_window_backend(native_window& owner) {
  return std::make_unique<headless_window_backend>(*this, owner);
}

std::unique_ptr<render_backend> test_platform::create_render_backend(native_window& target) {
  auto drawing = std::make_unique<recording_render_backend>();
  recording_render_backend* made = drawing.get();
  drawings_[&target] = made;
  made->on_destroyed = [this, key = &target, made] {
    const auto found = drawings_.find(key);
    if (found != drawings_.end() && found->second == made) {
      drawings_.erase(found);
    }
  };
  return drawing;
}

// As on Windows, a window with an area waiting to be painted gets WM_PAINT
// when nothing else is queued.
void test_platform::wait_message() {
  if (!queue_.empty()) {
    return;
  }
  for (headless_window_backend* backend : backends_) {
    const edge_rect pending = backend->update_rect();
    if (backend->is_visible() && pending.right > pending.left && pending.bottom > pending.top) {
      post(backend->owner(), {message::paint, 0, 0});
    }
  }
  if (!queue_.empty()) {
    return;
  }
  if (on_idle) {
    on_idle();
  }
  if (queue_.empty()) {
    throw std::logic_error("a modal loop waits on an empty queue and nothing will post a message");
  }
}

bool test_platform::take_message() {
  if (queue_.empty()) {
    taken_.reset();
    return false;
  }
  taken_ = queue_.front();
  queue_.pop_front();
  return true;
}

namespace {

// Mouse and keyboard messages, which a disabled window does not receive.
bool is_input(std::uint32_t code) {
  return (code >= message::mouse_move && code <= message::mouse_wheel) ||
         (code >= message::key_down && code <= message::character);
}

}  // namespace

void test_platform::dispatch_message() {
  if (!taken_) {
    return;
  }
  const queued_message delivered = *taken_;
  taken_.reset();
  if (is_input(delivered.message.code)) {
    for (headless_window_backend* backend : backends_) {
      if (&backend->owner() == delivered.target && !backend->enabled()) {
        return;  // as on Windows, a disabled window gets no input
      }
    }
  }
  if (delivered.pointer) {
    pointer_ = *delivered.pointer;
  }
  (void)handle_message(*delivered.target, delivered.message);
}

void test_platform::post(const window& target, const window_message& message) {
  post(const_cast<window&>(target).native(), message);
}

void test_platform::post(native_window& target, const window_message& message) {
  queue_.push_back({&target, message, std::nullopt});
}

std::optional<std::int64_t> test_platform::send(window& target, const window_message& message) {
  return handle_message(target.native(), message);
}

void test_platform::post_click(native_window& target, point client, int button) {
  const rect area = target.client_rect();
  const point at{area.x + client.x, area.y + client.y};
  static constexpr std::uint32_t downs[] = {message::left_button_down, message::middle_button_down,
                                            message::right_button_down};
  static constexpr std::uint32_t ups[] = {message::left_button_up, message::middle_button_up,
                                          message::right_button_up};
  const auto index = static_cast<std::size_t>(button < 0 || button > 2 ? 0 : button);
  queue_.push_back({&target, {downs[index], 0, 0}, at});
  queue_.push_back({&target, {ups[index], 0, 0}, at});
}

void test_platform::post_paint(const window& target) { post(target, {message::paint, 0, 0}); }

void test_platform::elapse(std::uint32_t milliseconds) {
  const std::uint64_t until = clock_ + milliseconds;
  for (;;) {
    // The earliest timer that comes due by then, lowest id first among equals.
    headless_window_backend* owner = nullptr;
    std::uint32_t id = 0;
    std::uint64_t due = until + 1;
    for (headless_window_backend* backend : backends_) {
      for (const auto& [timer_id, timer] : backend->timers()) {
        if (timer.due < due) {
          owner = backend;
          id = timer_id;
          due = timer.due;
        }
      }
    }
    if (owner == nullptr) {
      break;
    }
    clock_ = due;
    auto& timer = owner->timers().at(id);
    timer.due += std::max<std::uint32_t>(timer.interval, 1);
    post(owner->owner(), {message::timer, id, 0});
  }
  clock_ = until;
}

headless_window_backend& test_platform::backend_of(const window& target) const {
  const native_window* native = &target.native();
  for (headless_window_backend* backend : backends_) {
    if (&backend->owner() == native) {
      return *backend;
    }
  }
  throw std::logic_error("the window has no headless backend of this platform");
}

recording_render_backend& test_platform::drawing_of(const window& target) const {
  const auto found = drawings_.find(&target.native());
  if (found == drawings_.end()) {
    throw std::logic_error("the window has no recording drawing backend of this platform");
  }
  return *found->second;
}

void test_platform::backend_created(headless_window_backend& backend) { backends_.push_back(&backend); }

void test_platform::backend_destroyed(headless_window_backend& backend) {
  std::erase(backends_, &backend);
  native_window* gone = &backend.owner();
  std::erase_if(queue_, [gone](const queued_message& queued) { return queued.target == gone; });
  if (taken_ && taken_->target == gone) {
    taken_.reset();
  }
}

}  // namespace hbsdk::ui::test_support

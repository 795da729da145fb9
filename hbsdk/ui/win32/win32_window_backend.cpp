#include "hbsdk/ui/win32/win32_window_backend.h"

#include "hbsdk/ui/win32/accessibility_library.h"
#include "hbsdk/ui/win32/accessible_window.h"
#include "hbsdk/ui/win32/imm32_input_method.h"
#include "hbsdk/ui/win32/kept_exception.h"
#include "hbsdk/ui/win32/window_class.h"

#include <string>

namespace hbsdk::ui::win32 {
namespace {

// value * numerator / denominator, rounded down or up; the DPI is positive.
std::int32_t scale_down(std::int32_t value, std::int32_t numerator, std::int32_t denominator) noexcept {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  std::int64_t quotient = product / denominator;
  if (product % denominator != 0 && product < 0) {
    --quotient;
  }
  return static_cast<std::int32_t>(quotient);
}

std::int32_t scale_up(std::int32_t value, std::int32_t numerator, std::int32_t denominator) noexcept {
  return -scale_down(-value, numerator, denominator);
}

}  // namespace

win32_window_backend::~win32_window_backend() {
  release_accessible();
  drop_target_.revoke();
  if (handle_ != nullptr) {
    // Nothing the destruction sends may reach a toolkit window that is going away.
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void win32_window_backend::create(const native_window_request& request) {
  if (handle_ != nullptr) {
    return;
  }
  HWND owner = request.owner != nullptr ? static_cast<HWND>(request.owner->handle()) : nullptr;
  handle_ = CreateWindowExW(request.extended_style, window_class_name(), L"", request.style, request.x, request.y,
                            request.outer_width, request.outer_height, owner, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner_));
    drop_target_.register_window(owner_, handle_);
  }
}

void win32_window_backend::handle_destroyed() noexcept {
  release_accessible();
  drop_target_.revoke();
  handle_ = nullptr;
}

void win32_window_backend::release_accessible() noexcept {
  if (accessible_ != nullptr) {
    accessible_->disconnect();
    accessible_->Release();
    accessible_ = nullptr;
  }
}

LRESULT win32_window_backend::answer_object_query(WPARAM wparam, LPARAM lparam) {
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT) || handle_ == nullptr) {
    return 0;
  }
  if (accessible_ == nullptr) {
    accessible_ = new accessible_window(owner_, handle_);
  }
  return lresult_from_object(IID_IAccessible, wparam, static_cast<IAccessible*>(accessible_));
}

void win32_window_backend::post(const window_message& message) {
  if (handle_ != nullptr) {
    PostMessageW(handle_, message.code, static_cast<WPARAM>(message.wparam), static_cast<LPARAM>(message.lparam));
  }
}

void win32_window_backend::accessibility_event(accessible_change change, std::int32_t child) {
  if (handle_ == nullptr) {
    return;
  }
  DWORD event = 0;
  switch (change) {
    case accessible_change::focus:
      if (GetFocus() != handle_) return;
      event = EVENT_OBJECT_FOCUS;
      break;
    case accessible_change::name:
      event = EVENT_OBJECT_NAMECHANGE;
      break;
    case accessible_change::state:
      event = EVENT_OBJECT_STATECHANGE;
      break;
    case accessible_change::value:
      event = EVENT_OBJECT_VALUECHANGE;
      break;
    case accessible_change::structure:
      event = EVENT_OBJECT_REORDER;
      break;
  }
  NotifyWinEvent(event, handle_, OBJID_CLIENT, child);
}

std::unique_ptr<input_method> win32_window_backend::create_input_method() {
  return std::make_unique<imm32_input_method>(*this);
}

void win32_window_backend::set_title(std::u16string_view title) {
  if (handle_ == nullptr) {
    return;
  }
  const std::wstring text(title.begin(), title.end());
  SetWindowTextW(handle_, text.c_str());
  rethrow_kept_exception();
}

point win32_window_backend::device_dpi() {
  HDC screen = GetDC(nullptr);
  const point dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  if (dpi.x > 0 && dpi.y > 0) {
    dpi_ = dpi;
  }
  return dpi;
}

edge_rect win32_window_backend::frame_insets(std::uint32_t style, std::uint32_t extended_style) {
  RECT frame{};
  AdjustWindowRectEx(&frame, style, FALSE, extended_style);
  return {frame.left, frame.top, frame.right, frame.bottom};
}

edge_rect win32_window_backend::outer_rect() {
  RECT outer{};
  if (handle_ == nullptr || !GetWindowRect(handle_, &outer)) {
    return {};
  }
  return {outer.left, outer.top, outer.right, outer.bottom};
}

void win32_window_backend::set_outer_rect(const rect& outer) {
  if (handle_ == nullptr) {
    return;
  }
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (outer.width < 0 || outer.height < 0) {
    flags |= SWP_NOSIZE;
  }
  SetWindowPos(handle_, nullptr, outer.x, outer.y, outer.width, outer.height, flags);
  rethrow_kept_exception();
}

edge_rect win32_window_backend::work_area() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST), &info)) {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

bool win32_window_backend::is_visible() { return handle_ != nullptr && IsWindowVisible(handle_) != FALSE; }

void win32_window_backend::show() {
  if (handle_ != nullptr) {
    ShowWindow(handle_, SW_SHOW);
    rethrow_kept_exception();
  }
}

void win32_window_backend::show_inactive() {
  if (handle_ != nullptr) {
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
    rethrow_kept_exception();
  }
}

void win32_window_backend::hide() {
  if (handle_ != nullptr) {
    ShowWindow(handle_, SW_HIDE);
    rethrow_kept_exception();
  }
}

void win32_window_backend::update() {
  if (handle_ != nullptr) {
    UpdateWindow(handle_);
    rethrow_kept_exception();
  }
}

void win32_window_backend::set_enabled(bool enabled) {
  if (handle_ != nullptr) {
    EnableWindow(handle_, enabled ? TRUE : FALSE);
    rethrow_kept_exception();
  }
}

void win32_window_backend::set_focus() {
  if (handle_ != nullptr) {
    SetFocus(handle_);
    rethrow_kept_exception();
  }
}

void win32_window_backend::start_timer(std::uint32_t id, std::uint32_t milliseconds) {
  if (handle_ != nullptr) {
    SetTimer(handle_, id, milliseconds, nullptr);
  }
}

void win32_window_backend::stop_timer(std::uint32_t id) {
  if (handle_ != nullptr) {
    KillTimer(handle_, id);
  }
}

void win32_window_backend::track_mouse_leave() {
  if (handle_ == nullptr) {
    return;
  }
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = handle_;
  request.dwHoverTime = HOVER_DEFAULT;
  TrackMouseEvent(&request);
}

void win32_window_backend::capture_mouse() {
  if (handle_ != nullptr) {
    SetCapture(handle_);
  }
}

void win32_window_backend::release_mouse() {
  if (handle_ != nullptr && GetCapture() == handle_) {
    ReleaseCapture();
  }
}

RECT win32_window_backend::to_pixels(const edge_rect& area) const noexcept {
  return {scale_down(area.left, dpi_.x, 96), scale_down(area.top, dpi_.y, 96), scale_up(area.right, dpi_.x, 96),
          scale_up(area.bottom, dpi_.y, 96)};
}

void win32_window_backend::invalidate(const edge_rect& area) {
  if (handle_ != nullptr) {
    const RECT pixels = to_pixels(area);
    InvalidateRect(handle_, &pixels, FALSE);
  }
}

edge_rect win32_window_backend::update_rect() {
  RECT pixels{};
  if (handle_ == nullptr || !GetUpdateRect(handle_, &pixels, FALSE)) {
    return {};
  }
  return {scale_down(pixels.left, 96, dpi_.x), scale_down(pixels.top, 96, dpi_.y),
          scale_up(pixels.right, 96, dpi_.x), scale_up(pixels.bottom, 96, dpi_.y)};
}

void win32_window_backend::validate(const edge_rect& area) {
  if (handle_ != nullptr) {
    const RECT pixels = to_pixels(area);
    ValidateRect(handle_, &pixels);
  }
}

}  // namespace hbsdk::ui::win32

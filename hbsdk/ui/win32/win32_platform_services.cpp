#include "hbsdk/ui/win32/win32_platform_services.h"

#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/win32/d2d_render_backend.h"
#include "hbsdk/ui/win32/d2d_window_surface.h"
#include "hbsdk/ui/win32/graphics_factories.h"
#include "hbsdk/ui/win32/kept_exception.h"
#include "hbsdk/ui/win32/win32_window_backend.h"
#include "hbsdk/ui/window.h"

namespace hbsdk::ui {

std::unique_ptr<platform_services> create_native_platform_services() {
  return std::make_unique<win32::win32_platform_services>();
}

namespace win32 {
namespace {

HWND handle_of(const window& target) { return static_cast<HWND>(target.native().handle()); }

// In cursor_shape order; 4 and 7 are the same system cursor.
const wchar_t* const cursor_names[] = {
    IDC_ARROW, IDC_CROSS, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENWSE, IDC_IBEAM, IDC_HAND, IDC_SIZENWSE, IDC_SIZENESW,
};

}  // namespace

win32_platform_services::win32_platform_services() {
  HDC screen = GetDC(nullptr);
  const point dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  if (dpi.x > 0 && dpi.y > 0) {
    dpi_ = dpi;
  }
  for (std::size_t i = 0; i < cursors_.size(); ++i) {
    cursors_[i] = LoadCursorW(nullptr, cursor_names[i]);
  }
}

void win32_platform_services::request_repaint(const window& target, const edge_rect& area) {
  if (target.is_created()) {
    const_cast<window&>(target).native().backend().invalidate(area);
  }
}

point win32_platform_services::pointer_position() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

point win32_platform_services::screen_to_client(const window& target, point screen) {
  POINT p{screen.x, screen.y};
  HWND handle = handle_of(target);
  if (handle != nullptr) {
    ScreenToClient(handle, &p);
  }
  return {p.x, p.y};
}

bool win32_platform_services::is_key_down(std::int32_t virtual_key) {
  return (static_cast<unsigned short>(GetKeyState(virtual_key)) & 0x8000u) != 0;
}

point win32_platform_services::screen_size() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::unique_ptr<window_backend> win32_platform_services::create_window_backend(native_window& owner) {
  return std::make_unique<win32_window_backend>(owner);
}

std::unique_ptr<render_backend> win32_platform_services::create_render_backend(native_window& target) {
  com_ptr<ID2D1Factory> factory = create_d2d_factory();
  auto surface = std::make_unique<d2d_window_surface>(*factory.get(), static_cast<HWND>(target.handle()));
  return std::make_unique<d2d_render_backend>(std::move(factory), std::move(surface));
}

void win32_platform_services::wait_message() {
  WaitMessage();
  rethrow_kept_exception();
}

bool win32_platform_services::take_message() {
  has_message_ = PeekMessageW(&message_, nullptr, 0, 0, PM_REMOVE) != FALSE;
  if (has_message_) {
    taken_ = {message_.message, static_cast<std::uint64_t>(message_.wParam),
              static_cast<std::int64_t>(message_.lParam)};
  }
  rethrow_kept_exception();
  return has_message_;
}

void win32_platform_services::dispatch_message() {
  if (!has_message_) {
    return;
  }
  has_message_ = false;
  TranslateMessage(&message_);
  DispatchMessageW(&message_);
  rethrow_kept_exception();
}

HCURSOR win32_platform_services::cursor_of(cursor_shape shape) const noexcept {
  const auto index = static_cast<std::size_t>(shape);
  return index < cursors_.size() ? cursors_[index] : nullptr;
}

void win32_platform_services::set_cursor(cursor_shape shape) {
  HCURSOR cursor = cursor_of(shape);
  if (cursor != nullptr) {
    SetCursor(cursor);
  }
}

}  // namespace win32
}  // namespace hbsdk::ui

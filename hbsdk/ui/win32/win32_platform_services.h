#pragma once
// The Windows platform: pointer and keys from user32, the screen DPI read once
// when the services are made, the nine system cursors, Win32 windows
// (win32_window_backend.h) drawn with Direct2D (d2d_render_backend.h), and
// the thread's message queue:
//
//   wait_message      WaitMessage
//   take_message      PeekMessageW(any window, any message, PM_REMOVE)
//   dispatch_message  TranslateMessage, DispatchMessageW
//   taken_message     the code and parameters of the message taken, until
//                     it is dispatched (the modal loop records a WM_KEYDOWN
//                     during a composition before the input method turns it
//                     into VK_PROCESSKEY)
//
// Each of the three rethrows what a callback threw inside the system while
// it ran (kept_exception.h), so exceptions reach the modal loop without
// unwinding through Windows frames.

#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/window_message.h"

#include <windows.h>

#include <array>

namespace hbsdk::ui::win32 {

class win32_platform_services final : public platform_services {
public:
  win32_platform_services();

  void request_repaint(const window& target, const edge_rect& area) override;
  point pointer_position() override;
  point screen_to_client(const window& target, point screen) override;
  bool is_key_down(std::int32_t virtual_key) override;
  point screen_dpi() override { return dpi_; }
  point screen_size() override;

  std::unique_ptr<window_backend> create_window_backend(native_window& owner) override;
  std::unique_ptr<render_backend> create_render_backend(native_window& target) override;

  void wait_message() override;
  bool take_message() override;
  void dispatch_message() override;
  const window_message* taken_message() const override { return has_message_ ? &taken_ : nullptr; }

  void set_cursor(cursor_shape shape) override;
  // The system cursor each shape shows.
  HCURSOR cursor_of(cursor_shape shape) const noexcept;

private:
  point dpi_{96, 96};
  std::array<HCURSOR, 9> cursors_{};
  MSG message_{};
  window_message taken_;
  bool has_message_ = false;
};

}  // namespace hbsdk::ui::win32

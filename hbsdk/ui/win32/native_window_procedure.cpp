#include "hbsdk/ui/win32/native_window_procedure.h"

#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/win32/kept_exception.h"
#include "hbsdk/ui/win32/tracking_limits.h"
#include "hbsdk/ui/win32/win32_window_backend.h"
#include "hbsdk/ui/window.h"
#include "hbsdk/ui/window_procedure.h"

#include <imm.h>

#include <iterator>

namespace hbsdk::ui::win32 {
namespace {

// Step `step` of the repaints after a window's first frame: the whole client
// area is invalidated, and the next step is timed.
void repaint_again(HWND handle, std::size_t step) {
  KillTimer(handle, repaint_timer + step);
  InvalidateRect(handle, nullptr, FALSE);
  if (step + 1 < std::size(repaint_delays)) {
    SetTimer(handle, repaint_timer + step + 1, repaint_delays[step + 1], nullptr);
  }
}

void fill_min_max_info(native_window& target, MINMAXINFO& info) {
  const edge_rect frame = target.backend().frame_insets(target.style(), target.extended_style());
  const tracking_limits limits = tracking_limits_for(target.size_limits(), frame, target.dpi());
  info.ptMinTrackSize = {limits.minimum.x, limits.minimum.y};
  info.ptMaxTrackSize = {limits.maximum.x, limits.maximum.y};
}

// The window took the keyboard focus (the system announces the window
// itself): a screen reader is told which of its buttons has it.
void announce_focus(native_window& target) {
  window* owner = target.owner_window();
  if (owner == nullptr || owner->focused() == nullptr) {
    return;
  }
  const std::int32_t id = owner->accessible_id(*owner->focused());
  if (id != 0) {
    target.backend().accessibility_event(accessible_change::focus, id);
  }
}

LRESULT process(native_window& target, HWND handle, UINT code, WPARAM wparam, LPARAM lparam) {
  switch (code) {
    case WM_TIMER:
      if (wparam >= repaint_timer && wparam < repaint_timer + std::size(repaint_delays)) {
        repaint_again(handle, static_cast<std::size_t>(wparam - repaint_timer));
        return 0;
      }
      break;
    case WM_GETMINMAXINFO:
      fill_min_max_info(target, *reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_IME_SETCONTEXT:
      return DefWindowProcW(handle, code, wparam,
                            static_cast<LPARAM>(static_cast<ULONG_PTR>(lparam) & ~static_cast<ULONG_PTR>(ISC_SHOWUICOMPOSITIONWINDOW)));
    case WM_GETOBJECT:
      return static_cast<win32_window_backend&>(target.backend()).answer_object_query(wparam, lparam);
    case WM_NCDESTROY:
      SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
      static_cast<win32_window_backend&>(target.backend()).handle_destroyed();
      return DefWindowProcW(handle, code, wparam, lparam);
    default:
      break;
  }
  const std::optional<std::int64_t> result =
      handle_message(target, {code, static_cast<std::uint64_t>(wparam), static_cast<std::int64_t>(lparam)});
  if (code == WM_SETFOCUS) {
    announce_focus(target);
  }
  if (result) {
    return static_cast<LRESULT>(*result);
  }
  if (code == WM_SETCURSOR) {
    DefWindowProcW(handle, code, wparam, lparam);
    return 0;
  }
  return DefWindowProcW(handle, code, wparam, lparam);
}

}  // namespace

void repaint_after_first_frame(HWND handle) { SetTimer(handle, repaint_timer, repaint_delays[0], nullptr); }

LRESULT CALLBACK native_window_procedure(HWND handle, UINT code, WPARAM wparam, LPARAM lparam) {
  auto* target = reinterpret_cast<native_window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
  if (target == nullptr) {
    return DefWindowProcW(handle, code, wparam, lparam);
  }
  try {
    return process(*target, handle, code, wparam, lparam);
  } catch (...) {
    keep_exception(std::current_exception());
    return 0;
  }
}

}  // namespace hbsdk::ui::win32

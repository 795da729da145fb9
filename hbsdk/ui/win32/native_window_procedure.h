#pragma once
// The window procedure of the toolkit's window class. It finds the
// native_window in the handle's user data and hands every message to the
// portable handle_message (hbsdk/ui/window_procedure.h); the rows only
// Windows has are handled here:
//
//   WM_GETMINMAXINFO   tracking sizes from the native window's size limits
//                      (tracking_limits.h)
//   WM_IME_SETCONTEXT  default processing without ISC_SHOWUICOMPOSITIONWINDOW,
//                      so the system draws no composition window of its own
//   WM_SETCURSOR       default processing while the pointer is not tracked
//                      (the class or sizing cursor); 0 in both cases
//   WM_TIMER           the repaints after a window's first frame (below)
//   WM_NCDESTROY       the handle is forgotten by its backend
//
// Messages that come before the user data is set, and those that
// handle_message leaves alone, get DefWindowProcW. Anything thrown while a
// message is handled is kept (kept_exception.h) and the message returns 0.

#include <windows.h>

namespace hbsdk::ui::win32 {

// Wine often loses the frames a window presents right after it is shown:
// EndDraw succeeds, the window stays black and no other WM_PAINT comes. So
// after a window's first frame the whole client area is invalidated again,
// 10, 60, 210 and 610 ms later, on timers with the ids repaint_timer + 0..3
// (the toolkit's own timers count up from 1). A repaint posted at once is
// lost as often as the first frame; these steps held in every run measured.
// On Windows they cost four extra paints.
inline constexpr UINT_PTR repaint_timer = 0xFFFFFF00u;
inline constexpr UINT repaint_delays[] = {10, 50, 150, 400};

// Called by the Direct2D window surface after the first successful EndDraw.
void repaint_after_first_frame(HWND handle);

LRESULT CALLBACK native_window_procedure(HWND handle, UINT code, WPARAM wparam, LPARAM lparam);

}  // namespace hbsdk::ui::win32

#pragma once
// The input method of one toolkit window, on the Windows input-method
// manager (imm32):
//
//   associate          ImmAssociateContext: none to detach; to attach, the
//                      context the detach took away (the window's default),
//                      or the default one (ImmAssociateContextEx IACE_DEFAULT)
//                      when nothing was taken away
//   keyboard_layout    GetKeyboardLayout of this thread; is_ime: ImmIsIME
//   open/close_context ImmGetContext / ImmReleaseContext
//   strings, attributes, cursor
//                      ImmGetCompositionStringW (GCS_COMPSTR, GCS_RESULTSTR,
//                      GCS_COMPATTR, GCS_CURSORPOS)
//   complete           ImmNotifyIME NI_COMPOSITIONSTR, CPS_COMPLETE
//   place_candidates   ImmSetCandidateWindow, index 0, CFS_EXCLUDE
//   virtual_key        ImmGetVirtualKey; key_character: MapVirtualKeyW
//                      MAPVK_VK_TO_CHAR
//   caret              CreateCaret (1 x 1, no bitmap) / DestroyCaret
//
// The calls that need a context do nothing (and answer 0 or empty) outside
// open_context / close_context; uses of the context may nest. The window's handle is read from its
// backend at every call, so a destroyed window is never addressed.

#include "hbsdk/ui/input_method.h"

#include <windows.h>

#include <imm.h>

namespace hbsdk::ui::win32 {

class win32_window_backend;

class imm32_input_method final : public input_method {
public:
  explicit imm32_input_method(win32_window_backend& window) noexcept : window_(window) {}

  void associate(bool attach) override;
  std::uint32_t keyboard_layout() override;
  bool is_ime(std::uint32_t layout) override;

  bool open_context() override;
  void close_context() override;
  std::int32_t string_bytes(std::uint32_t kind) override;
  std::u16string read_string(std::uint32_t kind, std::int32_t bytes) override;
  std::vector<std::uint8_t> attributes() override;
  std::int32_t cursor_position() override;
  void complete() override;
  void place_candidates(const rect& area) override;

  std::uint64_t virtual_key() override;
  std::uint8_t key_character(std::uint64_t key) override;
  void create_caret() override;
  void destroy_caret() override;

private:
  HWND handle() const noexcept;

  win32_window_backend& window_;
  // The context the window had when it was detached, given back on attach.
  HIMC detached_ = nullptr;
  // The context between open_context and close_context, and how many uses
  // of it are open.
  HIMC context_ = nullptr;
  int opened_ = 0;
};

}  // namespace hbsdk::ui::win32

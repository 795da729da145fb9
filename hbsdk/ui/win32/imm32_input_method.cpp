#include "hbsdk/ui/win32/imm32_input_method.h"

#include "hbsdk/ui/win32/win32_window_backend.h"

#include <algorithm>

namespace hbsdk::ui::win32 {
namespace {

// A keyboard layout handle from its 32 bits: handles are sign-extended on
// 64-bit Windows (an input-method layout such as E0010411 is FFFFFFFFE0010411).
HKL layout_handle(std::uint32_t layout) noexcept {
  return reinterpret_cast<HKL>(static_cast<INT_PTR>(static_cast<std::int32_t>(layout)));
}

}  // namespace

HWND imm32_input_method::handle() const noexcept { return window_.hwnd(); }

void imm32_input_method::associate(bool attach) {
  HWND window = handle();
  if (window == nullptr) {
    return;
  }
  if (!attach) {
    HIMC previous = ImmAssociateContext(window, nullptr);
    if (previous != nullptr) {
      detached_ = previous;
    }
  } else if (detached_ != nullptr) {
    ImmAssociateContext(window, detached_);
    detached_ = nullptr;
  } else {
    ImmAssociateContextEx(window, nullptr, IACE_DEFAULT);
  }
}

std::uint32_t imm32_input_method::keyboard_layout() {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)));
}

bool imm32_input_method::is_ime(std::uint32_t layout) { return ImmIsIME(layout_handle(layout)) == TRUE; }

// Uses nest: asking the input method to complete a composition sends the
// composition messages at once, and their handlers open the context again
// while the caller still holds it. The context is got once and released
// when the outermost use ends.
bool imm32_input_method::open_context() {
  if (opened_ > 0) {
    ++opened_;
    return true;
  }
  HWND window = handle();
  context_ = window != nullptr ? ImmGetContext(window) : nullptr;
  if (context_ == nullptr) {
    return false;
  }
  opened_ = 1;
  return true;
}

void imm32_input_method::close_context() {
  if (opened_ > 0 && --opened_ == 0) {
    ImmReleaseContext(handle(), context_);
    context_ = nullptr;
  }
}

std::int32_t imm32_input_method::string_bytes(std::uint32_t kind) {
  if (context_ == nullptr) {
    return 0;
  }
  return ImmGetCompositionStringW(context_, kind, nullptr, 0);
}

std::u16string imm32_input_method::read_string(std::uint32_t kind, std::int32_t bytes) {
  if (context_ == nullptr || bytes <= 0) {
    return {};
  }
  // Zero-filled and one unit longer than the string, so it always ends in a zero.
  std::u16string buffer(static_cast<std::size_t>(bytes) / 2 + 1, u'\0');
  ImmGetCompositionStringW(context_, kind, buffer.data(), static_cast<DWORD>(bytes));
  buffer.resize(buffer.find(u'\0'));
  return buffer;
}

std::vector<std::uint8_t> imm32_input_method::attributes() {
  if (context_ == nullptr) {
    return {};
  }
  const LONG count = ImmGetCompositionStringW(context_, GCS_COMPATTR, nullptr, 0);
  if (count <= 0) {
    return {};
  }
  std::vector<std::uint8_t> result(static_cast<std::size_t>(count), 0);
  const LONG read = ImmGetCompositionStringW(context_, GCS_COMPATTR, result.data(), static_cast<DWORD>(count));
  if (read <= 0) {
    return {};
  }
  result.resize(std::min(result.size(), static_cast<std::size_t>(read)));
  return result;
}

std::int32_t imm32_input_method::cursor_position() {
  if (context_ == nullptr) {
    return 0;
  }
  return ImmGetCompositionStringW(context_, GCS_CURSORPOS, nullptr, 0);
}

void imm32_input_method::complete() {
  if (context_ != nullptr) {
    ImmNotifyIME(context_, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  }
}

void imm32_input_method::place_candidates(const rect& area) {
  if (context_ == nullptr) {
    return;
  }
  CANDIDATEFORM form{};
  form.dwIndex = 0;
  form.dwStyle = CFS_EXCLUDE;
  form.ptCurrentPos = {area.x, area.y};
  form.rcArea = {area.x, area.y, area.x + area.width, area.y + area.height};
  ImmSetCandidateWindow(context_, &form);
}

std::uint64_t imm32_input_method::virtual_key() {
  HWND window = handle();
  return window != nullptr ? ImmGetVirtualKey(window) : 0;
}

std::uint8_t imm32_input_method::key_character(std::uint64_t key) {
  return static_cast<std::uint8_t>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_CHAR) & 0xFF);
}

void imm32_input_method::create_caret() {
  HWND window = handle();
  if (window != nullptr) {
    CreateCaret(window, nullptr, 1, 1);
  }
}

void imm32_input_method::destroy_caret() { DestroyCaret(); }

}  // namespace hbsdk::ui::win32

#pragma once
// Turns the failed result of a resource creation into the toolkit's error: a
// std::runtime_error carrying one of its fixed lower-case messages.

#include <windows.h>

#include <stdexcept>

namespace hbsdk::ui::win32 {

inline void check(HRESULT result, const char* message) {
  if (FAILED(result)) {
    throw std::runtime_error(message);
  }
}

}  // namespace hbsdk::ui::win32

#include "hbsdk/ui/win32/kept_exception.h"

#include <utility>

namespace hbsdk::ui::win32 {
namespace {

thread_local std::exception_ptr kept;

}  // namespace

void keep_exception(std::exception_ptr caught) noexcept {
  if (!kept) {
    kept = std::move(caught);
  }
}

void rethrow_kept_exception() {
  if (kept) {
    std::rethrow_exception(std::exchange(kept, nullptr));
  }
}

}  // namespace hbsdk::ui::win32

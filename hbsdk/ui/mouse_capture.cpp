#include "hbsdk/ui/mouse_capture.h"

namespace hbsdk::ui {
namespace {

widget* captured = nullptr;

}  // namespace

widget* mouse_capture() noexcept { return captured; }

void set_mouse_capture(widget* target) noexcept { captured = target; }

}  // namespace hbsdk::ui

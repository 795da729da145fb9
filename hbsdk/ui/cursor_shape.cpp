#include "hbsdk/ui/cursor_shape.h"

#include "hbsdk/ui/platform_services.h"

namespace hbsdk::ui {

void set_cursor(cursor_shape shape) {
  const auto index = static_cast<std::int32_t>(shape);
  if (index < 0 || index >= cursor_shape_count) {
    return;
  }
  platform().set_cursor(shape);
}

}  // namespace hbsdk::ui

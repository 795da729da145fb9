#pragma once
// The two small records a widget carries for its placement and look in its
// parent: the anchors that keep it at fixed distances from the parent's edges,
// and the drop shadow the parent draws under it.

#include <cstdint>

namespace hbsdk::ui {

struct anchor {
  bool set = false;
  std::int32_t margin = 0;
};

struct widget_anchors {
  anchor top;
  anchor bottom;
  anchor left;
  anchor right;
};

struct widget_shadow {
  bool on = false;
  std::int32_t offset_x = 0;
  std::int32_t offset_y = 0;
  std::int32_t size = 20;
};

}  // namespace hbsdk::ui

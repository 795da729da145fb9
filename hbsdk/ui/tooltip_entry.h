#pragma once
// One tooltip area of a widget: a rectangle in the widget's dips, with the
// title and the text shown when the pointer rests there.

#include "hbsdk/ui/geometry.h"

#include <string>

namespace hbsdk::ui {

struct tooltip_entry {
  rect area;
  std::string title;
  std::string text;
};

}  // namespace hbsdk::ui

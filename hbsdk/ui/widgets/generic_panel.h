#pragma once
// The plain container widget: it fills its rectangle with the style's
// "default_back_color" (read at every paint) and otherwise only holds
// children. Owners use it as a page, a group, or the content a ScrollBar
// scrolls.

#include "hbsdk/ui/widget.h"

namespace hbsdk::ui {

class GenericPanel : public widget {
public:
  GenericPanel();
  ~GenericPanel() override;

protected:
  // Fills the panel; a panel without area (a width or height of 0 or less)
  // draws nothing.
  virtual void paint();
};

}  // namespace hbsdk::ui

#pragma once
// A part of a window whose text the window draws itself (the message of a
// pop-up): it paints nothing and takes no input of its own, and shows a
// screen reader its text as static text. The owner keeps the text and the
// bounds in step with what it draws.

#include "hbsdk/ui/widget.h"

#include <string>
#include <string_view>

namespace hbsdk::ui {

class TextRegion : public widget {
public:
  // A new text is announced as a name change.
  void set_text(std::string_view text);
  const std::string& text() const noexcept { return text_; }

protected:
  void describe_self(accessible_description& into) const override;

private:
  std::string text_;
};

}  // namespace hbsdk::ui

#include "hbsdk/ui/widgets/text_region.h"

namespace hbsdk::ui {

void TextRegion::set_text(std::string_view text) {
  if (text_ == text) {
    return;
  }
  text_ = text;
  notify_accessible(accessible_change::name);
}

void TextRegion::describe_self(accessible_description& into) const {
  into.role = accessible_role::static_text;
  into.name = text_;
}

}  // namespace hbsdk::ui

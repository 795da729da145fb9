#include "hbsdk/ui/text_input_context.h"

namespace hbsdk::ui {

text_input_context::text_input_context(native_window& target) : target_(target) {}

}  // namespace hbsdk::ui

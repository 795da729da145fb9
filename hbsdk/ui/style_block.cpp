#include "hbsdk/ui/style_block.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/style_defaults.h"
#include "hbsdk/ui/theme_overrides.h"

namespace hbsdk::ui {

void style_block::set_style_color(style_key key, const color& value) {
  own_.insert_or_assign(key, style_value::from_color(value));
  notify(key);
}

void style_block::set_style_alias(style_key key, style_key target) {
  aliases_.insert_or_assign(key, target);
  notify(key);
}

style_value style_block::lookup(style_key key) const {
  // One redirection: the target is not looked up among the aliases again.
  if (const auto alias = aliases_.find(key); alias != aliases_.end()) {
    key = alias->second;
  }
  for (const style_table* table : {&own_, &theme_overrides(), &style_defaults()}) {
    if (const auto found = table->find(key); found != table->end()) {
      return found->second;
    }
  }
  return {};
}

void style_block::notify(style_key key) {
  if (owner_ != nullptr) {
    fire(owner_, event_type::style_changed, pointer_value(key.c_str()));
  }
}

}  // namespace hbsdk::ui

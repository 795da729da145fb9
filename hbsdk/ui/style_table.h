#pragma once
// The hash tables of the style system: keys to values (the defaults, the
// theme overrides, a widget's own entries) and keys to keys (a widget's
// aliases). Keys are views, so filling or searching a table never copies
// or allocates key text.

#include "hbsdk/ui/style_key.h"
#include "hbsdk/ui/style_value.h"

#include <unordered_map>

namespace hbsdk::ui {

using style_table = std::unordered_map<style_key, style_value, style_key_hasher>;
using style_alias_table = std::unordered_map<style_key, style_key, style_key_hasher>;

}  // namespace hbsdk::ui

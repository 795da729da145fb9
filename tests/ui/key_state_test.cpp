#include "hbsdk/ui/key_state.h"

#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/virtual_key.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace ui = hbsdk::ui;
namespace vk = hbsdk::ui::virtual_key;
using ui::key_selector;

TEST(key_state, each_selector_reads_its_key) {
  struct key_case {
    key_selector selector;
    std::initializer_list<std::int32_t> down;
    bool expected;
  };
  const key_case cases[] = {
      {key_selector::control, {vk::control}, true},
      {key_selector::control, {vk::control, vk::right_alt}, false},  // AltGr is not Control
      {key_selector::control, {}, false},
      {key_selector::left_control, {vk::left_control}, true},
      {key_selector::left_control, {vk::right_control}, false},
      {key_selector::right_control, {vk::right_control}, true},
      {key_selector::shift, {vk::shift}, true},
      {key_selector::left_shift, {vk::left_shift}, true},
      {key_selector::right_shift, {vk::right_shift}, true},
      {key_selector::right_shift, {vk::left_shift}, false},
      {key_selector::alt, {vk::alt}, true},
      {key_selector::left_alt, {vk::left_alt}, true},
      {key_selector::right_alt, {vk::right_alt}, true},
      {key_selector::space, {vk::space}, true},
      {static_cast<key_selector>(10), {vk::control, vk::shift, vk::space}, false},
  };
  for (const key_case& c : cases) {
    SCOPED_TRACE("selector " + std::to_string(static_cast<int>(c.selector)));
    ui::test_support::test_platform platform;
    for (const std::int32_t key : c.down) platform.set_key(key, true);
    EXPECT_EQ(ui::key_state(c.selector), c.expected);
  }
}

TEST(key_state, a_test_platform_replaces_the_services_only_while_it_lives) {
  EXPECT_FALSE(ui::key_state(key_selector::shift));  // the null services: every key up
  ui::test_support::test_platform platform;
  platform.set_key(vk::shift, true);
  {
    ui::test_support::test_platform inner;  // a nested one replaces it while it lives
    EXPECT_FALSE(ui::key_state(key_selector::shift));
  }
  EXPECT_TRUE(ui::key_state(key_selector::shift));
}

#include "hbsdk/ui/event_registry.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;
using ui::event_type;

namespace {

struct listener : ui::event_object {
  std::vector<std::string> calls;
  void with_info(const ui::event_info& info) { calls.push_back("info " + std::to_string(info.value)); }
  void without_info() { calls.push_back("plain"); }
  void with_flag(bool flag) { calls.push_back(flag ? "true" : "false"); }
};

}  // namespace

TEST(event_registry, fire_without_a_list_calls_nothing_and_reports_false) {
  listener object;
  EXPECT_FALSE(ui::has_handler(&object, event_type::paint));
  EXPECT_FALSE(ui::fire(&object, event_type::paint, 7));
  ui::connect(&object, event_type::paint, [](const ui::event_info&) {});
  EXPECT_TRUE(ui::has_handler(&object, event_type::paint));
  EXPECT_FALSE(ui::has_handler(&object, event_type::timer));  // lists are per code
  EXPECT_TRUE(ui::fire(&object, event_type::paint));
}

TEST(event_registry, callbacks_run_in_connection_order_with_the_event_info) {
  listener object;
  std::vector<ui::event_info> seen;
  for (int i = 0; i < 3; ++i) {
    ui::connect(&object, event_type::timer, [&seen, i](const ui::event_info& info) {
      seen.push_back({info.sender, info.type, info.value * 10 + static_cast<std::uint64_t>(i)});
    });
  }
  EXPECT_TRUE(ui::fire(&object, event_type::timer, 4));
  ASSERT_EQ(seen.size(), 3u);
  for (std::uint64_t i = 0; i < 3; ++i) {
    EXPECT_EQ(seen[i].sender, &object);
    EXPECT_EQ(seen[i].type, event_type::timer);
    EXPECT_EQ(seen[i].value, 40 + i);
  }
}

TEST(event_registry, a_callback_connected_during_fire_runs_from_the_next_fire_on) {
  listener object;
  int added_runs = 0;
  ui::connect(&object, event_type::clicked, [&](const ui::event_info&) {
    ui::connect(&object, event_type::clicked, [&](const ui::event_info&) { ++added_runs; });
  });
  ui::fire(&object, event_type::clicked);
  EXPECT_EQ(added_runs, 0);
  ui::fire(&object, event_type::clicked);
  EXPECT_EQ(added_runs, 1);
}

TEST(event_registry, disconnecting_during_fire_does_not_stop_the_current_call) {
  listener object;
  int later = 0;
  ui::connect(&object, event_type::timer,
              [&](const ui::event_info&) { ui::disconnect_all(&object, event_type::timer); });
  ui::connect(&object, event_type::timer, [&](const ui::event_info&) { ++later; });
  EXPECT_TRUE(ui::fire(&object, event_type::timer));
  EXPECT_EQ(later, 1);
  EXPECT_FALSE(ui::has_handler(&object, event_type::timer));
  EXPECT_FALSE(ui::fire(&object, event_type::timer));
}

TEST(event_registry, an_empty_callback_raises_bad_function_call_and_stops_the_call) {
  listener object;
  std::vector<int> ran;
  ui::connect(&object, event_type::paint, [&](const ui::event_info&) { ran.push_back(1); });
  ui::connect(&object, event_type::paint, ui::event_callback{});
  ui::connect(&object, event_type::paint, [&](const ui::event_info&) { ran.push_back(3); });
  EXPECT_THROW(ui::fire(&object, event_type::paint), std::bad_function_call);
  EXPECT_EQ(ran, std::vector<int>{1});

  // A null member function becomes an empty callback too, not a call through null.
  listener other;
  ui::connect(&other, event_type::paint, &other, static_cast<void (listener::*)()>(nullptr));
  EXPECT_THROW(ui::fire(&other, event_type::paint), std::bad_function_call);
}

TEST(event_registry, connects_the_three_member_shapes) {
  listener object;
  ui::connect(&object, event_type::key_down, &object, &listener::with_info);
  ui::connect(&object, event_type::key_down, &object, &listener::without_info);
  ui::connect(&object, event_type::key_down, &object, &listener::with_flag, true);
  ui::connect(&object, event_type::key_down, &object, &listener::with_flag, false);
  ui::fire(&object, event_type::key_down, 13);
  EXPECT_EQ(object.calls, (std::vector<std::string>{"info 13", "plain", "true", "false"}));
}

TEST(event_registry, destroying_an_object_drops_all_its_lists) {
  const std::size_t before = ui::event_registry::instance().object_count();
  auto object = std::make_unique<listener>();
  ui::connect(object.get(), event_type::paint, [](const ui::event_info&) {});
  ui::connect(object.get(), event_type::timer, [](const ui::event_info&) {});
  EXPECT_EQ(ui::event_registry::instance().object_count(), before + 1);
  object.reset();
  EXPECT_EQ(ui::event_registry::instance().object_count(), before);
}

TEST(event_value, packs_pairs_pointers_and_wheel_deltas) {
  const std::uint64_t packed = ui::pack_pair(-5, 70000);
  EXPECT_EQ(ui::low_half(packed), -5);
  EXPECT_EQ(ui::high_half(packed), 70000);
  EXPECT_EQ(ui::pack_pair(1, 2), 0x0000000200000001u);  // the first number in the low half

  int target = 0;
  EXPECT_EQ(ui::value_pointer<int>(ui::pointer_value(&target)), &target);

  EXPECT_EQ(ui::value_double(ui::wheel_value(120)), 60.0);
  EXPECT_EQ(ui::value_double(ui::wheel_value(-120)), -60.0);
}

TEST(event_registry, a_callback_that_destroys_the_object_stops_the_rest_of_the_call) {
  auto object = std::make_unique<listener>();
  std::vector<std::string> calls;
  ui::connect(object.get(), event_type::paint, [&](const ui::event_info&) {
    calls.push_back("first");
    object.reset();
  });
  ui::connect(object.get(), event_type::paint, object.get(), &listener::without_info);
  listener* raw = object.get();
  EXPECT_TRUE(ui::fire(raw, event_type::paint));
  EXPECT_EQ(calls, std::vector<std::string>{"first"});  // the second callback's object is gone
  EXPECT_EQ(object, nullptr);
}

TEST(event_registry, disconnect_removes_only_its_own_callback) {
  listener object;
  std::vector<std::string> calls;
  ui::connect(&object, event_type::mouse_wheel, [&](const ui::event_info&) { calls.push_back("owner"); });
  const ui::connection mine =
      ui::connect(&object, event_type::mouse_wheel, [&](const ui::event_info&) { calls.push_back("mine"); });
  ui::connect(&object, event_type::mouse_wheel, [&](const ui::event_info&) { calls.push_back("later"); });
  EXPECT_TRUE(ui::disconnect(mine));
  EXPECT_FALSE(ui::disconnect(mine));  // once only
  ui::fire(&object, event_type::mouse_wheel);
  EXPECT_EQ(calls, (std::vector<std::string>{"owner", "later"}));
}

TEST(event_registry, disconnecting_the_last_callback_leaves_the_pair_without_a_list) {
  listener object;
  const ui::connection link = ui::connect(&object, event_type::mouse_wheel, &object, &listener::without_info);
  ASSERT_TRUE(ui::has_handler(&object, event_type::mouse_wheel));
  EXPECT_TRUE(ui::disconnect(link));
  EXPECT_FALSE(ui::has_handler(&object, event_type::mouse_wheel));  // so the wheel bubbles past it
  EXPECT_FALSE(ui::fire(&object, event_type::mouse_wheel));
}

TEST(event_registry, a_connection_outliving_its_list_or_its_object_disconnects_nothing) {
  auto first = std::make_unique<listener>();
  const ui::connection stale = ui::connect(first.get(), event_type::paint, [](const ui::event_info&) {});
  ui::disconnect_all(first.get(), event_type::paint);
  EXPECT_FALSE(ui::disconnect(stale));

  // A new callback on the same pair (or a new object at the same address) has another id.
  int runs = 0;
  ui::connect(first.get(), event_type::paint, [&](const ui::event_info&) { ++runs; });
  EXPECT_FALSE(ui::disconnect(stale));
  EXPECT_FALSE(ui::disconnect(ui::connection{}));
  ui::fire(first.get(), event_type::paint);
  EXPECT_EQ(runs, 1);
  first.reset();
  EXPECT_FALSE(ui::disconnect(stale));
}

TEST(event_registry, disconnecting_during_fire_leaves_the_current_call_whole) {
  listener object;
  int later = 0;
  ui::connection second;
  ui::connect(&object, event_type::timer, [&](const ui::event_info&) { ui::disconnect(second); });
  second = ui::connect(&object, event_type::timer, [&](const ui::event_info&) { ++later; });
  ui::fire(&object, event_type::timer);
  ui::fire(&object, event_type::timer);
  EXPECT_EQ(later, 1);
}

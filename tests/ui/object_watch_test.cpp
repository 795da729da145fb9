// Watches that follow an event object across calls that may destroy it.
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/object_watch.h"
#include "hbsdk/ui/widget.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ui = hbsdk::ui;

TEST(object_watch, empties_when_its_object_dies_and_calls_back_once) {
  auto doomed = std::make_unique<ui::widget>();
  ui::widget survivor;
  int gone = 0;
  ui::object_watch watch(doomed.get(), [&] { ++gone; });
  ui::object_watch other(&survivor, [&] { ADD_FAILURE() << "called for a living object"; });
  const ui::object_watch plain(doomed.get());
  ASSERT_TRUE(watch.alive());
  doomed.reset();
  EXPECT_FALSE(watch.alive());
  EXPECT_FALSE(plain);
  EXPECT_EQ(watch.get(), nullptr);
  EXPECT_EQ(gone, 1);
  EXPECT_TRUE(other.alive());

  // reset follows another object; the callback stays.
  auto next = std::make_unique<ui::widget>();
  watch.reset(next.get());
  next.reset();
  EXPECT_EQ(gone, 2);
  other.reset(nullptr);  // watches nothing: the survivor's end calls nothing
}

TEST(object_watch, a_callback_that_destroys_another_watch_does_not_reach_it) {
  auto doomed = std::make_unique<ui::widget>();
  std::vector<int> called;
  std::unique_ptr<ui::object_watch> second;
  const ui::object_watch first(doomed.get(), [&] {
    called.push_back(1);
    EXPECT_FALSE(second->alive());  // every watch is emptied before any callback runs
    second.reset();
  });
  second = std::make_unique<ui::object_watch>(doomed.get(), [&] { called.push_back(2); });
  doomed.reset();
  EXPECT_EQ(called, std::vector<int>{1});
}

TEST(object_watch, a_callback_that_destroys_its_object_stops_the_rest_of_the_call) {
  auto doomed = std::make_unique<ui::widget>();
  int later = 0;
  ui::connect(doomed.get(), ui::event_type::timer, [&](const ui::event_info&) { doomed.reset(); });
  ui::connect(doomed.get(), ui::event_type::timer, [&](const ui::event_info&) { ++later; });
  EXPECT_TRUE(ui::fire(doomed.get(), ui::event_type::timer));
  EXPECT_EQ(later, 0);
}

// The side of a picture decoded at 1/scale: truncated, and 0 wherever the
// float would not make a sound pixel count.
#include "hbsdk/ui/image_decoder.h"

#include <gtest/gtest.h>

#include <limits>

namespace ui = hbsdk::ui;

TEST(picture_side, sides_truncate_and_sizes_without_a_sound_pixel_count_are_0) {
  EXPECT_EQ(ui::scaled_side(40, 2.0f), 20);
  EXPECT_EQ(ui::scaled_side(41, 2.0f), 20);  // 20.5 truncated
  EXPECT_EQ(ui::scaled_side(40, 1.5f), 26);
  EXPECT_EQ(ui::scaled_side(40, 40.0f), 1);
  EXPECT_EQ(ui::scaled_side(40, 41.0f), 0);  // under one pixel
  EXPECT_EQ(ui::scaled_side(0, 1.0f), 0);
  EXPECT_EQ(ui::scaled_side(32767, 1.0f), 32767);
  EXPECT_EQ(ui::scaled_side(32768, 1.0f), 0);  // past the largest side
  EXPECT_EQ(ui::scaled_side(40, 1e-30f), 0);   // far past any int
  EXPECT_EQ(ui::scaled_side(40, 1e30f), 0);
  EXPECT_EQ(ui::scaled_side(40, std::numeric_limits<float>::denorm_min()), 0);  // 1/scale is infinite
  EXPECT_EQ(ui::scaled_side(40, std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(ui::scaled_side(40, -1.0f), 0);
}

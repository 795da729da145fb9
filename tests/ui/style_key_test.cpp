#include "hbsdk/ui/style_key.h"
#include "hbsdk/ui/style_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace ui = hbsdk::ui;

TEST(style_key, hashes_with_djb2_over_signed_bytes) {
  EXPECT_EQ(ui::style_key_hash("abc"), 193485963u);
  EXPECT_EQ(ui::style_key_hash(""), 5381u);
  // A byte of 0x80 or above is added as a negative number: 0xE9 adds -23.
  EXPECT_EQ(ui::style_key_hash("\xE9"), 5381u * 33u - 23u);
  EXPECT_EQ(ui::style_key_hash("a\x80"), (5381u * 33u + 97u) * 33u - 128u);
  static_assert(ui::style_key_hash("abc") == 193485963u);
}

TEST(style_key, compares_bytes_case_sensitively_and_views_the_original_text) {
  static const char text[] = "button_color_hover";
  const ui::style_key key(text);
  EXPECT_EQ(key.c_str(), text);  // no copy
  EXPECT_EQ(key, ui::style_key("button_color_hover"));
  EXPECT_FALSE(key == ui::style_key("Button_color_hover"));
  EXPECT_FALSE(key == ui::style_key("button_color"));
  EXPECT_EQ(ui::style_key(nullptr), ui::style_key(""));
  EXPECT_STREQ(ui::style_key(nullptr).c_str(), "");
}

TEST(style_value, stores_each_kind_little_endian_and_reads_it_back) {
  const auto bytes = [](const ui::style_value& v) { return v.bytes(); };
  EXPECT_EQ(bytes(ui::style_value::from_int(0x01020304)), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes(ui::style_value::from_float(1.0f)), std::string("\x00\x00\x80\x3F", 4));
  EXPECT_EQ(bytes(ui::style_value::from_flag(true)), std::string("\x01", 1));
  EXPECT_EQ(ui::style_value::from_int(-7).as_int(), -7);
  EXPECT_EQ(ui::style_value::from_float(11.5f).as_float(), 11.5f);
  EXPECT_TRUE(ui::style_value::from_flag(true).as_flag());
  EXPECT_EQ(ui::style_value::from_string("tahoma").as_string(), "tahoma");
  const ui::color c{0.25f, 0.5f, 0.75f, 1.0f};
  EXPECT_EQ(ui::style_value::from_color(c).as_color(), c);
  EXPECT_TRUE(ui::style_value::from_color(c).bytes().empty());

  static const unsigned char png[3] = {1, 2, 3};
  const ui::style_value image = ui::style_value::from_image(png, sizeof png, 4, 2.0f);
  ASSERT_EQ(image.bytes().size(), 24u);
  EXPECT_EQ(image.bytes().substr(8, 8), std::string("\x03\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(image.bytes().substr(16, 8), std::string("\x04\0\0\0\x00\x00\x00\x40", 8));
  const ui::style_image decoded = image.as_image();
  EXPECT_EQ(decoded.data, png);
  EXPECT_EQ(decoded.size, 3u);
  EXPECT_EQ(decoded.frame_count, 4);
  EXPECT_EQ(decoded.scale, 2.0f);
}

TEST(style_value, too_few_bytes_read_as_zero_false_or_no_picture) {
  const ui::style_value short_value = ui::style_value::from_string("abc");
  EXPECT_EQ(short_value.as_int(), 0);
  EXPECT_EQ(short_value.as_float(), 0.0f);
  EXPECT_EQ(short_value.as_image().size, 0u);
  EXPECT_EQ(short_value.as_image().data, nullptr);
  const ui::style_value empty;
  EXPECT_FALSE(empty.as_flag());
  EXPECT_EQ(empty.as_color(), (ui::color{0, 0, 0, 0}));
  EXPECT_EQ(empty.as_string(), "");
  // A byte count without an address is no picture.
  EXPECT_EQ(ui::style_value::from_image(nullptr, 100, 1, 1.0f).as_image().size, 0u);
}

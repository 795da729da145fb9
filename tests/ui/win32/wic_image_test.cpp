// Pictures decoded by the Windows Imaging Component and drawn through
// Direct2D device bitmaps: scaling, premultiplication, bad bytes, and one
// device bitmap per renderer.
#include "ui/win32/d2d_canvas.h"
#include "ui/win32/png_bytes.h"

#include "hbsdk/ui/image.h"
#include "resources/embedded.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace hb_test;

namespace {

// 40 x 40: red, green, blue and black quadrants (clockwise from the top left
// they are red, green, black, blue).
std::vector<unsigned char> quadrants_png() {
  return make_png(40, 40, [](std::uint32_t x, std::uint32_t y) -> std::uint32_t {
    if (y < 20) return x < 20 ? 0xFF0000FFu : 0x00FF00FFu;
    return x < 20 ? 0x0000FFFFu : 0x000000FFu;
  });
}

bool load(ui::image& picture, const std::vector<unsigned char>& bytes, float scale) {
  return picture.load_from_memory(bytes.data(), bytes.size(), scale);
}

}  // namespace

TEST(wic_image, scale_2_halves_a_40_pixel_picture_and_draws_it_at_20_dips) {
  const std::vector<unsigned char> png = quadrants_png();
  ui::image picture;
  ASSERT_TRUE(load(picture, png, 2.0f));
  EXPECT_EQ(picture.width(), 20);
  EXPECT_EQ(picture.height(), 20);

  d2d_canvas canvas(40, 40);
  canvas.paint([&](ui::renderer& r) { r.draw_image({5, 5}, picture); });
  EXPECT_EQ(canvas.drawn_box({0, 0, 40, 40}), (ui::edge_rect{5, 5, 25, 25}));
  EXPECT_EQ(canvas.at(5, 5), red);
  EXPECT_EQ(canvas.at(24, 5), green);
  EXPECT_EQ(canvas.at(5, 24), blue);
  EXPECT_EQ(canvas.at(24, 24), black);
  EXPECT_EQ(canvas.at(14, 14), red);
  EXPECT_EQ(canvas.at(15, 15), black);
}

TEST(wic_image, a_part_of_a_picture_is_drawn_unscaled_at_the_point) {
  const std::vector<unsigned char> png = quadrants_png();
  ui::image picture;
  ASSERT_TRUE(load(picture, png, 1.0f));
  d2d_canvas canvas(30, 30);
  canvas.paint([&](ui::renderer& r) { r.draw_image_part({3, 4}, picture, {20, 0, 20, 20}); });
  EXPECT_EQ(canvas.drawn_box({0, 0, 30, 30}), (ui::edge_rect{3, 4, 23, 24}));
  EXPECT_EQ(canvas.at(3, 4), green);
  EXPECT_EQ(canvas.at(22, 23), green);
}

TEST(wic_image, decoded_colour_is_premultiplied) {
  const std::vector<unsigned char> png =
      make_png(2, 1, [](std::uint32_t x, std::uint32_t) { return x == 0 ? 0xFF000080u : 0x00FF0000u; });
  ui::image picture;
  ASSERT_TRUE(load(picture, png, 1.0f));
  EXPECT_EQ(picture.decoded()->pixel(0, 0), 0x80800000u);
  EXPECT_EQ(picture.decoded()->pixel(1, 0), 0x00000000u);
}

TEST(wic_image, the_embedded_pictures_decode_at_their_sizes) {
  namespace res = hb::resources;
  struct picture_case {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
    std::int32_t width, height;
  };
  const picture_case cases[] = {
      {"checkbox", res::checkbox_png, res::checkbox_png_size, 14, 28},
      {"triangle_down", res::triangle_down_png, res::triangle_down_png_size, 8, 8},
      {"triangle_right", res::triangle_right_png, res::triangle_right_png_size, 8, 8},
      {"scroll_arrows", res::scroll_arrows_png, res::scroll_arrows_png_size, 8, 8},
      {"browser_folder", res::browser_folder_png, res::browser_folder_png_size, 20, 20},
      {"browser_pack", res::browser_pack_png, res::browser_pack_png_size, 20, 20},
      {"browser_virtual", res::browser_virtual_png, res::browser_virtual_png_size, 20, 20},
  };
  for (const picture_case& c : cases) {
    SCOPED_TRACE(c.name);
    ui::image picture;
    ASSERT_TRUE(picture.load_from_memory(c.bytes, c.size, 1.0f));
    EXPECT_EQ(picture.width(), c.width);
    EXPECT_EQ(picture.height(), c.height);
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width; ++x) {
        const std::uint32_t pixel = picture.decoded()->pixel(x, y);
        const std::uint32_t alpha = pixel >> 24;
        EXPECT_LE((pixel >> 16) & 0xFF, alpha);
        EXPECT_LE((pixel >> 8) & 0xFF, alpha);
        EXPECT_LE(pixel & 0xFF, alpha);
      }
    }
  }
  // The check box strip has no alpha channel: every pixel is opaque.
  ui::image strip;
  ASSERT_TRUE(strip.load_from_memory(res::checkbox_png, res::checkbox_png_size, 1.0f));
  EXPECT_EQ(strip.decoded()->pixel(7, 20) >> 24, 0xFFu);
}

TEST(wic_image, bytes_that_are_no_picture_leave_the_image_unloaded) {
  const std::vector<unsigned char> good = quadrants_png();
  std::vector<unsigned char> truncated(good.begin(), good.begin() + 30);
  std::vector<unsigned char> cut_in_half(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
  std::vector<unsigned char> garbage(200, 0x5A);
  std::vector<unsigned char> bad_body = good;
  for (std::size_t i = 45; i < 70 && i < bad_body.size(); ++i) {
    bad_body[i] ^= 0xA5;  // inside the compressed data
  }
  struct bad_case {
    const char* name;
    const std::vector<unsigned char>* bytes;
  };
  for (const bad_case& c : {bad_case{"truncated", &truncated}, bad_case{"cut in half", &cut_in_half},
                            bad_case{"garbage", &garbage}, bad_case{"damaged image data", &bad_body}}) {
    SCOPED_TRACE(c.name);
    ui::image picture;
    ASSERT_TRUE(load(picture, good, 1.0f));
    bool loaded = true;
    EXPECT_NO_THROW(loaded = load(picture, *c.bytes, 1.0f));  // one outcome: false, never an exception
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(picture.loaded());
    EXPECT_EQ(picture.width(), 0);
  }
}

TEST(wic_image, a_scale_that_leaves_no_pixel_or_too_many_fails_the_load) {
  const std::vector<unsigned char> png = quadrants_png();
  const std::vector<unsigned char> strip = make_png(40, 1, [](std::uint32_t, std::uint32_t) { return 0xFF0000FFu; });
  struct scale_case {
    const char* name;
    const std::vector<unsigned char>* bytes;
    float scale;
  };
  for (const scale_case& c : {scale_case{"under a pixel", &png, 41.0f}, scale_case{"far under", &png, 1e30f},
                              scale_case{"one side under", &strip, 2.0f}, scale_case{"past the limit", &png, 1e-3f},
                              scale_case{"past any int", &png, 1e-30f}}) {
    SCOPED_TRACE(c.name);
    ui::image picture;
    ASSERT_TRUE(load(picture, png, 1.0f));
    bool loaded = true;
    EXPECT_NO_THROW(loaded = load(picture, *c.bytes, c.scale));
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(picture.loaded());
    EXPECT_EQ(picture.width(), 0);
  }
  ui::image one_pixel;
  ASSERT_TRUE(load(one_pixel, png, 40.0f));
  EXPECT_EQ(one_pixel.width(), 1);
  EXPECT_EQ(one_pixel.height(), 1);
}

TEST(wic_image, each_renderer_gets_its_own_device_bitmap_and_keeps_it_when_another_goes) {
  const std::vector<unsigned char> png = quadrants_png();
  ui::image picture;
  ASSERT_TRUE(load(picture, png, 2.0f));
  d2d_canvas first(30, 30);
  {
    d2d_canvas second(30, 30);
    first.paint([&](ui::renderer& r) { r.draw_image({0, 0}, picture); });
    second.paint([&](ui::renderer& r) { r.draw_image({0, 0}, picture); });
    EXPECT_EQ(picture.device_bitmap_count(), 2u);
    EXPECT_EQ(second.at(19, 19), black);
  }
  EXPECT_EQ(picture.device_bitmap_count(), 1u);
  first.paint([&](ui::renderer& r) { r.draw_image({10, 10}, picture); });
  EXPECT_EQ(picture.device_bitmap_count(), 1u);
  EXPECT_EQ(first.at(10, 10), red);
  EXPECT_EQ(first.at(29, 29), black);
}

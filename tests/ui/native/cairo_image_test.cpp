// PNG decoding with cairo and pictures drawn by the cairo backend.
#include "cairo_canvas.h"

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/image.h"
#include "resources/embedded.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using bytes = std::vector<unsigned char>;

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<bytes*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// A PNG of the size: the left half opaque red, the right half opaque blue,
// the bottom-right pixel fully transparent.
bytes two_colour_png(int width, int height) {
  ui::cairo_handles::surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  ui::cairo_handles::context context(cairo_create(surface.get()));
  cairo_set_source_rgb(context.get(), 1, 0, 0);
  cairo_rectangle(context.get(), 0, 0, width / 2, height);
  cairo_fill(context.get());
  cairo_set_source_rgb(context.get(), 0, 0, 1);
  cairo_rectangle(context.get(), width / 2, 0, width - width / 2, height);
  cairo_fill(context.get());
  cairo_set_operator(context.get(), CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(context.get(), width - 1, height - 1, 1, 1);
  cairo_fill(context.get());
  bytes png;
  cairo_surface_write_to_png_stream(surface.get(), append, &png);
  return png;
}

TEST(cairo_decoding, the_embedded_pictures_decode_at_their_sizes) {
  struct picture {
    const char* name;
    const unsigned char* data;
    std::size_t size;
    int width, height;
  };
  namespace res = hb::resources;
  const picture pictures[] = {
      {"checkbox", res::checkbox_png, res::checkbox_png_size, 14, 28},
      {"triangle_down", res::triangle_down_png, res::triangle_down_png_size, 8, 8},
      {"triangle_right", res::triangle_right_png, res::triangle_right_png_size, 8, 8},
      {"scroll_arrows", res::scroll_arrows_png, res::scroll_arrows_png_size, 8, 8},
      {"browser_folder", res::browser_folder_png, res::browser_folder_png_size, 20, 20},
      {"browser_pack", res::browser_pack_png, res::browser_pack_png_size, 20, 20},
      {"browser_virtual", res::browser_virtual_png, res::browser_virtual_png_size, 20, 20},
  };
  for (const picture& p : pictures) {
    SCOPED_TRACE(p.name);
    ui::image decoded;
    ASSERT_TRUE(decoded.load_from_memory(p.data, p.size, 1.0f));
    EXPECT_EQ(decoded.width(), p.width);
    EXPECT_EQ(decoded.height(), p.height);
    // Premultiplied: no colour channel exceeds the pixel's alpha.
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const std::uint32_t argb = decoded.decoded()->pixel(x, y);
        const std::uint32_t alpha = argb >> 24;
        ASSERT_LE((argb >> 16) & 0xFF, alpha);
        ASSERT_LE((argb >> 8) & 0xFF, alpha);
        ASSERT_LE(argb & 0xFF, alpha);
      }
    }
  }
}

TEST(cairo_decoding, bytes_that_are_no_picture_leave_the_image_unloaded) {
  const bytes good = two_colour_png(8, 8);
  bytes bad_crc = good;
  bad_crc[good.size() / 2] ^= 0x5A;  // inside the image data: its checksum fails
  const bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
  bytes not_png = good;
  not_png[1] = 'Q';
  const std::string text = "definitely not a picture";
  const struct {
    const char* label;
    const unsigned char* data;
    std::size_t size;
  } cases[] = {
      {"damaged data", bad_crc.data(), bad_crc.size()},
      {"cut in half", cut.data(), cut.size()},
      {"wrong signature", not_png.data(), not_png.size()},
      {"text", reinterpret_cast<const unsigned char*>(text.data()), text.size()},
      {"one byte", good.data(), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ui::image picture;
    ASSERT_TRUE(picture.load_from_memory(good.data(), good.size(), 1.0f));
    EXPECT_FALSE(picture.load_from_memory(c.data, c.size, 1.0f));
    EXPECT_FALSE(picture.loaded());
    EXPECT_EQ(picture.width(), 0);
  }
}

TEST(cairo_decoding, a_scale_that_leaves_no_pixel_or_too_many_fails_the_load) {
  const bytes square = two_colour_png(40, 40);
  const bytes strip = two_colour_png(40, 1);
  const struct {
    const char* label;
    const bytes* png;
    float scale;
  } cases[] = {
      {"under a pixel", &square, 41.0f},  {"far under", &square, 1e30f},     {"one side under", &strip, 2.0f},
      {"past the limit", &square, 1e-3f}, {"past any int", &square, 1e-30f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ui::image picture;
    ASSERT_TRUE(picture.load_from_memory(square.data(), square.size(), 1.0f));
    bool loaded = true;
    EXPECT_NO_THROW(loaded = picture.load_from_memory(c.png->data(), c.png->size(), c.scale));
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(picture.loaded());
    EXPECT_EQ(picture.width(), 0);
  }
  ui::image one_pixel;
  ASSERT_TRUE(one_pixel.load_from_memory(square.data(), square.size(), 40.0f));
  EXPECT_EQ(one_pixel.width(), 1);
  EXPECT_EQ(one_pixel.height(), 1);
}

TEST(cairo_decoding, a_picture_at_scale_2_is_half_its_pixel_size_and_draws_that_size) {
  const bytes png = two_colour_png(40, 40);
  ui::image picture;
  ASSERT_TRUE(picture.load_from_memory(png.data(), png.size(), 2.0f));
  EXPECT_EQ(picture.width(), 20);
  EXPECT_EQ(picture.height(), 20);

  cairo_canvas canvas(60, 60);
  placed_widget root({0, 0, 60, 60});
  canvas.begin(root.w);
  canvas.painter().draw_image({10, 10}, picture);
  canvas.end();
  EXPECT_EQ(canvas.at(10, 10), 0xFF0000u);
  EXPECT_EQ(canvas.at(18, 29), 0xFF0000u);
  EXPECT_EQ(canvas.at(21, 10), 0x0000FFu);
  EXPECT_EQ(canvas.at(29, 20), 0x0000FFu);
  EXPECT_EQ(canvas.ink_box(), (ui::edge_rect{10, 10, 30, 30}));
}

TEST(cairo_decoding, a_part_of_a_picture_is_drawn_unscaled_at_the_point) {
  const bytes png = two_colour_png(20, 10);
  ui::image picture;
  ASSERT_TRUE(picture.load_from_memory(png.data(), png.size(), 1.0f));
  cairo_canvas canvas(40, 40);
  placed_widget root({0, 0, 40, 40});
  canvas.begin(root.w);
  canvas.painter().draw_image_part({5, 5}, picture, {10, 0, 6, 4});  // blue only
  canvas.end();
  EXPECT_EQ(canvas.ink_box(), (ui::edge_rect{5, 5, 11, 9}));
  EXPECT_EQ(canvas.at(5, 5), 0x0000FFu);
  EXPECT_EQ(canvas.at(10, 8), 0x0000FFu);
}

TEST(cairo_decoding, each_renderer_has_its_own_device_bitmap_and_keeps_it_when_another_goes) {
  const bytes png = two_colour_png(8, 8);
  ui::image picture;
  ASSERT_TRUE(picture.load_from_memory(png.data(), png.size(), 1.0f));
  placed_widget root({0, 0, 16, 16});
  cairo_canvas kept(16, 16);
  {
    cairo_canvas closed(16, 16);
    for (cairo_canvas* canvas : {&kept, &closed}) {
      canvas->begin(root.w);
      canvas->painter().draw_image({0, 0}, picture);
      canvas->end();
    }
    EXPECT_EQ(picture.device_bitmap_count(), 2u);
    EXPECT_NE(&picture.bitmap_for(kept.painter()), &picture.bitmap_for(closed.painter()));
  }
  EXPECT_EQ(picture.device_bitmap_count(), 1u);
  kept.begin(root.w);
  kept.painter().draw_image({4, 4}, picture);
  kept.end();
  EXPECT_EQ(kept.at(4, 4), 0xFF0000u);
  EXPECT_EQ(kept.at(11, 11), 0xFFFFFFu);  // the transparent pixel shows the white below
  EXPECT_EQ(kept.at(10, 11), 0x0000FFu);
}

}  // namespace

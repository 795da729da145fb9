#pragma once
// A picture held in the program as PNG bytes, decoded once into
// premultiplied colour (image_decoder.h) and drawn by any number of windows:
// each renderer that draws it gets its own device bitmap, made on first use
// and kept until the renderer or the image goes away, or the image is
// unloaded. Images and renderers keep track of each other for that.

#include "hbsdk/ui/decoded_image.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

namespace hbsdk::ui {

class renderer;

class image : non_copyable_non_moveable {
public:
  image();
  ~image();

  // Decodes the bytes at 1/scale of their pixel size. False, leaving the
  // image unloaded, when the bytes are not a picture, when it scales to less
  // than one pixel (or more than largest_picture_side) in either direction,
  // or when it cannot be converted. An image that is loaded already is
  // unloaded first.
  bool load_from_memory(const unsigned char* bytes, std::size_t count, float scale);
  // Drops the decoded picture and every device bitmap.
  void unload();

  bool loaded() const noexcept { return decoded_ != nullptr; }
  // Size in dips after scaling; 0 when unloaded.
  std::int32_t width() const noexcept;
  std::int32_t height() const noexcept;
  const decoded_image* decoded() const noexcept { return decoded_.get(); }

  // The picture as the renderer's backend draws it, made on first use.
  // Only for a loaded image.
  device_bitmap& bitmap_for(renderer& target);
  std::size_t device_bitmap_count() const noexcept { return bitmaps_.size(); }

private:
  friend class renderer;
  // The renderer is going away: drop its bitmap.
  void forget_renderer(renderer& gone);

  std::unique_ptr<decoded_image> decoded_;
  std::map<renderer*, std::unique_ptr<device_bitmap>> bitmaps_;
};

}  // namespace hbsdk::ui

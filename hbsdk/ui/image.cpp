#include "hbsdk/ui/image.h"

#include "hbsdk/ui/image_decoder.h"
#include "hbsdk/ui/renderer.h"

#include <algorithm>
#include <stdexcept>

namespace hbsdk::ui {

image::image() = default;

image::~image() { unload(); }

bool image::load_from_memory(const unsigned char* bytes, std::size_t count, float scale) {
  unload();
  if (bytes == nullptr || count == 0 || !(scale > 0.0f)) {
    return false;
  }
  decoded_ = decode_image(bytes, count, scale);
  return decoded_ != nullptr;
}

void image::unload() {
  for (auto& [owner, bitmap] : bitmaps_) {
    std::erase(owner->images_, this);
  }
  bitmaps_.clear();
  decoded_.reset();
}

std::int32_t image::width() const noexcept { return decoded_ != nullptr ? decoded_->width() : 0; }

std::int32_t image::height() const noexcept { return decoded_ != nullptr ? decoded_->height() : 0; }

device_bitmap& image::bitmap_for(renderer& target) {
  if (decoded_ == nullptr) {
    throw std::logic_error("an image that is not loaded has no device bitmap");
  }
  const auto found = bitmaps_.find(&target);
  if (found != bitmaps_.end()) {
    return *found->second;
  }
  std::unique_ptr<device_bitmap> bitmap = target.backend().make_device_bitmap(*decoded_);
  if (bitmap == nullptr) {
    throw std::runtime_error("unable to create a device bitmap");
  }
  device_bitmap& made = *bitmap;
  bitmaps_.emplace(&target, std::move(bitmap));
  target.images_.push_back(this);
  return made;
}

void image::forget_renderer(renderer& gone) {
  bitmaps_.erase(&gone);
  std::erase(gone.images_, this);
}

}  // namespace hbsdk::ui

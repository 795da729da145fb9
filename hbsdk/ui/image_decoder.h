#pragma once
// Decodes PNG bytes with the platform's imaging library (the Windows Imaging
// Component, or cairo on Linux) into premultiplied colour, scaled by 1/scale
// (a picture authored at twice its drawn size has scale 2).

#include "hbsdk/ui/decoded_image.h"

#include <cstddef>
#include <memory>

namespace hbsdk::ui {

// Nothing when the bytes are not a picture the library can open. Raises
// std::runtime_error when the picture opens but cannot be converted or scaled.
std::unique_ptr<decoded_image> decode_image(const unsigned char* bytes, std::size_t count, float scale);

}  // namespace hbsdk::ui

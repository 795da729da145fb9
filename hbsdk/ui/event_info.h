#pragma once
// The record every event callback receives, and the helpers that pack and
// unpack its 64-bit value: two 32-bit integers (first in the low half), a
// pointer, or the bit pattern of a double.

#include "hbsdk/ui/event_type.h"
#include "hbsdk/ui/geometry.h"

#include <bit>
#include <cstdint>

namespace hbsdk::ui {

class event_object;

struct event_info {
  event_object* sender = nullptr;
  event_type type = event_type::mouse_up;
  std::uint64_t value = 0;
};

constexpr std::uint64_t pack_pair(std::int32_t low, std::int32_t high) noexcept {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) |
         static_cast<std::uint32_t>(low);
}
constexpr std::int32_t low_half(std::uint64_t value) noexcept {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}
constexpr std::int32_t high_half(std::uint64_t value) noexcept {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value >> 32));
}

// Sizes and positions travel as (width, height) and (x, y) pairs.
constexpr std::uint64_t pack_point(point p) noexcept { return pack_pair(p.x, p.y); }
constexpr point unpack_point(std::uint64_t value) noexcept { return {low_half(value), high_half(value)}; }

inline std::uint64_t pointer_value(const void* pointer) noexcept {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pointer));
}
template <class T>
T* value_pointer(std::uint64_t value) noexcept {
  return reinterpret_cast<T*>(static_cast<std::uintptr_t>(value));
}

constexpr std::uint64_t double_value(double number) noexcept { return std::bit_cast<std::uint64_t>(number); }
constexpr double value_double(std::uint64_t value) noexcept { return std::bit_cast<double>(value); }

// The value of mouse_wheel for a signed wheel delta (120 per notch): half the
// delta as a double, so one notch scrolls 60 dips.
constexpr std::uint64_t wheel_value(std::int32_t delta) noexcept { return double_value(delta * 0.5); }

}  // namespace hbsdk::ui

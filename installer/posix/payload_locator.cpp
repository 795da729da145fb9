// The payload on Linux: the build links the archive into a read-only section
// between the symbols hb_payload_begin and hb_payload_end (see payload.S.in).
// Both are weak references, so an executable built without the payload still
// links; its symbols are then null and there is no payload.
#include "installer/payload_locator.h"

extern "C" {
[[gnu::weak]] extern const std::uint8_t hb_payload_begin[];
[[gnu::weak]] extern const std::uint8_t hb_payload_end[];
}

namespace installer {

std::optional<payload_view> find_payload() {
  const std::uint8_t* begin = hb_payload_begin;
  const std::uint8_t* end = hb_payload_end;
  if (begin == nullptr || end == nullptr || end < begin) return std::nullopt;
  return payload_view{begin, static_cast<std::uint64_t>(end - begin)};
}

}  // namespace installer

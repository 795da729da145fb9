#pragma once
// The bytes of a generated pack file: model descriptions and meshes as text,
// maps as DDS files whose block data repeats and drifts like a texture's, so
// that the pack deflates at about 3.5:1 at level 9. Integer arithmetic only,
// so every platform produces the same bytes.

#include <cstdint>
#include <vector>

#include "tools/hbpackgen/pack_plan.h"

namespace hbpackgen {

std::vector<std::uint8_t> generate_content(const planned_file& file, std::uint64_t seed);

}  // namespace hbpackgen

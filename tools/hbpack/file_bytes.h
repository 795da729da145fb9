#pragma once
// Whole-file reads and writes for the tools, with errors that name the file
// and the reason.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace hbpack {

// Throws std::runtime_error("<file>: <reason>").
std::vector<std::uint8_t> read_file_bytes(const std::filesystem::path& file);
void write_file_bytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

}  // namespace hbpack

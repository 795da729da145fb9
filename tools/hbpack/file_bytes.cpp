#include "tools/hbpack/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "hbsdk/filesystem/std_path.h"

namespace hbpack {
namespace {

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& reason) {
  throw std::runtime_error(hbsdk::filesystem::utf8_text(file) + ": " + reason);
}

std::string system_reason(const char* what) {
  const int error = errno;
  return error != 0 ? std::string(what) + " (" + std::strerror(error) + ")" : std::string(what);
}

}  // namespace

std::vector<std::uint8_t> read_file_bytes(const std::filesystem::path& file) {
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) fail(file, system_reason("cannot be opened for reading"));
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error) fail(file, "cannot be sized (" + error.message() + ")");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    fail(file, system_reason("cannot be read"));
  return bytes;
}

void write_file_bytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  errno = 0;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) fail(file, system_reason("cannot be created"));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) fail(file, system_reason("cannot be written"));
}

}  // namespace hbpack

#pragma once
// A read-only memory mapping of a whole file, so that the benchmark reads the
// archive in place as the installer reads its embedded resource.

#include <cstddef>
#include <cstdint>
#include <string>

namespace bench {

class mapped_file {
public:
  // Throws std::runtime_error naming the file and the reason.
  explicit mapped_file(const std::string& path);
  ~mapped_file();
  mapped_file(const mapped_file&) = delete;
  mapped_file& operator=(const mapped_file&) = delete;

  const std::uint8_t* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  // Reads every page once so that page faults are not timed.
  std::uint64_t touch() const noexcept;

private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace bench

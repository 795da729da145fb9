#include "bench/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace bench {

mapped_file::mapped_file(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(path + ": cannot be opened (" + std::strerror(errno) + ")");
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_size <= 0) {
    ::close(fd);
    throw std::runtime_error(path + ": is empty or cannot be sized");
  }
  size_ = static_cast<std::size_t>(info.st_size);
  void* mapping = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (mapping == MAP_FAILED) throw std::runtime_error(path + ": cannot be mapped (" + std::strerror(errno) + ")");
  data_ = static_cast<const std::uint8_t*>(mapping);
}

mapped_file::~mapped_file() { ::munmap(const_cast<std::uint8_t*>(data_), size_); }

std::uint64_t mapped_file::touch() const noexcept {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < size_; i += 4096) sum += data_[i];
  return sum;
}

}  // namespace bench

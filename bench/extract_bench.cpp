// Extraction throughput against the compute limit, and memory use against
// file size.
//
//   bench_extract FULL_ARCHIVE [DEMO_ARCHIVE] [TMPFS_FOLDER]
//
// In one run it times, over several interleaved rounds, (1) inflating every
// stream of the archive in the engine's 16 KiB steps with the output thrown
// away, and (2) extract_archive writing the files into a folder on a tmpfs
// (default /dev/shm). It prints both throughputs (MB = 10^6 bytes of output)
// and their ratio; the goal is extraction at 90 % or more of inflate-only.
// (3) writing the same sizes without inflating shows what the file system
// alone costs, so the engine's own overhead can be read off. (4) the same
// extraction as the installer's worker runs it, publishing its progress
// (extract_with_progress), shows what the progress costs.
// Then it extracts each archive once more while sampling the process's
// anonymous memory, to show that it does not grow with file size.
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <linux/magic.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/mapped_file.h"
#include "bench/memory_probe.h"
#include "hbsdk/filesystem/file_ops.h"
#include "installer/install_steps.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/chunked_inflater.h"
#include "installer/payload/extract_archive.h"
#include "hbsdk/filesystem/std_path.h"

namespace {

using clock_type = std::chrono::steady_clock;
constexpr int rounds = 5;

struct archive_facts {
  std::vector<std::uint64_t> sizes;  // inflated size of each stream
  std::uint64_t files = 0;
  std::uint64_t inflated_bytes = 0;
  std::uint64_t largest_file = 0;
};

class discarding_sink final : public installer::chunked_inflater::sink {
public:
  bool write(const std::uint8_t*, std::size_t size) override {
    bytes += size;
    return true;
  }
  std::uint64_t bytes = 0;
};

// Inflates every stream as extraction does, writing nothing. Returns seconds.
double inflate_only(const bench::mapped_file& archive, archive_facts& facts) {
  const auto start = clock_type::now();
  installer::archive_reader reader(archive.data(), archive.size());
  installer::chunked_inflater inflater;
  facts = {};
  bool sound = reader.read_header() == installer::extract_code::ok;
  for (std::uint32_t i = 0; sound && i < reader.directory_count(); ++i) {
    installer::directory_record directory;
    sound = reader.read_directory(directory) == installer::extract_code::ok;
  }
  sound = sound && reader.read_file_count() == installer::extract_code::ok;
  for (std::uint32_t i = 0; sound && i < reader.file_count(); ++i) {
    installer::file_record file;
    const std::uint8_t* data = nullptr;
    sound = reader.read_file(file) == installer::extract_code::ok;
    if (!sound || file.compressed_size == 0) continue;
    sound = reader.locate_data(file, data) == installer::extract_code::ok;
    discarding_sink sink;
    sound = sound && inflater.inflate(data, file.compressed_size, sink) == installer::extract_code::ok;
    ++facts.files;
    facts.sizes.push_back(sink.bytes);
    facts.inflated_bytes += sink.bytes;
    facts.largest_file = std::max(facts.largest_file, sink.bytes);
  }
  if (!sound) throw std::runtime_error("the archive is not sound: run hbpack verify on it");
  return std::chrono::duration<double>(clock_type::now() - start).count();
}

// Extracts into a fresh folder below base and removes it afterwards (not
// timed), with the worker's progress published when tracked. Returns seconds.
double extract_once(const bench::mapped_file& archive, const std::filesystem::path& base, int round,
                    bool tracked = false) {
  const std::filesystem::path target = base / ("hb_bench_" + std::to_string(::getpid()) + "_" + std::to_string(round));
  std::filesystem::remove_all(target);
  std::filesystem::create_directories(target);
  installer::install_tracker tracker;
  const auto start = clock_type::now();
  const std::int32_t code =
      tracked ? installer::extract_with_progress(archive.data(), archive.size(),
                                                 hbsdk::filesystem::from_std_path(target), tracker)
              : installer::extract_archive(archive.data(), archive.size(), hbsdk::filesystem::from_std_path(target));
  const double seconds = std::chrono::duration<double>(clock_type::now() - start).count();
  std::filesystem::remove_all(target);
  if (code != 0) throw std::runtime_error("extraction failed with code " + std::to_string(code));
  return seconds;
}

// Writes as many bytes as each file holds, in 16 KiB steps, without
// inflating: what the file system alone costs. Returns seconds.
double write_only(const archive_facts& facts, const std::filesystem::path& base, int round) {
  const std::vector<std::uint64_t>& sizes = facts.sizes;
  const std::filesystem::path target =
      base / ("hb_bench_write_" + std::to_string(::getpid()) + "_" + std::to_string(round));
  std::filesystem::remove_all(target);
  std::filesystem::create_directories(target);
  static const std::vector<std::uint8_t> chunk(installer::chunked_inflater::chunk_size, 0x5A);
  const auto start = clock_type::now();
  std::uint64_t written = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    hbsdk::filesystem::output_file file;
    if (!file.open(hbsdk::filesystem::from_std_path(target / std::to_string(i)))) throw std::runtime_error("cannot write files");
    for (std::uint64_t left = sizes[i]; left > 0;) {
      const std::size_t step = left < chunk.size() ? static_cast<std::size_t>(left) : chunk.size();
      if (!file.write(chunk.data(), step)) throw std::runtime_error("cannot write files");
      left -= step;
      written += step;
    }
    (void)file.close();
  }
  const double seconds = std::chrono::duration<double>(clock_type::now() - start).count();
  std::filesystem::remove_all(target);
  if (written != facts.inflated_bytes) throw std::runtime_error("the sizes do not add up");
  return seconds;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct memory_figures {
  std::uint64_t before_kib = 0;
  std::uint64_t peak_kib = 0;
  std::uint64_t largest_file = 0;
};

memory_figures measure_memory(const std::string& path, const std::filesystem::path& base) {
  const bench::mapped_file archive(path);
  archive_facts facts;
  (void)inflate_only(archive, facts);  // also brings the archive's pages in
  memory_figures figures;
  figures.largest_file = facts.largest_file;
  figures.before_kib = bench::memory_probe::anonymous_kib();
  bench::memory_probe probe;
  (void)extract_once(archive, base, 1000);
  figures.peak_kib = probe.stop();
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: bench_extract FULL_ARCHIVE [DEMO_ARCHIVE] [TMPFS_FOLDER]\n");
    return 2;
  }
  const std::string full_path = argv[1];
  const std::string demo_path = argc > 2 ? argv[2] : "";
  const std::filesystem::path base = argc > 3 ? argv[3] : "/dev/shm";
  try {
    struct statfs info {};
    const bool on_tmpfs = ::statfs(base.c_str(), &info) == 0 && info.f_type == TMPFS_MAGIC;

    // Memory first, with the small pack, while nothing large has been touched.
    memory_figures demo_memory;
    if (!demo_path.empty()) demo_memory = measure_memory(demo_path, base);
    const memory_figures full_memory = measure_memory(full_path, base);

    const bench::mapped_file archive(full_path);
    (void)archive.touch();
    archive_facts facts;
    (void)inflate_only(archive, facts);  // a warm-up round, which also counts the files
    std::vector<double> inflate_times;
    std::vector<double> extract_times;
    std::vector<double> write_times;
    std::vector<double> tracked_times;
    std::printf("archive   %s\n          %zu bytes, %llu streams, %llu bytes inflated, largest file %llu bytes\n",
                full_path.c_str(), archive.size(), static_cast<unsigned long long>(facts.files),
                static_cast<unsigned long long>(facts.inflated_bytes),
                static_cast<unsigned long long>(facts.largest_file));
    std::printf("target    %s (%s)\n\nround  inflate only  extraction  write only  with progress\n", base.c_str(),
                on_tmpfs ? "tmpfs" : "NOT a tmpfs: figures include the disk");
    for (int round = 1; round <= rounds; ++round) {
      inflate_times.push_back(inflate_only(archive, facts));
      extract_times.push_back(extract_once(archive, base, round));
      write_times.push_back(write_only(facts, base, round));
      tracked_times.push_back(extract_once(archive, base, round, true));
      std::printf("%5d  %10.3f s  %8.3f s  %8.3f s  %11.3f s\n", round, inflate_times.back(), extract_times.back(),
                  write_times.back(), tracked_times.back());
    }
    const double megabytes = static_cast<double>(facts.inflated_bytes) / 1e6;
    const double inflate_rate = megabytes / median(inflate_times);
    const double extract_rate = megabytes / median(extract_times);
    std::printf("\nmedian of %d rounds                    time       MB/s of output\n", rounds);
    std::printf("inflate only (16 KiB steps, no files)  %6.3f s  %8.1f\n", median(inflate_times), inflate_rate);
    std::printf("extraction to the folder               %6.3f s  %8.1f\n", median(extract_times), extract_rate);
    std::printf("write only (same sizes, 16 KiB steps)  %6.3f s  %8.1f\n", median(write_times),
                megabytes / median(write_times));
    std::printf("extraction with progress published     %6.3f s  %8.1f\n", median(tracked_times),
                megabytes / median(tracked_times));
    std::printf("extraction / inflate-only throughput   %6.1f %%   (goal: 90 %% or more)\n",
                100.0 * extract_rate / inflate_rate);
    std::printf("extraction - (inflate only + write only) %+6.3f s: what the engine adds beyond the two\n",
                median(extract_times) - median(inflate_times) - median(write_times));

    std::printf("\nanonymous memory (heap and stacks; the mapped archive excluded), KiB\n");
    std::printf("                           largest file   before   peak while extracting   growth\n");
    const auto row = [](const char* label, const memory_figures& m) {
      std::printf("%-26s %12llu %8llu %23llu %8lld\n", label, static_cast<unsigned long long>(m.largest_file),
                  static_cast<unsigned long long>(m.before_kib), static_cast<unsigned long long>(m.peak_kib),
                  static_cast<long long>(m.peak_kib) - static_cast<long long>(m.before_kib));
    };
    if (!demo_path.empty()) row("demo pack", demo_memory);
    row("full pack", full_memory);
    std::printf("peak resident size of the process (ru_maxrss, includes the %zu-byte mapped archive): %llu KiB\n",
                archive.size(), static_cast<unsigned long long>(bench::memory_probe::peak_rss_kib()));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_extract: %s\n", e.what());
    return 1;
  }
}

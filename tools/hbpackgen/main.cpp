// hbpackgen: writes a folder with the shape of the shipped pack (4 directories,
// 68 files with the pack's names and times), deterministic from a seed.
//
//   hbpackgen demo|full OUTPUT_DIR [SEED]
//
// "demo" is a few MB and is built with the installer; "full" has the shipped
// size (about 246.6 MB) and feeds the benchmark. OUTPUT_DIR must not exist or
// be empty, so that nothing stale ends up in the pack.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "hbsdk/filesystem/file_ops.h"
#include "tools/hbpack/console.h"
#include "hbsdk/filesystem/std_path.h"
#include "tools/hbpack/progress_bar.h"
#include "tools/hbpackgen/content_generator.h"
#include "tools/hbpackgen/pack_plan.h"

namespace {

namespace fs = hbsdk::filesystem;

void write_pack(const hbpackgen::pack_plan& plan, const std::filesystem::path& output, std::uint64_t seed) {
  std::error_code error;
  std::filesystem::create_directories(output, error);
  if (error) throw std::runtime_error(hbsdk::filesystem::utf8_text(output) + ": cannot be created (" + error.message() + ")");
  if (!std::filesystem::is_empty(output, error) || error)
    throw std::runtime_error(hbsdk::filesystem::utf8_text(output) + ": is not an empty folder");

  const fs::file_path root = hbsdk::filesystem::from_std_path(output);
  for (const auto& directory : plan.directories) {
    if (!fs::create_directory(root / fs::file_path(directory)))
      throw std::runtime_error(directory + ": the folder cannot be created");
  }
  hbpack::progress_bar bar("generating", plan.total_bytes());
  for (const auto& file : plan.files) {
    const std::vector<std::uint8_t> content = hbpackgen::generate_content(file, seed);
    const fs::file_path path = root / fs::file_path(file.name);
    fs::output_file out;
    if (!out.open(path) || !out.write(content.data(), content.size()) || !out.close())
      throw std::runtime_error(file.name + ": the file cannot be written");
    if (!fs::stamp_file_times(path, file.time, file.time))
      throw std::runtime_error(file.name + ": the file's times cannot be set");
    bar.advance(content.size());
  }
  bar.finish();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args = hbpack::utf8_arguments(argc, argv);
    std::uint64_t seed = 1;
    const bool seed_ok =
        args.size() < 3 || std::from_chars(args[2].data(), args[2].data() + args[2].size(), seed).ec == std::errc{};
    if (args.size() < 2 || args.size() > 3 || (args[0] != "demo" && args[0] != "full") || !seed_ok) {
      std::cerr << "usage: hbpackgen demo|full OUTPUT_DIR [SEED]\n";
      return 2;
    }
    const auto size = args[0] == "full" ? hbpackgen::pack_size::full : hbpackgen::pack_size::demo;
    const hbpackgen::pack_plan plan = hbpackgen::make_pack_plan(size, seed);
    const std::filesystem::path output(std::u8string(args[1].begin(), args[1].end()));
    write_pack(plan, output, seed);
    std::cout << hbsdk::filesystem::utf8_text(output) << ": " << plan.directories.size() << " directories, " << plan.files.size()
              << " files, " << plan.total_bytes() << " bytes\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "hbpackgen: " << e.what() << '\n';
    return 1;
  }
}

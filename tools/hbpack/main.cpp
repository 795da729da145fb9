// hbpack: creates, lists, verifies and extracts payload archives.
//
//   hbpack create SOURCE_DIR ARCHIVE   pack a folder (deterministic: same folder, same bytes)
//   hbpack list ARCHIVE                one line per directory and per file
//   hbpack verify ARCHIVE              check the layout and inflate every stream in memory
//   hbpack extract ARCHIVE TARGET      run the installer's extraction engine
//
// Exit status: 0 on success, 1 on any failure, 2 on a usage error.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "hbsdk/filesystem/std_path.h"
#include "installer/payload/archive_extractor.h"
#include "tools/hbpack/archive_lister.h"
#include "tools/hbpack/archive_verifier.h"
#include "tools/hbpack/console.h"
#include "tools/hbpack/extract_progress.h"
#include "tools/hbpack/file_bytes.h"
#include "tools/hbpack/folder_packer.h"
#include "tools/hbpack/progress_bar.h"

namespace {

constexpr int success = 0;
constexpr int failure = 1;
constexpr int usage_error = 2;

std::filesystem::path argument_path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

int usage() {
  std::cerr << "usage: hbpack create SOURCE_DIR ARCHIVE\n"
               "       hbpack list ARCHIVE\n"
               "       hbpack verify ARCHIVE\n"
               "       hbpack extract ARCHIVE TARGET\n";
  return usage_error;
}

int create(const std::filesystem::path& source, const std::filesystem::path& archive) {
  const hbpack::folder_packer packer(source);
  hbpack::progress_bar bar("packing", packer.total_bytes());
  const std::vector<std::uint8_t> bytes = packer.pack([&bar](std::size_t amount) { bar.advance(amount); });
  bar.finish();
  hbpack::write_file_bytes(archive, bytes);
  std::cout << hbsdk::filesystem::utf8_text(archive) << ": " << packer.directories().size() << " directories, "
            << packer.files().size() << " files, " << packer.total_bytes() << " bytes packed into " << bytes.size()
            << '\n';
  return success;
}

int list(const std::filesystem::path& archive) {
  const std::vector<std::uint8_t> bytes = hbpack::read_file_bytes(archive);
  return hbpack::list_archive(bytes, std::cout) ? success : failure;
}

int verify(const std::filesystem::path& archive) {
  const std::vector<std::uint8_t> bytes = hbpack::read_file_bytes(archive);
  hbpack::progress_bar bar("verifying", bytes.size());
  const std::vector<std::string> problems =
      hbpack::verify_archive(bytes, [&bar](std::size_t amount) { bar.advance(amount); });
  bar.finish();
  for (const auto& problem : problems) std::cerr << hbsdk::filesystem::utf8_text(archive) << ": " << problem << '\n';
  if (!problems.empty()) return failure;
  std::cout << hbsdk::filesystem::utf8_text(archive) << ": sound\n";
  return success;
}

int extract(const std::filesystem::path& archive, const std::filesystem::path& target) {
  const std::vector<std::uint8_t> bytes = hbpack::read_file_bytes(archive);
  // The engine refuses a relative target; on the command line one means the
  // working directory, so it is made absolute here.
  std::error_code error;
  const std::filesystem::path absolute_target = target.empty() ? target : std::filesystem::absolute(target, error);
  if (error) {
    std::cerr << hbsdk::filesystem::utf8_text(target) << ": cannot be made absolute (" << error.message() << ")\n";
    return failure;
  }
  hbpack::progress_bar bar("extracting", bytes.size());
  hbpack::extract_progress watcher(bar);
  installer::archive_extractor extractor(bytes.data(), bytes.size(), hbsdk::filesystem::from_std_path(absolute_target), &watcher);
  const std::int32_t code = to_int(extractor.run());
  if (code == 0) {
    bar.finish();
    std::cout << "code 0: " << installer::extract_message(code) << '\n';
    return success;
  }
  bar.stop();
  std::cerr << watcher.stopped_at(hbsdk::filesystem::utf8_text(archive), hbsdk::filesystem::utf8_text(absolute_target))
            << ": code " << code << ": " << installer::extract_message(code) << '\n';
  return failure;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args = hbpack::utf8_arguments(argc, argv);
    if (args.size() == 3 && args[0] == "create") return create(argument_path(args[1]), argument_path(args[2]));
    if (args.size() == 2 && args[0] == "list") return list(argument_path(args[1]));
    if (args.size() == 2 && args[0] == "verify") return verify(argument_path(args[1]));
    if (args.size() == 3 && args[0] == "extract") return extract(argument_path(args[1]), argument_path(args[2]));
  } catch (const std::exception& e) {
    std::cerr << "hbpack: " << e.what() << '\n';
    return failure;
  }
  return usage();
}

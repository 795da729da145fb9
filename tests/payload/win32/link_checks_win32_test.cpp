// The link checks of the Windows extraction, on a system that answers as one
// with links would. Wine makes no symbolic links or junctions, so the test
// sets the hooks of relative_open.h: chosen files and folders report the
// reparse-point attribute or a second hard link, and an open without
// FILE_OPEN_REPARSE_POINT at a planted name is followed to a folder or file
// outside the target, as the system follows a link. Each case must end with
// link_in_the_way and nothing written, below the target or outside it.
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hbsdk/filesystem/std_path.h"
#include "hbsdk/filesystem/win32/relative_open.h"
#include "installer/payload/extract_archive.h"
#include "installer/payload/extract_code.h"
#include "payload_test_support.h"
#include "tools/hbpack/archive_writer.h"

using installer::extract_code;
using namespace payload_test;
namespace fs = hbsdk::filesystem;
namespace stdfs = std::filesystem;

namespace {

constexpr std::uint64_t stamp = 1'470'000'000;

// A file or folder as the system knows it, whatever name it was opened by.
struct file_id {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  friend bool operator==(const file_id&, const file_id&) = default;
};

std::optional<file_id> id_of(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return file_id{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::optional<file_id> id_of(const stdfs::path& path) {
  constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const auto id = id_of(handle);
  CloseHandle(handle);
  return id;
}

// What the hooks answer for this run.
struct pretended {
  std::vector<file_id> reparse_points;  // report FILE_ATTRIBUTE_REPARSE_POINT
  std::vector<file_id> linked;          // report two hard links
  // The planted link: the name, the folder it stands in, and the NT path of
  // where an open that does not ask for the link itself arrives.
  std::optional<file_id> link_folder;
  std::wstring link_name;
  std::wstring followed_to;
};
pretended answers;

bool listed(const std::vector<file_id>& ids, HANDLE handle) {
  const auto id = id_of(handle);
  return id && std::find(ids.begin(), ids.end(), *id) != ids.end();
}

bool opens_the_planted_link(POBJECT_ATTRIBUTES attributes) {
  if (!answers.link_folder || attributes->RootDirectory == nullptr || attributes->ObjectName == nullptr) return false;
  const UNICODE_STRING& name = *attributes->ObjectName;
  const std::wstring text(name.Buffer, name.Length / sizeof(wchar_t));
  return text == answers.link_name && id_of(attributes->RootDirectory) == answers.link_folder;
}

NTSTATUS NTAPI pretend_create_file(PHANDLE handle, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes,
                                   PIO_STATUS_BLOCK status, PLARGE_INTEGER size, ULONG file_attributes, ULONG share,
                                   ULONG disposition, ULONG options, PVOID extended, ULONG extended_length) {
  if ((options & FILE_OPEN_REPARSE_POINT) == 0 && opens_the_planted_link(attributes)) {
    UNICODE_STRING target;
    target.Buffer = answers.followed_to.data();
    target.Length = static_cast<USHORT>(answers.followed_to.size() * sizeof(wchar_t));
    target.MaximumLength = target.Length;
    OBJECT_ATTRIBUTES followed;
    InitializeObjectAttributes(&followed, &target, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    return NtCreateFile(handle, access, &followed, status, size, file_attributes, share, disposition, options, extended,
                        extended_length);
  }
  return NtCreateFile(handle, access, attributes, status, size, file_attributes, share, disposition, options, extended,
                      extended_length);
}

BOOL WINAPI pretend_file_information(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID buffer, DWORD size) {
  if (!GetFileInformationByHandleEx(handle, kind, buffer, size)) return FALSE;
  if (kind == FileAttributeTagInfo && listed(answers.reparse_points, handle)) {
    auto* info = static_cast<FILE_ATTRIBUTE_TAG_INFO*>(buffer);
    info->FileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    info->ReparseTag = IO_REPARSE_TAG_MOUNT_POINT;
  }
  if (kind == FileStandardInfo && listed(answers.linked, handle)) {
    static_cast<FILE_STANDARD_INFO*>(buffer)->NumberOfLinks = 2;
  }
  return TRUE;
}

// Every entry below folder, with the content of each file.
std::vector<std::string> listing(const stdfs::path& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : stdfs::recursive_directory_iterator(folder)) {
    std::string line = fs::utf8_text(entry.path().lexically_relative(folder));
    if (entry.is_regular_file()) line += " = " + read_text(entry.path());
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

bytes sample_archive(bool with_directories) {
  hbpack::archive_writer writer;
  if (with_directories) {
    writer.add_directory("Halbrook");
    writer.add_directory("Halbrook/Models");
  }
  writer.add_file("Halbrook/a.orx", bytes_of("model"), stamp, stamp);
  writer.add_file("Halbrook/Models/m.obj", bytes_of("mesh"), stamp, stamp);
  return writer.build();
}

// One file in the deep folder, so that the run writes nothing before it.
bytes deep_file_only() {
  hbpack::archive_writer writer;
  writer.add_file("Halbrook/Models/m.obj", bytes_of("mesh"), stamp, stamp);
  return writer.build();
}

class link_checks_win32 : public ::testing::Test {
protected:
  link_checks_win32() {
    stdfs::create_directory(target());
    stdfs::create_directory(outside());
    write_text(outside() / "keep.txt", "system file");
    stdfs::create_directory(outside() / "inner");
  }
  void TearDown() override {
    fs::set_link_check_calls(nullptr, nullptr);
    answers = pretended{};
  }

  stdfs::path target() const { return outer_.path() / "target"; }
  stdfs::path outside() const { return outer_.path() / "outside"; }

  // at (below the target, made beforehand) answers as a link to to.
  void plant_link(const stdfs::path& at, const stdfs::path& to) {
    answers.reparse_points.push_back(id_of(target() / at).value());
    plant_name(at, to);
  }
  // at answers as a file with a second hard link elsewhere.
  void plant_hard_link(const stdfs::path& at) { answers.linked.push_back(id_of(target() / at).value()); }

  // Runs the extraction with the hooks set, and checks that it ended with
  // link_in_the_way and changed nothing below the target or outside it.
  void expect_refused(const bytes& archive) {
    const std::vector<std::string> target_before = listing(target());
    const std::vector<std::string> outside_before = listing(outside());
    fs::set_link_check_calls(&pretend_create_file, &pretend_file_information);
    const auto code = static_cast<extract_code>(
        installer::extract_archive(archive.data(), archive.size(), fs::from_std_path(target())));
    fs::set_link_check_calls(nullptr, nullptr);
    EXPECT_EQ(code, extract_code::link_in_the_way);
    EXPECT_EQ(listing(target()), target_before) << "written below the target";
    EXPECT_EQ(listing(outside()), outside_before) << "written outside the target";
  }

private:
  void plant_name(const stdfs::path& at, const stdfs::path& to) {
    answers.link_folder = id_of((target() / at).parent_path()).value();
    answers.link_name = at.filename().wstring();
    answers.followed_to = L"\\??\\" + stdfs::absolute(to).wstring();
  }

  temp_folder outer_;
};

}  // namespace

TEST_F(link_checks_win32, a_reparse_point_at_a_folder_is_not_entered) {
  stdfs::create_directory(target() / "Halbrook");
  plant_link("Halbrook", outside());
  expect_refused(sample_archive(true));
}

TEST_F(link_checks_win32, a_reparse_point_at_a_deep_folder_only_files_go_into_is_not_entered) {
  stdfs::create_directories(target() / "Halbrook/Models");
  plant_link("Halbrook/Models", outside() / "inner");
  expect_refused(deep_file_only());
}

TEST_F(link_checks_win32, a_reparse_point_at_a_file_is_not_written) {
  stdfs::create_directory(target() / "Halbrook");
  write_text(target() / "Halbrook/a.orx", "planted");
  plant_link("Halbrook/a.orx", outside() / "keep.txt");
  expect_refused(sample_archive(false));
}

TEST_F(link_checks_win32, a_reparse_point_that_fails_the_open_is_still_reported_as_a_link) {
  // A link to a folder where a file goes, and to a file where a folder goes:
  // the open of the expected kind fails, and a look at the name finds the link.
  {
    SCOPED_TRACE("folder link where a file goes");
    stdfs::create_directories(target() / "Halbrook/a.orx");
    plant_link("Halbrook/a.orx", outside() / "inner");
    expect_refused(sample_archive(false));
  }
  TearDown();
  stdfs::remove_all(target() / "Halbrook");
  {
    SCOPED_TRACE("file link where a folder goes");
    write_text(target() / "Halbrook", "planted");
    plant_link("Halbrook", outside() / "keep.txt");
    expect_refused(sample_archive(true));
  }
}

TEST_F(link_checks_win32, a_file_with_another_hard_link_is_not_written) {
  stdfs::create_directories(target() / "Halbrook/Models");
  write_text(target() / "Halbrook/Models/m.obj", "planted, shared with a file elsewhere");
  plant_hard_link("Halbrook/Models/m.obj");
  expect_refused(deep_file_only());
}

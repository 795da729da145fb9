// Reads a built installer's resources the way Windows does (the file loaded
// as an image resource, the version information through the version API) and
// checks what ships: the application manifest, the version information, the
// icon, the payload archive (resource 200) byte for byte, and nothing else.
//
//   release_resources.exe [gtest options] EXECUTABLE ARCHIVE
//
// The build runs it on the signed installer and on its unsigned copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring executable;
std::string archive;

std::wstring widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(std::max(length, 0)));
  return wide;
}

// The executable loaded for its resources only: nothing of it runs.
class installer_image : public ::testing::Test {
protected:
  void SetUp() override {
    module_ = LoadLibraryExW(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load the resources of the executable, error " << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  // The bytes of one resource; empty when it is missing.
  std::vector<std::uint8_t> resource(const wchar_t* type, const wchar_t* name) const {
    const HRSRC found = FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(module_, found);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (bytes == nullptr) return {};
    return {bytes, bytes + SizeofResource(module_, found)};
  }

  HMODULE module_ = nullptr;
};

BOOL CALLBACK collect_type(HMODULE, LPWSTR type, LONG_PTR out) {
  if (IS_INTRESOURCE(type)) reinterpret_cast<std::set<std::uintptr_t>*>(out)->insert(reinterpret_cast<std::uintptr_t>(type));
  else reinterpret_cast<std::set<std::uintptr_t>*>(out)->insert(~std::uintptr_t{0});  // a named type
  return TRUE;
}

BOOL CALLBACK collect_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<std::uintptr_t>*>(out)->insert(reinterpret_cast<std::uintptr_t>(name));
  else reinterpret_cast<std::set<std::uintptr_t>*>(out)->insert(~std::uintptr_t{0});  // a named resource
  return TRUE;
}

BOOL CALLBACK count_language(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR out) {
  ++*reinterpret_cast<int*>(out);
  return TRUE;
}

std::uintptr_t id(const wchar_t* type) { return reinterpret_cast<std::uintptr_t>(type); }

TEST_F(installer_image, holds_only_its_icon_version_manifest_and_payload) {
  std::set<std::uintptr_t> types;
  EnumResourceTypesW(module_, collect_type, reinterpret_cast<LONG_PTR>(&types));
  const std::set<std::uintptr_t> expected = {id(RT_ICON), id(RT_GROUP_ICON), id(RT_VERSION), id(RT_MANIFEST),
                                             id(RT_RCDATA)};
  EXPECT_EQ(types, expected);

  for (const wchar_t* type : {RT_MANIFEST, RT_RCDATA, RT_GROUP_ICON, RT_VERSION}) {
    std::set<std::uintptr_t> names;
    EnumResourceNamesW(module_, type, collect_name, reinterpret_cast<LONG_PTR>(&names));
    const std::set<std::uintptr_t> one = {type == RT_RCDATA ? 200u : 1u};
    // The product also carries its uninstaller (201), a program of its own.
    if (type == RT_RCDATA && names.count(201) == 1) {
      names.erase(201);
      HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(201), RT_RCDATA);
      const auto* bytes = found ? static_cast<const char*>(LockResource(LoadResource(module_, found))) : nullptr;
      ASSERT_NE(bytes, nullptr);
      EXPECT_EQ(std::string(bytes, 2), "MZ") << "resource 201 is no program";
    }
    EXPECT_EQ(names, one) << "resources of type " << id(type);
    int languages = 0;
    EnumResourceLanguagesW(module_, type, MAKEINTRESOURCEW(*one.begin()), count_language,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, 1) << "languages of the resource of type " << id(type);
  }
}

// Every Id of a supportedOS entry, in the order the manifest gives them.
std::vector<std::string> supported_os_ids(const std::string& text) {
  std::vector<std::string> ids;
  const std::string opening = "<supportedOS Id=\"";
  for (std::size_t at = text.find(opening); at != std::string::npos; at = text.find(opening, at)) {
    at += opening.size();
    const std::size_t end = text.find('"', at);
    if (end == std::string::npos) break;
    ids.push_back(text.substr(at, end - at));
  }
  return ids;
}

TEST_F(installer_image, manifest_runs_as_invoker_on_windows_8_1_to_11_without_dpi_awareness) {
  const std::vector<std::uint8_t> bytes = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(bytes.empty()) << "no manifest (resource 1, RT_MANIFEST)";
  const std::string text(bytes.begin(), bytes.end());
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });

  EXPECT_NE(text.find("<?xml version=\"1.0\" encoding=\"UTF-8\""), std::string::npos) << text;
  // The program relaunches itself through the shell to ask for elevation.
  EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos) << text;
  EXPECT_EQ(lower.find("requireadministrator"), std::string::npos);
  EXPECT_EQ(lower.find("highestavailable"), std::string::npos);
  // Windows 8.1 and 10/11, and nothing older: the installer imports
  // SetDefaultDllDirectories, which a Windows 7 without its update lacks.
  const std::vector<std::string> windows_8_1_and_10 = {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                                       "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
  EXPECT_EQ(supported_os_ids(text), windows_8_1_and_10) << text;
  // The window works in 96-dpi units and lets the system scale it.
  EXPECT_EQ(lower.find("dpiaware"), std::string::npos);
  EXPECT_EQ(lower.find("gdiscaling"), std::string::npos);
  EXPECT_NE(text.find("processorArchitecture=\"amd64\""), std::string::npos);
  EXPECT_NE(text.find(std::string("version=\"") + HB_EXPECTED_VERSION + ".0\""), std::string::npos)
      << "the assembly version differs from the file version";
  EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_NE(text.rfind("</assembly>"), std::string::npos);
}

std::wstring version_string(const std::vector<std::uint8_t>& block, const wchar_t* language, const wchar_t* key) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + key;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(installer_version, names_the_product_and_one_version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(executable.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version information, error " << GetLastError();
  std::vector<std::uint8_t> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(executable.c_str(), 0, size, block.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask & (VS_FF_DEBUG | VS_FF_PRERELEASE | VS_FF_PATCHED), 0u);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, HB_EXPECTED_VERSION);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0);

  // The texts are read in the language the translation table names.
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_GE(length, 4u);
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x0409);  // English (United States)
  EXPECT_EQ(translation[1], 1200);    // UTF-16
  wchar_t language[9] = {};
  swprintf(language, 9, L"%04x%04x", translation[0], translation[1]);

  const std::wstring version = widen(HB_EXPECTED_VERSION);
  EXPECT_EQ(version_string(block, language, L"ProductName"), L"Tidewater Kit Pack");
  EXPECT_EQ(version_string(block, language, L"FileDescription"), L"Tidewater Kit Pack Installer");
  EXPECT_EQ(version_string(block, language, L"FileVersion"), version);
  EXPECT_EQ(version_string(block, language, L"ProductVersion"), version);
  EXPECT_EQ(version_string(block, language, L"OriginalFilename"), L"tidewater-kit-installer.exe");
  EXPECT_EQ(version_string(block, language, L"CompanyName"), L"Halbrook");
}

#pragma pack(push, 2)
struct icon_group_header {
  WORD reserved;
  WORD type;
  WORD count;
};
struct icon_group_entry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(installer_image, icon_group_holds_the_shell_sizes_and_each_image_decodes) {
  const std::vector<std::uint8_t> group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(icon_group_header)) << "no icon group 1";
  icon_group_header header;
  std::memcpy(&header, group.data(), sizeof header);
  EXPECT_EQ(header.type, 1) << "an icon group, not a cursor group";
  ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(icon_group_entry));

  std::set<int> sizes;
  for (WORD i = 0; i < header.count; ++i) {
    icon_group_entry entry;
    std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
    const int size = entry.width == 0 ? 256 : entry.width;
    sizes.insert(size);
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.bit_count, 32);
    const std::vector<std::uint8_t> image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
    ASSERT_EQ(image.size(), entry.bytes) << "icon image " << entry.id << " (" << size << " px)";
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                          0x00030000, size, size, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << "icon image " << entry.id << " (" << size << " px) does not decode";
    if (icon != nullptr) DestroyIcon(icon);
  }
  for (int size : {16, 24, 32, 48, 256}) EXPECT_TRUE(sizes.count(size) == 1) << "no " << size << "-pixel image";
  // The loader picks the 32-pixel image of the group for a 32-pixel icon.
  const int chosen = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()), TRUE, 32, 32, LR_DEFAULTCOLOR);
  EXPECT_NE(chosen, 0);
}

TEST_F(installer_image, payload_is_the_archive_byte_for_byte) {
  std::ifstream file(archive, std::ios::binary);
  ASSERT_TRUE(file.is_open()) << archive;
  const std::vector<std::uint8_t> expected{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_GE(expected.size(), 8u);
  const std::vector<std::uint8_t> embedded = resource(RT_RCDATA, MAKEINTRESOURCEW(200));
  ASSERT_EQ(embedded.size(), expected.size()) << "resource 200 (RCDATA)";
  EXPECT_TRUE(embedded == expected) << "resource 200 differs from " << archive;
  const std::uint8_t magic[] = {0x68, 0x62, 0x5E, 0x1A};
  EXPECT_EQ(std::memcmp(embedded.data(), magic, sizeof magic), 0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s [gtest options] EXECUTABLE ARCHIVE\n", argv[0]);
    return 2;
  }
  executable = widen(argv[1]);
  archive = argv[2];
  return RUN_ALL_TESTS();
}

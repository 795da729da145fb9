#include "installer/asset_library.h"

#include <utility>

#include "hbsdk/filesystem/display_text.h"
#include "hbsdk/filesystem/encoding.h"
#include "installer/documents_folder.h"
#include "installer/environment.h"
#include "installer/settings_store.h"

namespace installer {

namespace fs = hbsdk::filesystem;

asset_library_lookup look_up_asset_library(std::string_view value_name, std::string_view variable_name) {
  if (const auto store = settings_store::open(settings_key, settings_store::mode::read)) {
    if (const auto stored = store->read_text(fs::to_wide(value_name), max_stored_folder_units)) {
      return {fs::file_path(std::u16string_view(*stored)), asset_library_source::stored};
    }
  }
  if (const auto value = environment_variable(fs::to_wide(variable_name)); value && !value->empty()) {
    return {fs::file_path(std::u16string_view(*value)), asset_library_source::environment};
  }
  fs::file_path documents = documents_folder();
  if (documents.empty()) return {};
  return {std::move(documents), asset_library_source::documents};
}

fs::file_path find_asset_library(std::string_view value_name, std::string_view variable_name) {
  return look_up_asset_library(value_name, variable_name).folder;
}

bool record_asset_library(std::string_view value_name, const fs::file_path& folder) {
  auto store = settings_store::open(settings_key, settings_store::mode::write);
  return store && store->write_text(fs::to_wide(value_name), fs::to_wide(fs::display_text(folder)));
}

}  // namespace installer

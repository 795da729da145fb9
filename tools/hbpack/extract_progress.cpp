#include "tools/hbpack/extract_progress.h"

#include "tools/hbpack/printable_name.h"

namespace hbpack {

void extract_progress::reading(table_item item, std::uint32_t number) {
  item_ = item;
  number_ = number;
  entered_ = false;
}

void extract_progress::entering(std::string_view name) {
  try {
    entry_.assign(name);
    entered_ = true;
  } catch (...) {
    entered_ = false;  // only the message loses the name
  }
}

std::string extract_progress::stopped_at(const std::string& archive, const std::string& target) const {
  if (entered_) return target + "/" + printable_name(entry_);
  switch (item_) {
    case table_item::header: return archive;
    case table_item::directory_record: return archive + ": directory record " + std::to_string(number_);
    case table_item::file_count: return archive + ": file count";
    case table_item::file_record: return archive + ": file record " + std::to_string(number_);
  }
  return archive;
}

}  // namespace hbpack

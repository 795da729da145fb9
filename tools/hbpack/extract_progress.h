#pragma once
// What hbpack extract watches while the engine runs: it moves the progress
// bar as compressed bytes are taken in, and keeps the place the run is at, so
// that a failure can be pinned on the record or the entry it stopped at.

#include <cstdint>
#include <string>
#include <string_view>

#include "installer/payload/archive_extractor.h"
#include "tools/hbpack/progress_bar.h"

namespace hbpack {

class extract_progress final : public installer::archive_extractor::observer {
public:
  explicit extract_progress(progress_bar& bar) : bar_(bar) {}

  void reading(table_item item, std::uint32_t number) override;
  void entering(std::string_view name) override;
  void consumed(std::uint64_t compressed_bytes) override { bar_.advance(compressed_bytes); }

  // Where the run stopped: the entry joined to the target ("<target>/<name>",
  // the name printed escaped) once its record was read; otherwise the
  // archive and the table item ("<archive>: file record 3"), or the archive
  // alone for its header.
  std::string stopped_at(const std::string& archive, const std::string& target) const;

private:
  progress_bar& bar_;
  table_item item_ = table_item::header;
  std::uint32_t number_ = 0;
  bool entered_ = false;
  std::string entry_;
};

}  // namespace hbpack

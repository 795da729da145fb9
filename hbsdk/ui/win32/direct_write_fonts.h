#pragma once
// The fonts DirectWrite lays text out with: a family that is not in the
// system font collection is replaced by one that is (a sans-serif UI font
// of a list, else the collection's first family), so text never goes
// without a font; and, where DirectWrite has IDWriteFactory2 (Windows 8.1
// and later, and Wine), a font fallback for characters the chosen font
// lacks: the system's fallback, then the families of that list that are
// installed. Older DirectWrite keeps its own fallback.

#include "hbsdk/ui/win32/com_ptr.h"

#include <dwrite.h>
#include <dwrite_2.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace hbsdk::ui::win32 {

class direct_write_fonts {
public:
  explicit direct_write_fonts(IDWriteFactory& factory);

  // The asked family when the collection has it (names compare without
  // regard to case, as DirectWrite compares them), else the substitute. An
  // empty name takes the substitute too.
  const std::u16string& family_for(std::u16string_view asked);
  // The family used for one that is missing; empty when the collection is
  // empty or cannot be read.
  const std::u16string& substitute() const noexcept { return substitute_; }

  // Gives the layout the font fallback, where DirectWrite has one to give.
  void apply_fallback(IDWriteTextLayout& layout) const;
  bool has_fallback() const noexcept { return fallback_.get() != nullptr; }

private:
  bool has_family(std::u16string_view name) const;
  void make_fallback(IDWriteFactory& factory);

  com_ptr<IDWriteFontCollection> collection_;
  std::vector<std::u16string> installed_candidates_;  // of the list, in its order
  std::u16string substitute_;
  std::map<std::u16string, std::u16string, std::less<>> chosen_;
  com_ptr<IDWriteFontFallback> fallback_;
};

}  // namespace hbsdk::ui::win32

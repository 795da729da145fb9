#include "hbsdk/ui/win32/direct_write_fonts.h"

namespace hbsdk::ui::win32 {
namespace {

// Sans-serif fonts for user interfaces, best first: those of Windows, then
// those found on Linux desktops (which Wine lists as system fonts).
constexpr const char16_t* candidates[] = {
    u"Tahoma",          u"Segoe UI",   u"Verdana",        u"Microsoft Sans Serif", u"Arial",
    u"Liberation Sans", u"DejaVu Sans", u"Noto Sans",     u"Nimbus Sans",          u"FreeSans",
};

const WCHAR* as_wide(const std::u16string& text) noexcept { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// The collection's first family name (its first localised name).
std::u16string first_family(IDWriteFontCollection& collection) {
  for (UINT32 i = 0; i < collection.GetFontFamilyCount(); ++i) {
    com_ptr<IDWriteFontFamily> family;
    com_ptr<IDWriteLocalizedStrings> names;
    UINT32 length = 0;
    if (FAILED(collection.GetFontFamily(i, family.put())) || FAILED(family->GetFamilyNames(names.put())) ||
        names->GetCount() == 0 || FAILED(names->GetStringLength(0, &length))) {
      continue;
    }
    std::u16string name(length + 1, u'\0');
    if (SUCCEEDED(names->GetString(0, reinterpret_cast<WCHAR*>(name.data()), length + 1))) {
      name.resize(length);
      if (!name.empty()) return name;
    }
  }
  return {};
}

}  // namespace

direct_write_fonts::direct_write_fonts(IDWriteFactory& factory) {
  if (FAILED(factory.GetSystemFontCollection(collection_.put(), FALSE))) {
    collection_.reset();
  }
  for (const char16_t* candidate : candidates) {
    if (has_family(candidate)) installed_candidates_.emplace_back(candidate);
  }
  if (!installed_candidates_.empty()) {
    substitute_ = installed_candidates_.front();
  } else if (collection_) {
    substitute_ = first_family(*collection_.get());
  }
  make_fallback(factory);
}

bool direct_write_fonts::has_family(std::u16string_view name) const {
  if (!collection_ || name.empty()) return false;
  const std::u16string terminated(name);
  UINT32 index = 0;
  BOOL exists = FALSE;
  return SUCCEEDED(collection_->FindFamilyName(as_wide(terminated), &index, &exists)) && exists;
}

const std::u16string& direct_write_fonts::family_for(std::u16string_view asked) {
  const auto found = chosen_.find(asked);
  if (found != chosen_.end()) return found->second;
  const bool keep = has_family(asked) || substitute_.empty();
  return chosen_.emplace(std::u16string(asked), keep ? std::u16string(asked) : substitute_).first->second;
}

void direct_write_fonts::make_fallback(IDWriteFactory& factory) {
  // IDWriteFactory2 is asked for at run time: DirectWrite before Windows 8.1
  // has none, and layouts then keep the fallback they have.
  com_ptr<IDWriteFactory2> newer;
  if (FAILED(factory.QueryInterface(__uuidof(IDWriteFactory2), newer.put_void()))) return;
  com_ptr<IDWriteFontFallbackBuilder> builder;
  if (FAILED(newer->CreateFontFallbackBuilder(builder.put()))) return;
  // Mappings are tried in the order they were added: the system's first,
  // then every character to the installed fonts of the list.
  com_ptr<IDWriteFontFallback> system;
  if (SUCCEEDED(newer->GetSystemFontFallback(system.put()))) {
    builder->AddMappings(system.get());
  }
  if (!installed_candidates_.empty()) {
    std::vector<const WCHAR*> names;
    for (const std::u16string& name : installed_candidates_) names.push_back(as_wide(name));
    const DWRITE_UNICODE_RANGE everything{0, 0x10FFFF};
    builder->AddMapping(&everything, 1, names.data(), static_cast<UINT32>(names.size()), collection_.get(), nullptr,
                        nullptr, 1.0f);
  }
  if (FAILED(builder->CreateFontFallback(fallback_.put()))) {
    fallback_.reset();
  }
}

void direct_write_fonts::apply_fallback(IDWriteTextLayout& layout) const {
  if (!fallback_) return;
  com_ptr<IDWriteTextLayout2> newer;
  if (SUCCEEDED(layout.QueryInterface(__uuidof(IDWriteTextLayout2), newer.put_void()))) {
    newer->SetFontFallback(fallback_.get());
  }
}

}  // namespace hbsdk::ui::win32

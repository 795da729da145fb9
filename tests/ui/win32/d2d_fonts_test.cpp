// Fonts under DirectWrite: a family the system lacks is drawn in one it has,
// in the project's prefix (Tahoma registered) and in a prefix that registers
// no font (HB_PLAIN_PREFIX=1, where the system has no Tahoma at all).
#include "ui/win32/d2d_canvas.h"

#include "hbsdk/ui/win32/direct_write_fonts.h"
#include "hbsdk/ui/win32/graphics_factories.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace hb_test;

namespace {

bool plain_prefix() {
  const char* value = std::getenv("HB_PLAIN_PREFIX");
  return value != nullptr && std::string(value) == "1";
}

// Whether the system collection has the family.
bool installed(std::u16string_view family) {
  const ui::win32::com_ptr<IDWriteFactory> factory = ui::win32::create_write_factory();
  ui::win32::com_ptr<IDWriteFontCollection> collection;
  EXPECT_TRUE(SUCCEEDED(factory->GetSystemFontCollection(collection.put(), FALSE)));
  const std::u16string name(family);
  UINT32 index = 0;
  BOOL exists = FALSE;
  return SUCCEEDED(collection->FindFamilyName(reinterpret_cast<const WCHAR*>(name.c_str()), &index, &exists)) &&
         exists;
}

// The ink of one line of text in the family, drawn red on a clear canvas.
ui::edge_rect ink_of(const std::string& family, const std::string& text) {
  d2d_canvas canvas(400, 40);
  canvas.paint([&](ui::renderer& r) {
    r.set_font(family, 15.0f, 2, 0);
    r.set_text_alignment(0, 1);
    r.text_color = red_colour;
    r.draw_text({5, 5, 390, 30}, text);
  });
  return canvas.drawn_box({0, 0, 400, 40});
}

}  // namespace

TEST(d2d_fonts, a_missing_family_is_replaced_by_one_the_system_has) {
  const ui::win32::com_ptr<IDWriteFactory> factory = ui::win32::create_write_factory();
  ui::win32::direct_write_fonts fonts(*factory.get());
  ASSERT_FALSE(fonts.substitute().empty()) << "the system collection lists no family";
  EXPECT_TRUE(installed(fonts.substitute()));
  EXPECT_EQ(fonts.family_for(u"No Such Family 7Q"), fonts.substitute());
  EXPECT_EQ(fonts.family_for(u""), fonts.substitute());
  for (const std::u16string_view asked : {u"Tahoma", u"tahoma", u"Verdana", u"verdana"}) {
    const std::u16string& chosen = fonts.family_for(asked);
    EXPECT_TRUE(installed(chosen));
    // A family the system has is kept as it was asked for.
    if (installed(asked)) {
      EXPECT_EQ(chosen, asked);
    }
  }
  // Whether Wine lists its own Tahoma in a prefix that registers no font
  // differs from one machine to another; the missing family above is the
  // case under test there.
  if (!plain_prefix()) {
    EXPECT_EQ(fonts.substitute(), u"Tahoma");  // first of the list, registered by the project's prefix
  }
  // Wine 8 and Windows 8.1 have IDWriteFactory2, so the fallback is made.
  EXPECT_TRUE(fonts.has_fallback());
}

TEST(d2d_fonts, the_wizards_families_and_a_missing_one_all_draw_their_text) {
  for (const std::string family : {"tahoma", "verdana", "No Such Family 7Q", ""}) {
    SCOPED_TRACE(family);
    const ui::edge_rect box = ink_of(family, "Tidewater Kit Pack");
    EXPECT_GT(box.right - box.left, 80);
    EXPECT_GT(box.bottom - box.top, 6);
  }
}

TEST(d2d_fonts, every_part_of_a_mixed_script_name_takes_room) {
  // Latin with an umlaut draws with the chosen font; what the symbol and the
  // CJK characters show depends on the fonts the system has (under Wine
  // without a CJK font, boxes), but each part takes room on the line.
  const ui::edge_rect latin = ink_of("tahoma", "my l\xC3\xA4" "brary");
  const ui::edge_rect with_check = ink_of("tahoma", "my l\xC3\xA4" "brary \xE2\x9C\x93");
  const ui::edge_rect with_cjk = ink_of("tahoma", "my l\xC3\xA4" "brary \xE2\x9C\x93 \xE6\x96\x87\xE4\xBB\xB6");
  EXPECT_GT(latin.right - latin.left, 40);
  EXPECT_GT(with_check.right, latin.right + 4);
  EXPECT_GT(with_cjk.right, with_check.right + 8);
}

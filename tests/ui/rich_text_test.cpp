// Rich text: the markup parser on well-formed and malformed input, the
// attribute values, and documents laid out through a recording backend.
#include "window_fixture.h"

#include "hbsdk/ui/markup_parser.h"
#include "hbsdk/ui/rich_text.h"
#include "hbsdk/ui/unpaired_surrogates.h"

#include <cmath>

namespace {

struct expected_run {
  std::uint32_t start, length;
  std::u16string tag, attributes;
};

void expect_parse(const std::string& markup, const std::u16string& text, const std::vector<expected_run>& runs) {
  SCOPED_TRACE(markup);
  const ui::parsed_markup parsed = ui::parse_markup(markup);
  EXPECT_EQ(parsed.text, text);
  ASSERT_EQ(parsed.runs.size(), runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(parsed.runs[i].start, runs[i].start) << i;
    EXPECT_EQ(parsed.runs[i].length, runs[i].length) << i;
    EXPECT_EQ(parsed.runs[i].tag, runs[i].tag) << i;
    EXPECT_EQ(parsed.runs[i].attributes, runs[i].attributes) << i;
  }
}

}  // namespace

TEST(markup_parser, well_formed_markup_gives_plain_text_and_runs_in_utf16_units) {
  expect_parse("plain", u"plain", {});
  expect_parse("a <b>bold</b> c", u"a bold c", {{2, 4, u"b", u""}});
  expect_parse("<u>x<b>y</b>z</u>", u"xyz", {{0, 3, u"u", u""}, {1, 1, u"b", u""}});  // outer first
  expect_parse("<font face=\"Tahoma\" size=\"14.5\">T</font>", u"T", {{0, 1, u"font", u"face=\"Tahoma\" size=\"14.5\""}});
  expect_parse("\xC3\xA9<b>\xF0\x9F\x98\x80</b>", u"\u00E9\U0001F600", {{1, 2, u"b", u""}});  // a surrogate pair counts 2
  expect_parse("&lt;b&gt; &amp; &quot;", u"<b> & \"", {});
  expect_parse("<b></b>x", u"x", {{0, 0, u"b", u""}});
}

TEST(markup_parser, malformed_markup_has_a_defined_result) {
  expect_parse("a < b > c", u"a < b > c", {});                        // not tags
  expect_parse("1 > 0", u"1 > 0", {});                                // a stray >
  expect_parse("<b>open", u"open", {{0, 4, u"b", u""}});               // closed at the end
  expect_parse("x</b>y", u"xy", {});                                  // nothing to close
  expect_parse("<b>a<u>b</b>c</u>", u"abc", {{0, 2, u"b", u""}, {1, 1, u"u", u""}});  // </b> closes u too
  expect_parse("<i>it</i>", u"it", {{0, 2, u"i", u""}});              // unknown: kept, ignored later
  expect_parse("<b/>x", u"x", {});
  expect_parse("< b>", u"< b>", {});
  expect_parse("<b<u>>", u"<b>", {{2, 1, u"u", u""}});  // "<b" is text, <u> opens, ">" is text
  expect_parse("&unknown; &", u"&unknown; &", {});
  expect_parse("<b>\xC3(\xFF</b>", u"\uFFFD(\uFFFD", {{0, 3, u"b", u""}});
  expect_parse(std::string("a\0<b>b</b>", 10), u"a", {});
}

TEST(markup_parser, a_quoted_attribute_value_may_hold_a_greater_than_sign) {
  expect_parse("<font face=\"a>b\" size=\"9\">T</font>x", u"Tx", {{0, 1, u"font", u"face=\"a>b\" size=\"9\""}});
  expect_parse("<font face=\">\">T</font>", u"T", {{0, 1, u"font", u"face=\">\""}});
  EXPECT_EQ(ui::resolve_run(ui::parse_markup("<font face=\"1>2\">T</font>").runs.at(0)).family,
            std::u16string(u"1>2"));
  // A quote left open reaches the next "<": no tag, all plain text.
  expect_parse("<font face=\"a>b</font>", u"<font face=\"a>b", {});
  // A ">" outside quotes still ends the tag.
  expect_parse("<font face=\"a\">b>c</font>", u"b>c", {{0, 3, u"font", u"face=\"a\""}});
}

TEST(markup_parser, many_unmatched_tags_close_as_they_should) {
  // 10000 open b tags, then 10000 closing u tags that match nothing: the
  // closings are dropped and every b closes at the end, outer first.
  std::string markup;
  for (int i = 0; i < 10000; ++i) markup += "<b>x";
  for (int i = 0; i < 10000; ++i) markup += "</u>y";
  const ui::parsed_markup parsed = ui::parse_markup(markup);
  ASSERT_EQ(parsed.text.size(), 20000u);
  ASSERT_EQ(parsed.runs.size(), 10000u);
  EXPECT_EQ(parsed.runs.front().start, 0u);
  EXPECT_EQ(parsed.runs.front().length, 20000u);
  EXPECT_EQ(parsed.runs.back().start, 9999u);
  EXPECT_EQ(parsed.runs.back().length, 10001u);

  // One closing tag deep inside closes the innermost of its name and all
  // opened after it, however many of the name are open.
  expect_parse("<u>a<b>b<u>c<b>d</u>e</b>f", u"abcdef",
               {{0, 6, u"u", u""}, {1, 4, u"b", u""}, {2, 2, u"u", u""}, {3, 1, u"b", u""}});
}

TEST(rich_text_values, colours_skip_their_first_character_and_read_three_pairs) {
  const ui::color orange = ui::parse_colour_value(u"#FF8000");
  EXPECT_FLOAT_EQ(orange.red, 1.0f);
  EXPECT_NEAR(orange.green, 0.502f, 0.001f);
  EXPECT_FLOAT_EQ(orange.blue, 0.0f);
  EXPECT_FLOAT_EQ(orange.alpha, 1.0f);
  EXPECT_EQ(ui::parse_colour_value(u"x00ff00"), (ui::color{0, 1, 0, 1}));
  // Short or broken values read what is there; missing pairs read 0.
  EXPECT_EQ(ui::parse_colour_value(u""), (ui::color{0, 0, 0, 1}));
  EXPECT_EQ(ui::parse_colour_value(u"#F"), (ui::color{15.0f / 255, 0, 0, 1}));
  EXPECT_EQ(ui::parse_colour_value(u"#FFFF"), (ui::color{1, 1, 0, 1}));
  EXPECT_EQ(ui::parse_colour_value(u"#zz8g00"), (ui::color{0, 8.0f / 255, 0, 1}));
}

TEST(rich_text_values, sizes_read_their_leading_number) {
  EXPECT_FLOAT_EQ(ui::parse_size_value(u"14.5pt"), 14.5f);
  EXPECT_FLOAT_EQ(ui::parse_size_value(u" 9"), 9.0f);
  EXPECT_FLOAT_EQ(ui::parse_size_value(u"abc"), 0.0f);
  EXPECT_FLOAT_EQ(ui::parse_size_value(u""), 0.0f);
  EXPECT_FLOAT_EQ(ui::parse_size_value(u"nan"), 0.0f);
}

TEST(rich_text_values, runs_resolve_by_exact_tag_and_attribute_markers_in_any_order) {
  const auto font = ui::resolve_run({0, 3, u"font", u"size=\"20\" color=\"#0000FF\" face=\"Tahoma\""});
  EXPECT_EQ(font.family, std::u16string(u"Tahoma"));
  EXPECT_EQ(font.size, 20.0f);
  EXPECT_EQ(font.colour, (ui::color{0, 0, 1, 1}));
  EXPECT_FALSE(font.weight.has_value());
  EXPECT_EQ(ui::resolve_run({0, 1, u"b", u""}).weight, 700);
  EXPECT_TRUE(ui::resolve_run({0, 1, u"u", u""}).underline);
  EXPECT_FALSE(ui::resolve_run({0, 1, u"B", u""}).weight.has_value());
  EXPECT_FALSE(ui::resolve_run({0, 1, u"Font", u"face=\"X\""}).family.has_value());
  EXPECT_FALSE(ui::resolve_run({0, 1, u"font", u"Face=\"X\""}).family.has_value());
  EXPECT_EQ(ui::resolve_run({0, 1, u"font", u"fontsize=\"9\""}).size, 9.0f);  // the marker inside a longer name
  EXPECT_EQ(ui::resolve_run({0, 1, u"font", u"face=\"Open"}).family, std::u16string(u"Open"));  // to the end
}

TEST_F(window_test, a_document_keeps_its_layout_per_size_and_applies_its_runs) {
  const ui::parsed_markup parsed = ui::parse_markup("<b>Hello</b> <font color=\"#FF0000\">world</font><u>!</u>");
  ui::rich_text document(parsed.text, parsed.runs);
  ui::renderer& r = win.renderer();
  r.set_text_alignment(1, 0);
  ui::rich_layout& first = document.get_layout(r, 100, 50);
  EXPECT_EQ(&document.get_layout(r, 100, 50), &first);
  EXPECT_EQ(drawing().rich_layouts_made(), 1);
  ui::rich_layout& other = document.get_layout(r, 120, 50);
  EXPECT_EQ(drawing().rich_layouts_made(), 2);
  const auto& laid_out = dynamic_cast<const support::recorded_rich_layout&>(other);
  EXPECT_EQ(laid_out.text, u"Hello world!");
  EXPECT_EQ(laid_out.base.family, u"Verdana");  // the default font, not the renderer's
  EXPECT_EQ(laid_out.base.size, 12.0f);
  EXPECT_EQ(laid_out.base.horizontal, ui::horizontal_alignment::centre);
  ASSERT_EQ(laid_out.runs.size(), 3u);
  EXPECT_EQ(laid_out.runs[0].start, 0u);
  EXPECT_EQ(laid_out.runs[0].length, 5u);
  EXPECT_EQ(laid_out.runs[0].weight, 700);
  EXPECT_EQ(laid_out.runs[1].colour, (ui::color{1, 0, 0, 1}));
  EXPECT_TRUE(laid_out.runs[2].underline);

  // New text drops the layout; a run reaching past the text is cut at its end.
  document.set(u"abc", {{1, 10, u"b", u""}, {5, 1, u"u", u""}});
  document.get_layout(r, 120, 50);
  EXPECT_EQ(drawing().rich_layouts_made(), 3);
  const auto& cut = dynamic_cast<const support::recorded_rich_layout&>(document.get_layout(r, 120, 50));
  ASSERT_EQ(cut.runs.size(), 1u);
  EXPECT_EQ(cut.runs[0].length, 2u);
}

TEST_F(window_test, drawing_a_document_uses_the_rich_text_colour_for_text_outside_colour_runs) {
  ui::rich_text document(u"text", {});
  win.renderer().begin_widget(win.root, {0, 0, 400, 300});
  win.renderer().draw_rich_text(document, {5, 6, 100, 40});
  win.renderer().end_widget();
  const auto calls = drawing().calls_of(win.root);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, support::draw_kind::rich_text);
  EXPECT_EQ(calls[0].area, (ui::rect_f{5, 6, 105, 46}));
  EXPECT_EQ(calls[0].colour, (ui::color{0, 0, 0, 1}));
}

namespace {

// A recording backend that always lives at the same address, as a new
// window's backend may land where a destroyed one was.
class same_place_backend final : public support::recording_render_backend {
public:
  static void* operator new(std::size_t size) {
    if (size > sizeof(storage) || in_use) throw std::bad_alloc();
    in_use = true;
    return storage;
  }
  static void operator delete(void*) noexcept { in_use = false; }

private:
  alignas(std::max_align_t) static inline unsigned char storage[sizeof(support::recording_render_backend) + 64];
  static inline bool in_use = false;
};

}  // namespace

TEST(rich_text_layout, a_backend_made_where_a_destroyed_one_was_gets_a_new_layout) {
  ui::rich_text document(u"text", {{0, 2, u"b", u""}});
  const void* first_place = nullptr;
  std::uint64_t first_serial = 0;
  {
    ui::renderer first(std::unique_ptr<ui::render_backend>(new same_place_backend));
    first_place = &first.backend();
    first_serial = first.backend().serial();
    document.get_layout(first, 100, 50);
    EXPECT_EQ(dynamic_cast<same_place_backend&>(first.backend()).rich_layouts_made(), 1);
  }
  ui::renderer second(std::unique_ptr<ui::render_backend>(new same_place_backend));
  ASSERT_EQ(&second.backend(), first_place);  // the case under test: the same address
  EXPECT_NE(second.backend().serial(), first_serial);
  document.get_layout(second, 100, 50);
  EXPECT_EQ(dynamic_cast<same_place_backend&>(second.backend()).rich_layouts_made(), 1);  // not the old layout
  document.get_layout(second, 100, 50);
  EXPECT_EQ(dynamic_cast<same_place_backend&>(second.backend()).rich_layouts_made(), 1);  // kept for this one
}

TEST(unpaired_surrogates, each_unpaired_unit_becomes_one_replacement_and_pairs_stay) {
  const std::u16string pair = u"\U0001F600";  // D83D DE00
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"a" + pair + u"b"), u"a" + pair + u"b");
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"a\xD800" u"b"), u"a\uFFFDb");       // a lone high unit
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"a\xDC00" u"b"), u"a\uFFFDb");       // a lone low unit
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"\xDC00\xD800"), u"\uFFFD\uFFFD");   // low before high: no pair
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"\xD800\xD83D\xDE00"), u"\uFFFD" + pair);  // the second high pairs
  EXPECT_EQ(ui::replace_unpaired_surrogates(u"x\xD800"), u"x\uFFFD");             // at the end
  EXPECT_EQ(ui::replace_unpaired_surrogates(u""), u"");
}

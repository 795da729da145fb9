#pragma once
// A piece of text over a filled background. The label takes no input; its
// looks ("default_back_color" and the "label_*" keys) are read at every
// paint. set_text can make it fit its height to the text wrapped to its
// width (plus 1, the rounding of measure_text); fitting runs again on every
// style change, so a new font size resizes a fitting label. Width fitting
// is kept as a flag, but set_text turns it off and nothing turns it on.
//
// Plain mode draws the text in the style's font and colour, at alpha 0.5
// while the label is disabled, its lines broken between words, or anywhere
// (set_wrapping) for text such as a path that must show whole and exact. Rich mode (set_document) draws a rich_text
// document, which the label does not own, once the document is ready; the
// document's own fonts and colours apply, laid out in the label's rectangle
// with the style's alignment.

#include "hbsdk/ui/text_style.h"
#include "hbsdk/ui/widget.h"

#include <string>
#include <string_view>

namespace hbsdk::ui {

class renderer;
class rich_text;

class TextLabel : public widget {
public:
  TextLabel();
  ~TextLabel() override;

  // Sets the text, turns width fitting off and height fitting on or off,
  // fits and repaints; a new text is announced as a name change.
  void set_text(std::string_view text, bool fit_height);
  // Resizes the label to its text: to the text's height (wrapped to the
  // current width) with fit height, to its unwrapped width with fit width.
  // Nothing happens without a fit flag, or outside a created window, where
  // the text cannot be measured.
  void fit();

  // Shows the document (not owned; it must outlive the label or be replaced)
  // instead of the text: rich mode on, or off again with none; repaints.
  void set_document(rich_text* document);

  // Where lines of the plain text may break (text_style.h); fits and
  // repaints.
  void set_wrapping(text_wrapping wrapping);
  text_wrapping wrapping() const noexcept { return wrapping_; }

  const std::string& text() const noexcept { return text_; }
  const rich_text* document() const noexcept { return document_; }
  bool rich() const noexcept { return rich_; }
  bool fit_width() const noexcept { return fit_width_; }
  bool fit_height() const noexcept { return fit_height_; }

protected:
  // Static text named by the plain text (a screen reader reads it).
  void describe_self(accessible_description& into) const override;

private:
  void paint();
  void paint_plain(renderer& target);
  void paint_rich(renderer& target);
  void on_style_changed();
  void set_label_font(renderer& target) const;

  std::string text_;
  rich_text* document_ = nullptr;
  bool rich_ = false;
  bool fit_width_ = false;
  bool fit_height_ = false;
  text_wrapping wrapping_ = text_wrapping::words;
};

}  // namespace hbsdk::ui

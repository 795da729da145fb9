#include "hbsdk/ui/markup_parser.h"

#include "hbsdk/filesystem/encoding.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace hbsdk::ui {
namespace {

bool is_name_unit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || (unit >= u'0' && unit <= u'9');
}

struct open_tag {
  std::size_t order;  // position among opened tags, for the run order
  std::u16string name;
  std::u16string attributes;
  std::uint32_t start;
};

struct escape {
  std::u16string_view written;
  char16_t unit;
};
constexpr escape escapes[] = {{u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'}};

class parser {
public:
  explicit parser(std::u16string source) : source_(std::move(source)) {}

  parsed_markup run() {
    std::size_t i = 0;
    while (i < source_.size()) {
      const char16_t unit = source_[i];
      if (unit == u'<') {
        const std::size_t after = tag_at(i);
        if (after != 0) {
          i = after;
          continue;
        }
      } else if (unit == u'&') {
        if (const std::size_t after = escape_at(i); after != 0) {
          i = after;
          continue;
        }
      }
      result_.text.push_back(unit);
      ++i;
    }
    while (!open_.empty()) close_innermost();
    std::stable_sort(finished_.begin(), finished_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [order, run] : finished_) result_.runs.push_back(std::move(run));
    return std::move(result_);
  }

private:
  std::uint32_t here() const { return static_cast<std::uint32_t>(result_.text.size()); }

  // A well-formed tag starting at i: handles it and returns the position
  // after it; 0 when the "<" is plain text.
  std::size_t tag_at(std::size_t i) {
    const std::size_t end = tag_end(i);
    if (end == 0) return 0;
    std::u16string_view body = std::u16string_view(source_).substr(i + 1, end - i - 1);
    const bool closing = !body.empty() && body.front() == u'/';
    if (closing) body.remove_prefix(1);
    std::size_t name_length = 0;
    while (name_length < body.size() && is_name_unit(body[name_length])) ++name_length;
    if (name_length == 0) return 0;
    const std::u16string name(body.substr(0, name_length));
    std::u16string_view rest = body.substr(name_length);
    if (closing) {
      if (!rest.empty()) return 0;
      close(name);
      return end + 1;
    }
    if (!rest.empty() && rest.front() != u' ' && rest.front() != u'/') return 0;
    if (!rest.empty() && rest.back() == u'/') return end + 1;  // an empty element makes nothing
    while (!rest.empty() && rest.front() == u' ') rest.remove_prefix(1);
    open(name, std::u16string(rest));
    return end + 1;
  }

  // The ">" that ends the tag opened at i, skipping any inside double
  // quotes; 0 when a "<" (quoted or not) or the end of the markup comes
  // first. Each scan stops at the next "<", so the scans of all tags read
  // the markup about once.
  std::size_t tag_end(std::size_t i) const {
    bool quoted = false;
    for (std::size_t j = i + 1; j < source_.size(); ++j) {
      const char16_t unit = source_[j];
      if (unit == u'<') return 0;
      if (unit == u'"') {
        quoted = !quoted;
      } else if (unit == u'>' && !quoted) {
        return j;
      }
    }
    return 0;
  }

  std::size_t escape_at(std::size_t i) {
    for (const escape& e : escapes) {
      if (std::u16string_view(source_).substr(i, e.written.size()) == e.written) {
        result_.text.push_back(e.unit);
        return i + e.written.size();
      }
    }
    return 0;
  }

  // The innermost open tag of the name is found through open_by_name_, so a
  // closing tag costs no scan of the open tags: markup with many unmatched
  // tags is parsed in linear time.
  void close(const std::u16string& name) {
    const auto found = open_by_name_.find(name);
    if (found == open_by_name_.end() || found->second.empty()) return;  // nothing of that name is open
    const std::size_t keep = found->second.back();
    while (open_.size() > keep) close_innermost();
  }

  void open(std::u16string name, std::u16string attributes) {
    open_by_name_[name].push_back(open_.size());
    open_.push_back({opened_++, std::move(name), std::move(attributes), here()});
  }

  void close_innermost() {
    open_tag& tag = open_.back();
    open_by_name_[tag.name].pop_back();
    finished_.emplace_back(tag.order, rich_run{tag.start, here() - tag.start, std::move(tag.name), std::move(tag.attributes)});
    open_.pop_back();
  }

  std::u16string source_;
  parsed_markup result_;
  std::vector<open_tag> open_;
  // For each name, the positions in open_ of its open tags, innermost last.
  std::unordered_map<std::u16string, std::vector<std::size_t>> open_by_name_;
  std::vector<std::pair<std::size_t, rich_run>> finished_;
  std::size_t opened_ = 0;
};

}  // namespace

parsed_markup parse_markup(std::string_view utf8) { return parser(filesystem::to_wide_replacing(utf8)).run(); }

}  // namespace hbsdk::ui

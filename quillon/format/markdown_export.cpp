// Writes a document as Markdown. In: the document's items and note texts.
// Out: one line per paragraph, attribute spans as Markdown marks nested so
// that they read back the same, and the notes' texts as footnote definitions
// after the text. A hyperlink becomes a link to "#" and its target's name.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "quillon/doc/charsets.h"
#include "quillon/format/markdown.h"
#include "quillon/format/text_utf8.h"

namespace quillon::format {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;

// The attributes Markdown can show, in the order they nest when they start
// and end together (the importer's nestingRank): a bracketed underline
// outermost.
constexpr std::array<int, 5> kAttributes = {doc::kUnderline, doc::kItalic, doc::kBold, doc::kSuperscript,
                                            doc::kSubscript};
constexpr std::array<std::string_view, 5> kOpen = {"[", "*", "**", "^", "~"};
constexpr std::array<std::string_view, 5> kClose = {"]{.underline}", "*", "**", "^", "~"};
constexpr std::size_t kUnderlineBit = 0;  // bits 1 and 2, italic and bold, are written with stars

int bitOf(int attribute) {
  for (std::size_t b = 0; b < kAttributes.size(); ++b) {
    if (kAttributes[b] == attribute) return static_cast<int>(b);
  }
  return -1;
}

// Characters that would read as markup if written bare.
constexpr std::string_view kEscaped = "\\*_[]^~<>#`$|";

struct Unit {
  std::string markdown;
  char ascii = 0;      // the ASCII character written, for escapes that depend on neighbours
  bool blank = false;  // reads as white space next to a mark
  std::uint8_t attributes = 0;
};

// A link destination for a bookmark name: UTF-8, with the characters that
// would end or break a destination percent-encoded.
std::string linkDestination(const std::string& name) {
  std::string out = "#";
  for (const char c : name) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte <= ' ' || std::string_view("%()<>\\").find(c) != std::string_view::npos) {
      constexpr const char* kHex = "0123456789ABCDEF";
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else if (byte < 0x80) {
      out += c;
    } else if (const auto cp = doc::cp1252ToUnicode(byte)) {
      doc::appendUtf8(out, *cp);
    }
  }
  return out;
}

class ParagraphBuilder {
 public:
  ParagraphBuilder(std::uint8_t& attributes, const std::vector<std::string>* targets)
      : attributes_(attributes), targets_(targets) {}

  // Adds one item; codes only change the attributes in force.
  void add(const Item& item, int noteNumber) {
    switch (item.kind) {
      case ItemKind::Code: return code(item);
      case ItemKind::HardSpace: return unit("\\ ", 0, false);
      case ItemKind::Tab: return unit(" ", ' ', true);
      case ItemKind::DotLeaderTab: return unit(" ..... ", 0, true);
      case ItemKind::NoteReference: return unit("[^" + std::to_string(noteNumber) + "]", 0, false);
      case ItemKind::HardReturn:
      case ItemKind::HardPageBreak: return;
      default: break;
    }
    const char32_t cp = internal::itemUnicode(item);
    if (cp == 0) return;
    if (cp < 0x80) {
      const char c = static_cast<char>(cp);
      std::string text(1, c);
      if (kEscaped.find(c) != std::string_view::npos) text.insert(0, 1, '\\');
      return unit(text, c, c == ' ');
    }
    std::string text;
    doc::appendUtf8(text, cp);
    unit(text, 0, false);
  }

  std::string finish() {
    escapeByPosition();
    trimEdges();
    return render();
  }

 private:
  void code(const Item& item) {
    if (targets_ && item.code == CodeKind::HyperlinkStart) {
      const auto index = static_cast<std::size_t>(std::max(0, item.value));
      linkTarget_ = index < targets_->size() ? (*targets_)[index] : std::string{};
      return unit("[", 0, false);
    }
    if (targets_ && item.code == CodeKind::HyperlinkEnd) return unit("](" + linkDestination(linkTarget_) + ")", 0, false);
    if (item.code != CodeKind::AttributeOn && item.code != CodeKind::AttributeOff) return;
    const int bit = bitOf(item.value);
    if (bit < 0) return;  // attributes Markdown has no mark for are dropped
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    attributes_ = item.code == CodeKind::AttributeOn ? attributes_ | mask : attributes_ & ~mask;
  }

  void unit(std::string text, char ascii, bool blank) {
    units_.push_back({std::move(text), ascii, blank, attributes_});
  }

  // Hyphens next to hyphens would read as dashes; a paragraph that starts
  // like a list item or a div fence would read as one.
  void escapeByPosition() {
    for (std::size_t i = 0; i < units_.size(); ++i) {
      if (units_[i].ascii != '-') continue;
      const bool before = i > 0 && units_[i - 1].ascii == '-';
      const bool after = i + 1 < units_.size() && units_[i + 1].ascii == '-';
      if (before || after) units_[i].markdown = "\\-";
    }
    if (units_.empty()) return;
    const auto followedByBlank = [&](std::size_t i) { return i + 1 < units_.size() && units_[i + 1].blank; };
    Unit& first = units_.front();
    if ((first.ascii == '-' || first.ascii == '+') && followedByBlank(0)) first.markdown.insert(0, 1, '\\');
    if (first.ascii == ':') first.markdown = "\\:";
    // A note reference then a colon would read as a note's definition.
    if (units_.size() > 1 && first.markdown.starts_with("[^") && units_[1].ascii == ':') units_[1].markdown = "\\:";
    std::size_t digits = 0;
    while (digits < units_.size() && units_[digits].ascii >= '0' && units_[digits].ascii <= '9') ++digits;
    if (digits > 0 && digits < units_.size() && (units_[digits].ascii == '.' || units_[digits].ascii == ')') &&
        followedByBlank(digits)) {
      units_[digits].markdown.insert(0, 1, '\\');
    }
  }

  // Emphasis marks cannot stand next to white space inside the span, so such
  // blanks fall outside it. Underline is bracketed and keeps its blanks.
  void trimEdges() {
    for (std::size_t bit = 0; bit < kAttributes.size(); ++bit) {
      if (bit == kUnderlineBit) continue;
      const auto mask = static_cast<std::uint8_t>(1u << bit);
      std::size_t i = 0;
      while (i < units_.size()) {
        if (!(units_[i].attributes & mask)) {
          ++i;
          continue;
        }
        std::size_t end = i;
        while (end < units_.size() && (units_[end].attributes & mask)) ++end;
        std::size_t first = i;
        while (first < end && units_[first].blank) units_[first++].attributes &= ~mask;
        std::size_t last = end;
        while (last > first && units_[last - 1].blank) units_[--last].attributes &= ~mask;
        i = end;
      }
    }
  }

  std::string render() const {
    // runEnd[b][i]: the last unit of the run of attribute b holding unit i.
    std::array<std::vector<std::size_t>, kAttributes.size()> runEnd;
    for (std::size_t b = 0; b < kAttributes.size(); ++b) {
      runEnd[b].assign(units_.size(), 0);
      for (std::size_t i = units_.size(); i-- > 0;) {
        const bool has = units_[i].attributes & (1u << b);
        const bool nextHas = i + 1 < units_.size() && (units_[i + 1].attributes & (1u << b));
        runEnd[b][i] = has && nextHas ? runEnd[b][i + 1] : i;
      }
    }
    std::string out;
    std::vector<std::size_t> open;  // bits, outermost first
    bool afterBlank = true;  // a star after white space can only open
    for (std::size_t i = 0; i < units_.size(); ++i) {
      const Unit& u = units_[i];
      // Spans open after the first `keep` ones close, innermost first.
      std::size_t keep = 0;
      while (keep < open.size() && (u.attributes & (1u << open[keep]))) ++keep;
      const auto startingAfter = [&](std::size_t kept) {
        std::vector<std::size_t> starting;
        for (std::size_t b = 0; b < kAttributes.size(); ++b) {
          const bool wanted = u.attributes & (1u << b);
          if (!wanted || std::find(open.begin(), open.begin() + static_cast<std::ptrdiff_t>(kept), b) !=
                             open.begin() + static_cast<std::ptrdiff_t>(kept)) {
            continue;
          }
          starting.push_back(b);
        }
        // The span that lasts longest goes outside, so spans close in order.
        std::sort(starting.begin(), starting.end(), [&](std::size_t a, std::size_t b) {
          if (runEnd[a][i] != runEnd[b][i]) return runEnd[a][i] > runEnd[b][i];
          return a < b;  // the importer's order for spans that start and end together
        });
        return starting;
      };
      std::vector<std::size_t> starting = startingAfter(keep);
      // A star that could also close would close the open star span instead
      // of opening ("**a*b" reads as italic a and a star): close the star
      // spans too and open everything afresh.
      const auto isStar = [](std::size_t b) { return b == 1 || b == 2; };
      // A caret, tilde or bracket opened just before a star stands between
      // it and the blank, so the star may close even after white space
      // ("***a* b ^*c* d^ e**" would end the bold at c).
      const auto firstStar = std::find_if(starting.begin(), starting.end(), isStar);
      const bool markBeforeStar = firstStar != starting.end() && firstStar != starting.begin();
      const bool mayClose = !afterBlank || keep < open.size() || markBeforeStar;
      if (mayClose && std::any_of(starting.begin(), starting.end(), isStar)) {
        const auto star = std::find_if(open.begin(), open.begin() + static_cast<std::ptrdiff_t>(keep), isStar);
        if (star != open.begin() + static_cast<std::ptrdiff_t>(keep)) {
          keep = static_cast<std::size_t>(star - open.begin());
          starting = startingAfter(keep);
        }
      }
      const bool closed = open.size() > keep;
      closeDownTo(out, open, keep, afterBlank);
      // A closing mark right before an opening one of the same character
      // would read as one run; an empty span keeps them apart.
      if (closed && !starting.empty() && !out.empty() && out.back() == kOpen[starting.front()].front()) {
        out += "[]{}";
      }
      for (std::size_t b : starting) {
        out += kOpen[b];
        open.push_back(b);
      }
      // An emphasis mark before white space would not open: the blank goes
      // into an empty span, which reads as no white space.
      const bool shielded = u.blank && std::any_of(starting.begin(), starting.end(),
                                                   [](std::size_t b) { return b != kUnderlineBit; });
      out += shielded ? "[" + u.markdown + "]{}" : u.markdown;
      afterBlank = u.blank && !shielded;
    }
    closeDownTo(out, open, 0, afterBlank);
    return out;
  }

  // Closes spans until `keep` stay open. A star, caret or tilde right after
  // white space would not close, so an empty span stands between them.
  static void closeDownTo(std::string& out, std::vector<std::size_t>& open, std::size_t keep, bool afterBlank) {
    if (open.size() > keep && afterBlank && open.back() != kUnderlineBit) out += "[]{}";
    while (open.size() > keep) {
      out += kClose[open.back()];
      open.pop_back();
    }
  }

  std::uint8_t& attributes_;
  const std::vector<std::string>* targets_;  // null: links are not written
  std::string linkTarget_;
  std::vector<Unit> units_;
};

// The paragraphs of `items`, each as one line of Markdown, and whether a
// hard page break ends it. Empty paragraphs vanish: Markdown cannot hold them.
struct Paragraph {
  std::string markdown;
  bool pageBreak = false;
};

std::vector<Paragraph> paragraphs(const std::vector<Item>& items, int& noteNumber,
                                  std::vector<std::size_t>* referenced,
                                  const std::vector<std::string>* targets = nullptr) {
  std::vector<Paragraph> out;
  std::uint8_t attributes = 0;
  std::size_t i = 0;
  while (i < items.size()) {
    ParagraphBuilder builder(attributes, targets);
    bool pageBreak = false;
    for (; i < items.size(); ++i) {
      const Item& item = items[i];
      if (item.kind == ItemKind::NoteReference && referenced) {
        referenced->push_back(static_cast<std::size_t>(std::max(0, item.value)));
        builder.add(item, ++noteNumber);
        continue;
      }
      builder.add(item, 0);
      if (item.endsParagraph()) {
        pageBreak = item.kind == ItemKind::HardPageBreak;
        ++i;
        break;
      }
    }
    out.push_back({builder.finish(), pageBreak});
  }
  return out;
}

}  // namespace

std::string exportMarkdown(const doc::Document& document) {
  std::string out;
  const auto addBlock = [&](std::string_view block) {
    if (!out.empty()) out += "\n\n";
    out += block;
  };
  int noteNumber = 0;
  std::vector<std::size_t> referenced;
  for (const Paragraph& p : paragraphs(document.items(), noteNumber, &referenced, &document.targets())) {
    if (!p.markdown.empty()) addBlock(p.markdown);
    if (p.pageBreak) addBlock("\\newpage");
  }
  const auto& notes = document.notes();
  for (std::size_t n = 0; n < referenced.size(); ++n) {
    std::string definition = "[^" + std::to_string(n + 1) + "]:";
    if (referenced[n] < notes.size()) {
      int unused = 0;
      bool first = true;
      for (const Paragraph& p : paragraphs(notes[referenced[n]], unused, nullptr)) {
        if (p.markdown.empty()) continue;
        definition += first ? " " : "\n\n    ";
        definition += p.markdown;
        first = false;
      }
    }
    addBlock(definition);
  }
  out += '\n';
  return out;
}

}  // namespace quillon::format

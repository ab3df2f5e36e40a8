// Turns a paragraph's inline Markdown into items. Delimiters are matched the
// way Markdown readers do it: openers wait on a stack, a closer takes the
// nearest opener of its kind and openers left between them become text. Each
// delimiter is pushed and popped once, so the work stays linear.
#include "quillon/format/markdown_inline.h"

#include <array>
#include <cstdio>
#include <cstdint>

#include "quillon/doc/charsets.h"
#include "quillon/format/text_utf8.h"

namespace quillon::format::internal {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;

enum class Delim : std::uint8_t { Star, Underscore, Sup, Sub, Strike, UTag, Bracket };
constexpr std::size_t kDelimKinds = 7;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::size_t kLongestNoteId = 200;
constexpr std::size_t kPairingDepth = 8;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isAlnum(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || u >= 0x80;
}
bool isAsciiPunctuation(char c) {
  return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}
bool isNoteIdChar(char c) {
  return c > ' ' && c < 0x7F && c != ']' && c != '[' && c != '^' && c != '\\';
}

Item on(int attribute) { return Item::codeOf(CodeKind::AttributeOn, attribute); }
Item off(int attribute) { return Item::codeOf(CodeKind::AttributeOff, attribute); }

// One output unit: an item, or an opener whose meaning is known only once
// its closer is (or is not) found.
struct Piece {
  Item item;
  bool slot = false;
  Delim delim = Delim::Star;
  std::uint8_t count = 0;  // opener characters a closer may still use
  std::uint8_t original = 0;  // length of the opener's run as typed, modulo 3
  bool couldClose = false;    // the run could have closed, too
  std::array<std::uint8_t, 3> layers{};  // attributes closers took, innermost first
  std::uint8_t layerCount = 0;
  bool matched = false;
  bool underline = false;  // a matched bracket span with class "underline"
};

struct Opener {
  std::size_t piece = 0;
  Delim delim = Delim::Star;
  bool alive = true;  // false: a bracket that turned out to be plain text
};

class InlineParser {
 public:
  InlineParser(const MarkdownBlock& block, InlineContext& context)
      : text_(block.text), line_(block.firstLine), literal_(block.literal), context_(context) {}

  std::vector<Item> run() {
    skipBlanks();
    while (pos_ < text_.size()) {
      if (literal_) {
        literalStep();
      } else {
        step();
      }
    }
    trimTrailingBlanks();
    return render();
  }

 private:
  void step() {
    const char c = text_[pos_];
    switch (c) {
      case '\\': return escape();
      case '\n': return lineBreak(1);
      case ' ': return whitespace(Item::character(' '));
      case '\t': return whitespace(Item::of(ItemKind::Tab));
      case '*':
      case '_': return emphasisRun(c);
      case '^': return singleDelimiter(Delim::Sup, doc::kSuperscript, '^');
      case '~': return tildeRun();
      case '<': return angle();
      case '[': return openBracket();
      case ']': return closeBracket();
      case '-': return dashes();
      case '\r': ++pos_; return;
      default: break;
    }
    if (static_cast<unsigned char>(c) >= 0x80) return nonAscii();
    ++pos_;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return;  // control bytes have no place in text
    text(Item::character(static_cast<std::uint8_t>(c)), isAlnum(c));
  }

  // Code blocks: characters as typed, line ends as blanks.
  void literalStep() {
    const char c = text_[pos_];
    if (c == '\n') return lineBreak(1);
    if (c == '\t') return whitespace(Item::of(ItemKind::Tab));
    if (static_cast<unsigned char>(c) >= 0x80) return nonAscii();
    ++pos_;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return;
    text(Item::character(static_cast<std::uint8_t>(c)), isAlnum(c));
  }

  // --- Plain output ------------------------------------------------------
  void text(Item item, bool alnum = false) {
    pieces_.push_back({item});
    prevSpace_ = false;
    prevAlnum_ = alnum;
  }
  void literalText(std::string_view s) {
    for (char c : s) pieces_.push_back({Item::character(static_cast<std::uint8_t>(c))});
    prevSpace_ = false;
    prevAlnum_ = !s.empty() && isAlnum(s.back());
  }
  void whitespace(Item item) {
    ++pos_;
    pieces_.push_back({item});
    prevSpace_ = true;
    prevAlnum_ = false;
  }
  void warn(const std::string& message) {
    if (context_.warnings) context_.warnings->push_back("line " + std::to_string(line_) + ": " + message);
  }

  static bool isBlankPiece(const Piece& p) {
    return !p.slot && (p.item == Item::character(' ') || p.item.kind == ItemKind::Tab);
  }
  void trimTrailingBlanks() {
    while (!pieces_.empty() && isBlankPiece(pieces_.back())) pieces_.pop_back();
  }
  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  // A line end (soft, or hard after "\" or two blanks) reads as one blank.
  void lineBreak(std::size_t length) {
    pos_ += length;
    ++line_;
    trimTrailingBlanks();
    if (!pieces_.empty()) pieces_.push_back({Item::character(' ')});
    prevSpace_ = true;
    prevAlnum_ = false;
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  void escape() {
    const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
    if (next == '\n') return lineBreak(2);
    if (next == ' ') {
      pos_ += 2;
      return text(Item::of(ItemKind::HardSpace));
    }
    if (isAsciiPunctuation(next)) {
      pos_ += 2;
      return text(Item::character(static_cast<std::uint8_t>(next)));
    }
    ++pos_;
    text(Item::character('\\'));
  }

  void nonAscii() {
    const char32_t cp = decodeUtf8(text_, pos_);
    if (cp == kInvalidUtf8) {
      warn("invalid UTF-8; typed as ?");
      return text(Item::character('?'));
    }
    if (cp == 0xFEFF) return;  // a byte-order mark says nothing about the text
    if (auto item = hostItemFor(cp)) return text(*item, item->kind != ItemKind::HardSpace);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    warn(std::string(code) + " has no host character; typed as ?");
    text(Item::character('?'));
  }

  // "--" and "---" are how Markdown writers spell en and em dashes.
  void dashes() {
    std::size_t n = 0;
    while (pos_ + n < text_.size() && text_[pos_ + n] == '-') ++n;
    pos_ += n;
    for (std::size_t i = 0; i < n / 3; ++i) text(Item::special(4, 34));
    if (n % 3 == 2) text(Item::special(4, 33));
    if (n % 3 == 1) text(Item::character('-'));
  }

  // --- Delimiters --------------------------------------------------------
  bool nextIsSpace(std::size_t at) const { return at >= text_.size() || isSpace(text_[at]); }
  bool nextIsAlnum(std::size_t at) const { return at < text_.size() && isAlnum(text_[at]); }

  std::vector<std::size_t>& kind(Delim d) { return byKind_[static_cast<std::size_t>(d)]; }

  void pushOpener(Delim d, std::uint8_t count, std::size_t original = 1, bool couldClose = false) {
    Piece p;
    p.slot = true;
    p.delim = d;
    p.count = count;
    p.original = static_cast<std::uint8_t>(original % 3);
    p.couldClose = couldClose;
    pieces_.push_back(p);
    kind(d).push_back(stack_.size());
    stack_.push_back({pieces_.size() - 1, d, true});
    prevSpace_ = false;
    prevAlnum_ = false;
  }

  // Openers above stack entry k were never closed: they stay text.
  void popAbove(std::size_t k) {
    while (stack_.size() > k + 1) {
      if (stack_.back().alive) kind(stack_.back().delim).pop_back();
      stack_.pop_back();
    }
  }
  void popTop() {
    if (stack_.back().alive) kind(stack_.back().delim).pop_back();
    stack_.pop_back();
  }

  // The stack entry of the nearest opener of kind d that a closing run of
  // length n may pair with, or kNone. A run that could open or close pairs
  // by length: in "**a*b*c**" the first single star opens, so b alone is
  // italic. The search looks a few openers deep only, keeping the work linear.
  std::size_t pairingOpener(Delim d, std::size_t n, bool closerCanOpen) {
    const std::vector<std::size_t>& openers = kind(d);
    const std::size_t deepest = openers.size() > kPairingDepth ? openers.size() - kPairingDepth : 0;
    for (std::size_t j = openers.size(); j-- > deepest;) {
      const Piece& opener = pieces_[stack_[openers[j]].piece];
      const bool byLength = closerCanOpen || opener.couldClose;
      if (byLength && (opener.original + n) % 3 == 0 && !(opener.original == 0 && n % 3 == 0)) continue;
      return openers[j];
    }
    return kNone;
  }

  void emphasisRun(char c) {
    std::size_t n = 0;
    while (pos_ + n < text_.size() && text_[pos_ + n] == c) ++n;
    const bool star = c == '*';
    const bool canOpen = !nextIsSpace(pos_ + n) && (star || !prevAlnum_);
    const bool canClose = !prevSpace_ && (star || !nextIsAlnum(pos_ + n));
    pos_ += n;
    const Delim d = star ? Delim::Star : Delim::Underscore;
    std::size_t remaining = n;
    bool closed = false;
    if (canClose) {
      while (remaining > 0) {
        const std::size_t k = pairingOpener(d, n, canOpen);
        if (k == kNone) break;
        Piece& opener = pieces_[stack_[k].piece];
        const std::uint8_t use = (remaining >= 2 && opener.count >= 2) ? 2 : 1;
        const int attribute = use == 2 ? doc::kBold : doc::kItalic;
        popAbove(k);
        opener.count = static_cast<std::uint8_t>(opener.count - use);
        opener.layers[opener.layerCount++] = static_cast<std::uint8_t>(attribute);
        if (opener.count == 0) popTop();
        pieces_.push_back({off(attribute)});
        remaining -= use;
        closed = true;
      }
    }
    if (remaining > 0 && canOpen) {
      if (remaining > 3) literalText(std::string(remaining - 3, c));
      pushOpener(d, static_cast<std::uint8_t>(remaining > 3 ? 3 : remaining), n, canClose);
    } else if (remaining > 0) {
      literalText(std::string(remaining, c));
    }
    prevSpace_ = false;
    prevAlnum_ = closed ? false : prevAlnum_;
  }

  // ^super^ and ~sub~ and ~~strike~~: no blank just inside either mark.
  void singleDelimiter(Delim d, int attribute, char c, std::size_t length = 1) {
    const bool canClose = !prevSpace_ && !kind(d).empty();
    const bool canOpen = !nextIsSpace(pos_ + length) && text_[pos_ + length] != c;
    pos_ += length;
    if (canClose) {
      const std::size_t k = kind(d).back();
      popAbove(k);
      pieces_[stack_[k].piece].matched = true;
      popTop();
      if (attribute >= 0) pieces_.push_back({off(attribute)});
      prevSpace_ = false;
      prevAlnum_ = false;
    } else if (canOpen) {
      pushOpener(d, 1);
    } else {
      literalText(std::string(length, c));
    }
  }

  void tildeRun() {
    std::size_t n = 0;
    while (pos_ + n < text_.size() && text_[pos_ + n] == '~') ++n;
    if (n == 1) return singleDelimiter(Delim::Sub, doc::kSubscript, '~');
    if (n == 2) return singleDelimiter(Delim::Strike, -1, '~', 2);  // struck text keeps its text only
    pos_ += n;
    literalText(std::string(n, '~'));
  }

  void angle() {
    const std::string_view rest = text_.substr(pos_);
    if (rest.starts_with("<u>")) {
      pos_ += 3;
      return pushOpener(Delim::UTag, 1);
    }
    if (rest.starts_with("</u>") && !kind(Delim::UTag).empty()) {
      pos_ += 4;
      const std::size_t k = kind(Delim::UTag).back();
      popAbove(k);
      pieces_[stack_[k].piece].matched = true;
      popTop();
      pieces_.push_back({off(doc::kUnderline)});
      prevSpace_ = prevAlnum_ = false;
      return;
    }
    ++pos_;
    text(Item::character('<'));
  }

  void openBracket() {
    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '^') {
      std::size_t end = pos_ + 2;
      while (end < text_.size() && end - pos_ < kLongestNoteId && isNoteIdChar(text_[end])) ++end;
      if (end > pos_ + 2 && end < text_.size() && text_[end] == ']') return noteReference(end);
    }
    ++pos_;
    pushOpener(Delim::Bracket, 1);
  }

  void noteReference(std::size_t end) {
    const std::string_view id = text_.substr(pos_ + 2, end - pos_ - 2);
    const std::string_view typed = text_.substr(pos_, end + 1 - pos_);
    pos_ = end + 1;
    if (!context_.resolveNote) {
      warn("a note cannot hold the note reference " + std::string(typed) + "; kept as typed");
      return literalText(typed);
    }
    if (auto note = context_.resolveNote(id, line_)) return text(Item::of(ItemKind::NoteReference, *note));
    warn("footnote " + std::string(typed) + " has no text; kept as typed");
    literalText(typed);
  }

  // Position of the first `c` at or after `from`, or kNone; each table is
  // built once per paragraph so that many unclosed spans stay linear.
  std::size_t nextOf(char c, std::size_t from) {
    std::vector<std::size_t>& table = c == '}' ? nextBrace_ : nextParen_;
    if (table.empty()) {
      table.assign(text_.size() + 1, kNone);
      for (std::size_t i = text_.size(); i-- > 0;) table[i] = text_[i] == c ? i : table[i + 1];
    }
    return from < table.size() ? table[from] : kNone;
  }

  void closeBracket() {
    if (kind(Delim::Bracket).empty()) {
      ++pos_;
      return text(Item::character(']'));
    }
    const std::size_t k = kind(Delim::Bracket).back();
    const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
    const std::size_t close = next == '{' ? nextOf('}', pos_ + 2) : next == '(' ? nextOf(')', pos_ + 2) : kNone;
    if (close == kNone) {
      // Plain brackets: the opener becomes text, marks inside it stay live.
      stack_[k].alive = false;
      kind(Delim::Bracket).pop_back();
      ++pos_;
      return text(Item::character(']'));
    }
    const std::string_view attributes = text_.substr(pos_ + 2, close - pos_ - 2);
    Piece& opener = pieces_[stack_[k].piece];
    popAbove(k);
    opener.matched = true;
    opener.underline = next == '{' && hasClass(attributes, "underline");
    popTop();
    if (opener.underline) pieces_.push_back({off(doc::kUnderline)});
    pos_ = close + 1;
    prevSpace_ = prevAlnum_ = false;
  }

  static bool hasClass(std::string_view attributes, std::string_view name) {
    std::size_t at = 0;
    while ((at = attributes.find('.', at)) != std::string_view::npos) {
      ++at;
      const std::string_view rest = attributes.substr(at);
      if (rest.starts_with(name) && (rest.size() == name.size() || isSpace(rest[name.size()]) ||
                                     rest[name.size()] == '}')) {
        return true;
      }
    }
    return false;
  }

  // --- Result ----------------------------------------------------------
  std::vector<Item> render() const {
    std::vector<Item> out;
    out.reserve(pieces_.size());
    for (const Piece& p : pieces_) {
      if (!p.slot) {
        out.push_back(p.item);
        continue;
      }
      switch (p.delim) {
        case Delim::Star:
        case Delim::Underscore: {
          const auto mark = static_cast<std::uint8_t>(p.delim == Delim::Star ? '*' : '_');
          for (std::uint8_t i = 0; i < p.count; ++i) out.push_back(Item::character(mark));
          // The last closer took the outermost layer.
          for (std::uint8_t i = p.layerCount; i-- > 0;) out.push_back(on(p.layers[i]));
          break;
        }
        case Delim::Sup: out.push_back(p.matched ? on(doc::kSuperscript) : Item::character('^')); break;
        case Delim::Sub: out.push_back(p.matched ? on(doc::kSubscript) : Item::character('~')); break;
        case Delim::Strike:
          if (!p.matched) out.insert(out.end(), 2, Item::character('~'));
          break;
        case Delim::UTag:
          if (p.matched) {
            out.push_back(on(doc::kUnderline));
          } else {
            for (char c : std::string_view("<u>")) out.push_back(Item::character(static_cast<std::uint8_t>(c)));
          }
          break;
        case Delim::Bracket:
          if (!p.matched) out.push_back(Item::character('['));
          if (p.underline) out.push_back(on(doc::kUnderline));
          break;
      }
    }
    return out;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_;
  bool literal_;
  InlineContext& context_;
  bool prevSpace_ = true;  // start of the paragraph counts as a blank
  bool prevAlnum_ = false;
  std::vector<Piece> pieces_;
  std::vector<Opener> stack_;
  std::array<std::vector<std::size_t>, kDelimKinds> byKind_;
  std::vector<std::size_t> nextBrace_;
  std::vector<std::size_t> nextParen_;
};

}  // namespace

std::optional<Item> hostItemFor(char32_t cp) {
  switch (cp) {
    case 0x00A0: return Item::of(ItemKind::HardSpace);
    case 0x00A7: return Item::special(4, 6);
    case 0x201C: return Item::special(4, 32);
    case 0x201D: return Item::special(4, 31);
    case 0x2018: return Item::special(4, 29);
    case 0x2019:
    case 0x02BC: return Item::special(4, 28);  // both serve as the apostrophe
    case 0x2013: return Item::special(4, 33);
    case 0x2014: return Item::special(4, 34);
    default: break;
  }
  if (cp < 0x80) return Item::character(static_cast<std::uint8_t>(cp));
  if (auto host = doc::unicodeToSpecial(cp)) return Item::special(host->set, host->number);
  if (auto byte = doc::unicodeToCp1252(cp)) return Item::character(*byte);
  return std::nullopt;
}

std::vector<Item> parseInline(const MarkdownBlock& block, InlineContext& context) {
  return InlineParser(block, context).run();
}

}  // namespace quillon::format::internal

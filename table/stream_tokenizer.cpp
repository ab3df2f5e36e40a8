// Turns one text stream of a native file into paragraphs of tokens. In: the
// stream's bytes, the page and note number it starts with, the progress bar.
// Out: one token list per paragraph handed to the sink, the note references
// met, the progress bar at its target, and where damage ended the stream.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "recognize/token.h"
#include "table/document_reader.h"
#include "table/internal/file_bytes.h"
#include "table/table_marks.h"

namespace table {
namespace {

using recognize::Token;
using recognize::TokenList;

// Set-1 character numbers of the bytes 0x01..0x20 (index 0 is byte 0x01).
constexpr std::array<std::uint8_t, 32> kShortFormCharacters = {
    35, 34, 37, 36, 31, 30, 27, 33, 29, 77, 76, 39, 38, 45, 41, 40,
    47, 43, 49, 57, 56, 81, 80, 83, 82, 63, 62, 71, 70, 67, 73, 23};
constexpr std::uint8_t kShortFormSet = 1;

// One-byte codes.
constexpr std::uint8_t kBlankCode = 0x80;
constexpr std::uint8_t kHardSpaceCode = 0x81;
constexpr std::uint8_t kHardHyphenCode = 0x84;
constexpr std::uint8_t kSoftHyphenCode = 0x85;
constexpr std::uint8_t kTabCode = 0x87;
constexpr std::uint8_t kFirstSeparatorCode = 0xB4;  // 0xB4..0xCF separate words
constexpr std::uint8_t kFirstParagraphEndCode = 0xBD;  // 0xBD..0xCF end the paragraph
constexpr std::uint8_t kLastOneByteCode = 0xCF;

// Variable-length functions: code, subcode, 2-byte total length.
constexpr std::uint8_t kFirstVariableCode = 0xD0;
constexpr std::uint8_t kLastVariableCode = 0xEF;
constexpr std::uint8_t kLayoutCode = 0xD0;
constexpr std::uint8_t kBookmarkCode = 0xD1;
constexpr std::uint8_t kNoteCode = 0xD7;
constexpr std::uint8_t kPageNumberCode = 0xD8;
constexpr std::uint8_t kParagraphCode = 0xE0;
constexpr std::size_t kVariableHeader = 4;
constexpr std::uint8_t kNoteStartSubcode = 0;
constexpr std::uint8_t kNoteEndSubcode = 1;
constexpr std::size_t kNotePacketAt = 6;
constexpr std::uint8_t kCounterASubcode = 2;
constexpr std::uint8_t kCounterBSubcode = 3;
constexpr std::size_t kPageNumberAt = 9;
constexpr std::uint8_t kBookmarkStartSubcode = 1;
constexpr std::uint8_t kBookmarkEndSubcode = 2;
constexpr std::size_t kBookmarkNameAt = 5;  // after the header and the side flag

// Fixed-length functions, closed by a repeat of their code.
constexpr std::uint8_t kExtendedCharacterCode = 0xF0;
constexpr std::uint8_t kSkipBlockCode = 0xF1;
constexpr std::uint8_t kAttributeOnCode = 0xF2;
constexpr std::uint8_t kAttributeOffCode = 0xF3;
constexpr std::size_t kSkipBlockResume = 5;
constexpr std::uint8_t kTypographicSet = 4;
constexpr std::uint8_t kApostropheCharacter = 0x1C;
constexpr std::uint8_t kDashCharacter = 0x21;

bool isPageOneByteCode(std::uint8_t code) {
  switch (code) {
    case 0xB4: case 0xB5: case 0xB7: case 0xBA: case 0xBD: case 0xC0:
    case 0xC1: case 0xC3: case 0xC7: case 0xC8: case 0xCA: case 0xCD:
      return true;
    default:
      return false;
  }
}

bool layoutSeparates(std::uint8_t subcode) {
  return (subcode >= 0x01 && subcode <= 0x13) || (subcode >= 0x17 && subcode <= 0x1C);
}

bool layoutRaisesPage(std::uint8_t subcode) {
  switch (subcode) {
    case 0x03: case 0x06: case 0x08: case 0x09: case 0x0D: case 0x0F:
    case 0x10: case 0x13: case 0x16: case 0x19: case 0x1B: case 0x1C:
      return true;
    default:
      return false;
  }
}

bool layoutEndsParagraph(std::uint8_t subcode) {
  return (subcode >= 0x04 && subcode <= 0x13) || (subcode >= 0x17 && subcode <= 0x1C);
}

// The attribute key that an attribute number of F2/F3 switches, or nothing.
std::optional<int> attributeKey(std::uint8_t number) {
  switch (number) {
    case 5: return recognize::kSuperscript;
    case 6: return recognize::kSubscript;
    case 8: return recognize::kItalic;
    case 12: return recognize::kBold;
    case 14: return recognize::kUnderline;
    default: return std::nullopt;
  }
}

class StreamTokenizer {
 public:
  StreamTokenizer(std::span<const std::uint8_t> stream, std::vector<NoteAnchor>& anchors, int initialPage,
                  int initialNoteNumber, ProgressBar& progress, int progressTarget, const ParagraphSink& sink,
                  TextStream text)
      : bytes_(stream),
        anchors_(anchors),
        counterA_(initialPage),
        counterB_(initialPage),
        physicalPage_(initialPage),
        noteNumber_(initialNoteNumber),
        progress_(progress),
        progressTarget_(progressTarget),
        sink_(sink),
        mayHoldOldTable_(text == TextStream::Main) {}

  std::optional<std::size_t> run() {
    const std::size_t length = bytes_.size();
    const int remaining = progressTarget_ - progress_.position();
    const std::size_t bytesPerStep = remaining > 0 ? length / static_cast<std::size_t>(remaining) : length;
    std::size_t byteCounter = 0;
    while (more()) {
      paragraphClosed_ = false;
      while (more() && !paragraphClosed_) {
        if (byteCounter >= bytesPerStep) {
          // Integer division can make the steps outnumber the positions left;
          // the bar stops at the target instead of running past it.
          if (progress_.position() < progressTarget_) progress_.step();
          byteCounter = 0;
        }
        ++byteCounter;
        readAtCursor();
      }
      flushWord(/*paragraphEnd=*/true);
      if (!oldTable_) sink_(paragraph_);
      paragraph_.clear();
    }
    progress_.setPosition(progressTarget_);
    return damagedAt_;
  }

 private:
  std::uint8_t at(std::size_t offset) const { return bytes_[offset]; }

  // The rest of the stream cannot be trusted: stop reading it. An old
  // table's text is read twice, so the damage is met twice at the same place.
  void damaged() {
    if (!damagedAt_) damagedAt_ = cursor_;
    cursor_ = bytes_.size();
  }

  // Everything that reading changes, kept at an old table's start mark.
  struct Snapshot {
    std::size_t cursor;
    std::string word;
    int counterA, counterB;
    bool useCounterB;
    int physicalPage;
    std::uint8_t attributes;
    int noteNumber;
    bool paragraphClosed;
    TokenList paragraph;
    std::size_t anchors;
  };
  Snapshot snapshot() const {
    return {cursor_, word_, counterA_, counterB_, useCounterB_, physicalPage_, attributes_, noteNumber_,
            paragraphClosed_, paragraph_, anchors_.size()};
  }
  void restore(Snapshot& s) {
    cursor_ = s.cursor;
    word_ = std::move(s.word);
    counterA_ = s.counterA;
    counterB_ = s.counterB;
    useCounterB_ = s.useCounterB;
    physicalPage_ = s.physicalPage;
    attributes_ = s.attributes;
    noteNumber_ = s.noteNumber;
    paragraphClosed_ = s.paragraphClosed;
    paragraph_ = std::move(s.paragraph);
    anchors_.resize(s.anchors);
  }

  // The old table's text is read as usual, to find its end by the same rules
  // as any text, but whatever it changed is undone at its end mark. A stream
  // that ends inside it had no end mark after the start: it is read again
  // from the start mark, this time whole.
  bool more() {
    if (cursor_ < bytes_.size()) return true;
    if (!oldTable_) return false;
    restore(*oldTable_);
    oldTable_.reset();
    mayHoldOldTable_ = false;
    return true;
  }

  void readOldTableMark(std::uint8_t side, std::span<const std::uint8_t> function) {
    if (!mayHoldOldTable_ || function.size() <= kBookmarkNameAt) return;
    const auto name = function.subspan(kBookmarkNameAt, function.size() - kBookmarkNameAt - 1);
    if (!std::equal(name.begin(), name.end(), kTableMark.begin(), kTableMark.end())) return;
    if (side == kBookmarkStartSubcode && !oldTable_) {
      oldTable_ = snapshot();
    } else if (side == kBookmarkEndSubcode && oldTable_) {
      const std::size_t at = cursor_;
      restore(*oldTable_);
      oldTable_.reset();
      cursor_ = at;
    }
  }

  int logicalPage() const { return useCounterB_ ? counterB_ : counterA_; }

  void raisePages() {
    ++counterA_;
    ++counterB_;
    ++physicalPage_;
  }

  void emit(std::string text, int kind, std::uint8_t attributes) {
    Token token;
    token.text = std::move(text);
    token.page = logicalPage();
    token.physicalPage = physicalPage_;
    token.kind = kind;
    token.noteNumber = noteNumber_;
    token.attributes = attributes;
    paragraph_.push_back(std::move(token));
  }
  void emit(std::string text, int kind) { emit(std::move(text), kind, attributes_); }

  void emitSpecial(std::uint8_t set, std::uint8_t character) {
    emit(std::string{static_cast<char>(set), static_cast<char>(character)}, recognize::kSpecial);
  }

  void flushWord(bool paragraphEnd = false) {
    if (word_.empty()) return;
    // The word that a paragraph's end flushes keeps only its superscript flag.
    const std::uint8_t attributes =
        paragraphEnd ? static_cast<std::uint8_t>(attributes_ & (1U << recognize::kSuperscript)) : attributes_;
    emit(std::move(word_), recognize::kWord, attributes);
    word_.clear();
  }

  void setAttribute(int key, bool on) {
    const auto bit = static_cast<std::uint8_t>(1U << key);
    attributes_ = on ? static_cast<std::uint8_t>(attributes_ | bit) : static_cast<std::uint8_t>(attributes_ & ~bit);
  }

  // Moves the cursor past the next byte equal to `code` after the cursor, or
  // to the end when there is none.
  void skipPast(std::uint8_t code) {
    for (std::size_t i = cursor_ + 1; i < bytes_.size(); ++i) {
      if (at(i) == code) {
        cursor_ = i + 1;
        return;
      }
    }
    damaged();
  }

  void readAtCursor() {
    const std::uint8_t byte = at(cursor_);
    if (byte >= 0x01 && byte <= 0x20) {
      flushWord();
      const std::uint8_t character = kShortFormCharacters[byte - 1];
      if (character != 0) emitSpecial(kShortFormSet, character);
      ++cursor_;
    } else if (byte >= 0x21 && byte <= 0x7E) {
      readAscii(static_cast<char>(byte));
    } else if (byte >= kBlankCode && byte <= kLastOneByteCode) {
      readOneByteCode(byte);
    } else if (byte >= kFirstVariableCode && byte <= kLastVariableCode) {
      readVariableFunction(byte);
    } else if (byte >= kExtendedCharacterCode) {
      readFixedFunction(byte);
    } else {
      ++cursor_;  // 0x00 and 0x7F
    }
  }

  void readAscii(char c) {
    switch (c) {
      case '(':
      case '[':
        flushWord();
        word_.push_back(c);
        break;
      case ')':
      case ']':
        word_.push_back(c);
        flushWord();
        break;
      case ';':
      case '"':
        flushWord();
        emit(std::string(1, c), recognize::kWord);
        break;
      case '.': {
        std::size_t run = 1;
        while (cursor_ + run < bytes_.size() && at(cursor_ + run) == '.') ++run;
        if (run >= 3) {
          flushWord();
          emit(std::string(run, '.'), recognize::kWord);
          cursor_ += run;
          return;
        }
        word_.push_back('.');
        break;
      }
      default:
        word_.push_back(c);
        break;
    }
    ++cursor_;
  }

  void readOneByteCode(std::uint8_t code) {
    if (code == kHardHyphenCode || code == kSoftHyphenCode) {
      word_.push_back('-');
    } else if (code == kHardSpaceCode) {
      flushWord();
      emit(recognize::kHardSpaceText, recognize::kSpecial);
    } else if (code == kBlankCode || code == kTabCode || code >= kFirstSeparatorCode) {
      flushWord();
      emit(" ", recognize::kBlank);
    }
    if (code >= kFirstParagraphEndCode) paragraphClosed_ = true;
    if (isPageOneByteCode(code)) raisePages();
    ++cursor_;
  }

  void readVariableFunction(std::uint8_t code) {
    const auto length = internal::read16(bytes_, cursor_ + 2);
    // A function shorter than its own header, running past the stream or not
    // closed by its code (a changed length or code byte) leaves no
    // trustworthy place to go on from.
    if (!length || *length < kVariableHeader || *length > bytes_.size() - cursor_ ||
        at(cursor_ + *length - 1) != code) {
      damaged();
      return;
    }
    const std::uint8_t subcode = at(cursor_ + 1);
    const std::span<const std::uint8_t> function = bytes_.subspan(cursor_, *length);
    switch (code) {
      case kLayoutCode:
        if (layoutSeparates(subcode)) {
          flushWord();
          emit(" ", recognize::kBlank);
        }
        if (layoutRaisesPage(subcode)) raisePages();
        if (layoutEndsParagraph(subcode)) paragraphClosed_ = true;
        break;
      case kBookmarkCode:
        readOldTableMark(subcode, function);
        break;
      case kNoteCode:
        flushWord();
        if (subcode == kNoteStartSubcode) {
          const auto packet = internal::read16(function, kNotePacketAt);
          if (!packet) {
            damaged();
            return;
          }
          setAttribute(recognize::kInsideNote, true);
          anchors_.push_back(NoteAnchor{static_cast<std::uint16_t>(*packet), logicalPage(), noteNumber_ + 1});
          // Main text after the k-th reference carries 2k and the k-th note's
          // text 2k - 1, so note numbers order occurrences as the document
          // reads.
          noteNumber_ += 2;
        } else if (subcode == kNoteEndSubcode) {
          setAttribute(recognize::kInsideNote, false);
        }
        break;
      case kPageNumberCode:
        if (subcode == kCounterASubcode || subcode == kCounterBSubcode) {
          const auto page = internal::read16(function, kPageNumberAt);
          if (!page) {
            damaged();
            return;
          }
          useCounterB_ = subcode == kCounterBSubcode;
          (useCounterB_ ? counterB_ : counterA_) = static_cast<int>(*page);
        }
        break;
      case kParagraphCode:
        flushWord();
        paragraphClosed_ = true;
        break;
      default:
        break;
    }
    cursor_ += *length;
  }

  // F0, F2 and F3 have a fixed length: a closing byte anywhere else is
  // damage, not a longer function.
  void readFixedFunction(std::uint8_t code) {
    const std::size_t size = bytes_.size();
    switch (code) {
      case kExtendedCharacterCode:
        if (cursor_ + 3 < size && at(cursor_ + 3) == code) {
          readExtendedCharacter(at(cursor_ + 1), at(cursor_ + 2));
          cursor_ += 4;
        } else {
          damaged();
        }
        return;
      case kSkipBlockCode:
        if (cursor_ + 1 < size && at(cursor_ + 1) == 0) {
          skipBlock();
          return;
        }
        break;
      case kAttributeOnCode:
      case kAttributeOffCode:
        if (cursor_ + 2 < size && at(cursor_ + 2) == code) {
          flushWord();
          if (const auto key = attributeKey(at(cursor_ + 1))) setAttribute(*key, code == kAttributeOnCode);
          cursor_ += 3;
        } else {
          damaged();
        }
        return;
      default:
        break;
    }
    skipPast(code);
  }

  void readExtendedCharacter(std::uint8_t character, std::uint8_t set) {
    if (set == kTypographicSet && character == kApostropheCharacter) {
      word_.push_back('\'');
    } else if (set == kTypographicSet && character == kDashCharacter) {
      word_.push_back('-');
    } else {
      flushWord();
      emitSpecial(set, character);
    }
  }

  // F1 00: everything up to the pair F1 01 is skipped; reading resumes five
  // bytes after the start of that pair, so a stream that ends sooner lost
  // the block's end.
  void skipBlock() {
    const std::size_t size = bytes_.size();
    for (std::size_t i = cursor_ + kSkipBlockResume; i + 1 < size; ++i) {
      if (at(i) == kSkipBlockCode && at(i + 1) == 0x01) {
        if (i + kSkipBlockResume > size) break;
        cursor_ = i + kSkipBlockResume;
        return;
      }
    }
    damaged();
  }

  std::span<const std::uint8_t> bytes_;
  std::vector<NoteAnchor>& anchors_;
  std::size_t cursor_ = 0;
  std::string word_;
  int counterA_;
  int counterB_;
  bool useCounterB_ = false;
  int physicalPage_;
  std::uint8_t attributes_ = 0;
  int noteNumber_;
  bool paragraphClosed_ = false;
  TokenList paragraph_;
  ProgressBar& progress_;
  int progressTarget_;
  const ParagraphSink& sink_;
  bool mayHoldOldTable_;
  std::optional<Snapshot> oldTable_;  // set while inside an old table
  std::optional<std::size_t> damagedAt_;
};

}  // namespace

std::optional<std::size_t> tokenizeStream(std::span<const std::uint8_t> stream, std::vector<NoteAnchor>& anchors,
                                          int initialPage, int initialNoteNumber, ProgressBar& progress,
                                          int progressTarget, const ParagraphSink& sink, TextStream text) {
  return StreamTokenizer(stream, anchors, initialPage, initialNoteNumber, progress, progressTarget, sink, text)
      .run();
}

}  // namespace table

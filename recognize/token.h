// One unit of a paragraph as the file reader hands it to the recogniser: a
// word, a blank or a special character, with its pages, attributes and the
// flags the recognisers set while they read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace recognize {

enum TokenKind : int { kWord = 0, kBlank = 1, kSpecial = 2 };

// Attribute keys.
enum TokenAttribute : int {
  kSuperscript = 0,
  kSubscript = 1,
  kBold = 2,
  kUnderline = 3,
  kItalic = 4,
  kInsideNote = 5,
};

struct Token {
  std::string text;  // a special character: two bytes, set then number
  int page = 1;
  int physicalPage = 1;
  int kind = kWord;
  int noteNumber = 0;
  std::uint8_t attributes = 0;  // bit k = attribute key k; absent keys read false
  std::uint8_t grouped = 0;
  std::uint8_t used = 0;
  std::uint8_t nameRun = 0;
  std::uint8_t nameStop = 0;
  std::uint8_t spare = 0;  // copied with the token, always 0

  bool attribute(int key) const { return key >= 0 && key < 8 && (attributes >> key) & 1U; }
  void setAttribute(int key, bool on) {
    if (key < 0 || key >= 8) return;
    const auto bit = static_cast<std::uint8_t>(1U << key);
    attributes = on ? static_cast<std::uint8_t>(attributes | bit) : static_cast<std::uint8_t>(attributes & ~bit);
  }
  bool isWord() const { return kind == kWord; }
  bool isBlank() const { return kind == kBlank; }
  bool isSpecial() const { return kind == kSpecial; }
  bool isHardSpace() const { return kind == kSpecial && text == std::string("\xFF\x20", 2); }
  bool isSectionSign() const { return kind == kSpecial && text == std::string("\x04\x06", 2); }
  bool isSuperscript() const { return attribute(kSuperscript); }
};

using TokenList = std::vector<Token>;

// The texts of the two special characters the recogniser knows by value.
inline const std::string kHardSpaceText{"\xFF\x20", 2};
inline const std::string kSectionSignText{"\x04\x06", 2};
inline const std::string kOpeningQuoteText{"\x04\x20", 2};
inline const std::string kClosingQuoteText{"\x04\x1F", 2};

}  // namespace recognize

// Builders for the file reader's tests: text-stream bytes written code by
// code, whole native files around them, a sink that keeps every paragraph,
// a progress bar that remembers what it was told, and a compact spelling of
// tokens ("Smith|v.|Jones", specials as {set:number}).
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "recognize/citation_table.h"
#include "recognize/token.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"

namespace tabletest {

// --- Stream bytes -------------------------------------------------------

inline std::string le16(unsigned value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
inline std::string le32(unsigned value) { return le16(value & 0xFFFF) + le16(value >> 16); }
inline std::string byte(unsigned value) { return std::string(1, static_cast<char>(value)); }

inline const std::string kBlank = byte(0x80);
inline const std::string kHardSpace = byte(0x81);
inline const std::string kTab = byte(0x87);
inline const std::string kHardReturn = byte(0xCC);
inline const std::string kHardPageBreak = byte(0xC7);

// A variable-length function: code, subcode, total length, payload, code.
inline std::string function(unsigned code, unsigned subcode, std::string_view payload = {}) {
  return byte(code) + byte(subcode) + le16(static_cast<unsigned>(payload.size() + 5)) + std::string(payload) +
         byte(code);
}
inline std::string softPageBreak() { return function(0xD0, 0x16); }
inline std::string noteStart(unsigned packet) { return function(0xD7, 0, std::string(2, '\0') + le16(packet)); }
inline std::string noteEnd() { return function(0xD7, 1); }
inline std::string noteReference(unsigned packet) { return noteStart(packet) + noteEnd(); }
// D8 02 sets counter A, D8 03 counter B.
inline std::string pageNumber(unsigned subcode, unsigned page) {
  return function(0xD8, subcode, std::string(5, '\0') + le16(page));
}
inline std::string extended(unsigned character, unsigned set) {
  return byte(0xF0) + byte(character) + byte(set) + byte(0xF0);
}
inline std::string attributeOn(unsigned number) { return byte(0xF2) + byte(number) + byte(0xF2); }
inline std::string attributeOff(unsigned number) { return byte(0xF3) + byte(number) + byte(0xF3); }
inline std::string italic(std::string_view text) { return attributeOn(8) + std::string(text) + attributeOff(8); }

// A native file laid out as the host saves it: header, packet index, one
// note packet per text in `notes`, then the main text.
inline std::string nativeFile(std::string_view mainText, const std::vector<std::string>& notes = {}) {
  std::string out = "\xFFQDC";
  const std::size_t index = 16;
  std::size_t data = index + 14 * notes.size();
  const std::size_t documentArea = data + [&] {
    std::size_t total = 0;
    for (const auto& note : notes) total += 10 + note.size();
    return total;
  }();
  out += le32(static_cast<unsigned>(documentArea)) + le16(1) + le16(static_cast<unsigned>(notes.size())) +
         le16(0) + le16(static_cast<unsigned>(index));
  for (const auto& note : notes) {
    out += le16(1) + le32(0) + le32(static_cast<unsigned>(10 + note.size())) + le32(static_cast<unsigned>(data));
    data += 10 + note.size();
  }
  for (const auto& note : notes) out += le16(1) + le32(static_cast<unsigned>(note.size())) + le32(0) + note;
  return out + std::string(mainText);
}

inline std::span<const std::uint8_t> bytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// --- Spelling tokens ------------------------------------------------------

// "word", "|" for a blank, "{set:number}" for a special character.
inline std::string spell(const recognize::Token& token) {
  if (token.isBlank()) return "|";
  if (token.isSpecial()) {
    std::string out = "{";
    for (std::size_t i = 0; i < token.text.size(); ++i) {
      if (i > 0) out += ":";
      out += std::to_string(static_cast<unsigned>(static_cast<std::uint8_t>(token.text[i])));
    }
    return out + "}";
  }
  return token.text;
}

// The paragraph's tokens, spelled and separated by spaces.
inline std::string spell(const recognize::TokenList& tokens) {
  std::string out;
  for (const auto& token : tokens) {
    if (!out.empty()) out += " ";
    out += spell(token);
  }
  return out;
}

// --- Collecting what the reader hands on ----------------------------------

struct Collected {
  std::vector<recognize::TokenList> paragraphs;

  table::ParagraphSink sink() {
    return [this](recognize::TokenList& tokens) { paragraphs.push_back(tokens); };
  }
  // Every paragraph spelled; empty paragraphs included as "".
  std::vector<std::string> spelled() const {
    std::vector<std::string> out;
    for (const auto& paragraph : paragraphs) out.push_back(spell(paragraph));
    return out;
  }
  // All tokens of all paragraphs in order.
  recognize::TokenList tokens() const {
    recognize::TokenList out;
    for (const auto& paragraph : paragraphs) out.insert(out.end(), paragraph.begin(), paragraph.end());
    return out;
  }
  // The first token whose text is `text`; fails the test when none.
  const recognize::Token* find(std::string_view text) const {
    for (const auto& paragraph : paragraphs) {
      for (const auto& token : paragraph) {
        if (token.text == text) return &token;
      }
    }
    return nullptr;
  }
};

// Tokenizes one stream as the main text of a file (page 1, note number 0).
inline Collected tokenize(std::string_view stream, int initialPage = 1, int initialNoteNumber = 0) {
  Collected collected;
  recognize::CitationTable table;
  std::vector<table::NoteAnchor> anchors;
  table::NullProgressBar progress;
  table::tokenizeStream(bytesOf(stream), table, anchors, initialPage, initialNoteNumber, progress,
                        table::kProgressAfterMainText, collected.sink());
  return collected;
}

// Reads a whole file.
inline Collected readFile(std::string_view file, table::ProgressBar* bar = nullptr) {
  Collected collected;
  recognize::CitationTable table;
  table::NullProgressBar ownBar;
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table,
                          bar != nullptr ? *bar : ownBar, collected.sink());
  return collected;
}

// A bar that remembers each position it was set to and how often it stepped,
// and the highest position a step reached.
class RecordingProgressBar final : public table::ProgressBar {
 public:
  int position() const override { return bar_.position(); }
  void step() override {
    bar_.step();
    ++steps;
    highestStep = std::max(highestStep, bar_.position());
  }
  void setPosition(int position) override {
    bar_.setPosition(position);
    set.push_back(bar_.position());
  }

  std::vector<int> set;
  int steps = 0;
  int highestStep = 0;

 private:
  table::NullProgressBar bar_;
};

}  // namespace tabletest

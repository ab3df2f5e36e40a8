// Builders for the file reader's tests: text-stream bytes written code by
// code, whole native files around them, what the reader hands on (paragraphs
// spelled compactly, "Smith | v." with specials as {set:number}, and "^" where
// a stream starts), and a progress bar that remembers what it was told.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "recognize/token.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"

namespace tabletest {

inline std::string le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
inline std::string le32(unsigned v) { return le16(v & 0xFFFF) + le16(v >> 16); }
inline std::string byte(unsigned v) { return std::string(1, static_cast<char>(v)); }

inline const std::string kBlank = byte(0x80), kHardSpace = byte(0x81), kTab = byte(0x87);
inline const std::string kHardReturn = byte(0xCC), kHardPageBreak = byte(0xC7);

// A variable-length function: code, subcode, total length, payload, code.
inline std::string function(unsigned code, unsigned subcode, std::string_view payload = {}) {
  return byte(code) + byte(subcode) + le16(static_cast<unsigned>(payload.size() + 5)) + std::string(payload) +
         byte(code);
}
inline std::string softPageBreak() { return function(0xD0, 0x16); }
inline std::string noteStart(unsigned packet) { return function(0xD7, 0, std::string(2, '\0') + le16(packet)); }
inline std::string noteEnd() { return function(0xD7, 1); }
inline std::string noteReference(unsigned packet) { return noteStart(packet) + noteEnd(); }
// Subcode 2 sets counter A, 3 counter B. An extended character is number n of a set.
inline std::string pageNumber(unsigned subcode, unsigned page) {
  return function(0xD8, subcode, std::string(5, '\0') + le16(page));
}
inline std::string extended(unsigned n, unsigned set) { return byte(0xF0) + byte(n) + byte(set) + byte(0xF0); }
inline std::string attributeOn(unsigned number) { return byte(0xF2) + byte(number) + byte(0xF2); }
inline std::string attributeOff(unsigned number) { return byte(0xF3) + byte(number) + byte(0xF3); }
inline std::string italic(std::string_view text) { return attributeOn(8) + std::string(text) + attributeOff(8); }

// A native file laid out as the host saves it: header, packet index, one
// note packet per text in `notes`, then the main text.
inline std::string nativeFile(std::string_view mainText, const std::vector<std::string>& notes = {}) {
  std::size_t data = 16 + 14 * notes.size(), documentArea = data;
  for (const auto& note : notes) documentArea += 10 + note.size();
  std::string out = "\xFFQDC" + le32(static_cast<unsigned>(documentArea)) + le16(1) +
                    le16(static_cast<unsigned>(notes.size())) + le16(0) + le16(16);
  for (const auto& note : notes) {
    out += le16(1) + le32(0) + le32(static_cast<unsigned>(10 + note.size())) + le32(static_cast<unsigned>(data));
    data += 10 + note.size();
  }
  for (const auto& note : notes) out += le16(1) + le32(static_cast<unsigned>(note.size())) + le32(0) + note;
  return out + std::string(mainText);
}

inline const std::uint8_t* bytesOf(std::string_view text) { return reinterpret_cast<const std::uint8_t*>(text.data()); }

// "word", "|" for a blank, "{set:number}" for a special character.
inline std::string spell(const recognize::Token& token) {
  if (token.isBlank()) return "|";
  if (!token.isSpecial()) return token.text;
  std::string out;
  for (const char c : token.text) out += (out.empty() ? "{" : ":") + std::to_string(static_cast<std::uint8_t>(c));
  return out + "}";
}

// What the reader handed on: every paragraph (empty ones too) spelled, with
// "[page/physical]" before a token whose pages differ from the token before
// (the first compared with 1/1), and "^" for each stream start announced;
// and the paragraphs spelled alone, without the stream starts.
struct Collected {
  std::vector<recognize::TokenList> paragraphs;
  std::vector<std::string> events, spelled;
  std::pair<int, int> pages{1, 1};

  table::ParagraphSink sink() {
    return [this](recognize::TokenList& tokens) {
      paragraphs.push_back(tokens);
      std::string text;
      for (const auto& token : tokens) {
        if (!text.empty()) text += " ";
        if (std::make_pair(token.page, token.physicalPage) != pages) {
          pages = {token.page, token.physicalPage};
          text += "[" + std::to_string(token.page) + "/" + std::to_string(token.physicalPage) + "] ";
        }
        text += spell(token);
      }
      events.push_back(text);
      spelled.push_back(text);
    };
  }
  // The first token whose text is `text`, or null.
  const recognize::Token* find(std::string_view text) const {
    for (const auto& paragraph : paragraphs)
      for (const auto& token : paragraph)
        if (token.text == text) return &token;
    return nullptr;
  }
};

// Tokenizes one stream as the main text of a file (note number 0).
inline Collected tokenize(std::string_view stream, int initialPage = 1) {
  Collected collected;
  std::vector<table::NoteAnchor> anchors;
  table::NullProgressBar progress;
  table::tokenizeStream({bytesOf(stream), stream.size()}, anchors, initialPage, 0, progress,
                        table::kProgressAfterMainText, collected.sink());
  return collected;
}

// Reads a whole file, recording stream starts among the paragraphs.
inline Collected readFile(std::string_view file, table::ProgressBar* bar = nullptr) {
  Collected collected;
  table::NullProgressBar ownBar;
  table::readDocumentFile(bytesOf(file), file.size(), bar ? *bar : ownBar, collected.sink(),
                          [&collected] { collected.events.push_back("^"); });
  return collected;
}

// A bar that remembers each position it was set to, how often it stepped and
// the highest position a step reached.
struct RecordingProgressBar final : table::ProgressBar {
  int position() const override { return at; }
  void step() override {
    at = std::min(at + 1, table::kProgressMaximum);
    highestStep = std::max(highestStep, at);
    ++steps;
  }
  void setPosition(int position) override { set.push_back(at = std::clamp(position, 0, table::kProgressMaximum)); }
  int at = 0, steps = 0, highestStep = 0;
  std::vector<int> set;
};

}  // namespace tabletest

// The saved-file reader, on text streams and native files written byte by
// byte and on a file the stand-in host saves. One stream's bytes become
// words, blanks and special characters with their pages and attributes, and
// paragraphs end where they should. Whole files: note texts read after the
// main text with their reference's page and odd note numbers, where each
// stream starts, the progress bar's even steps to 75 and share of ten for the
// notes; and damaged files, where the reader never reads outside the file and
// never stops advancing: a stream ends at its damage, the others are still
// read, and the read says where the damage lies. The builders first: stream
// codes (whole files and note references are the format tests' own), what
// the reader hands on (paragraphs spelled "Smith | v." with specials as
// {set:number}, "^" where a stream starts) and a progress bar that remembers
// what it was told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/native_format.h"
#include "recognize/token.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"
#include "table/table_marks.h"
#include "tests/quillon_support/formats.h"

namespace {

// Headers, packet index and note references as the format tests build them.
using quillon::format::test::le16;
using quillon::format::test::le32;
using quillon::format::test::nativeFile;
using quillon::format::test::noteRef;

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
// Subcode 2 sets counter A, 3 counter B. An extended character is number n of a set.
inline std::string pageNumber(unsigned subcode, unsigned page) {
  return function(0xD8, subcode, std::string(5, '\0') + le16(page));
}
inline std::string extended(unsigned n, unsigned set) { return byte(0xF0) + byte(n) + byte(set) + byte(0xF0); }
inline std::string attributeOn(unsigned number) { return byte(0xF2) + byte(number) + byte(0xF2); }
inline std::string attributeOff(unsigned number) { return byte(0xF3) + byte(number) + byte(0xF3); }
inline std::string italic(std::string_view text) { return attributeOn(8) + std::string(text) + attributeOff(8); }

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
  table::ReadResult result;  // of a whole file's read

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

// Tokenizes one stream as the main text of a file (note number 0, page 1).
inline Collected tokenize(std::string_view stream, table::ProgressBar* bar = nullptr) {
  Collected collected;
  std::vector<table::NoteAnchor> anchors;
  table::NullProgressBar ownBar;
  table::tokenizeStream({bytesOf(stream), stream.size()}, anchors, 1, 0, bar ? *bar : ownBar,
                        table::kProgressAfterMainText, collected.sink());
  return collected;
}

// Reads a whole file, recording stream starts among the paragraphs.
inline Collected readFile(std::string_view file, table::ProgressBar* bar = nullptr) {
  Collected collected;
  table::NullProgressBar ownBar;
  collected.result = table::readDocumentFile(bytesOf(file), file.size(), bar ? *bar : ownBar, collected.sink(),
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

TEST(StreamTokens, SpellsParagraphs) {
  // paragraphs: spelled tokens per paragraph
  const struct { const char* name; std::string stream; std::vector<std::string> paragraphs; } rows[] = {
      {"year in parentheses is one token", "456" + kBlank + "(1990).", {"456 | (1990) ."}},
      {"an opening bracket starts a word", "abc(def" + kBlank + "[x]y", {"abc (def | [x] y"}},
      {"semicolon and quote stand alone", "a;b\"c\"", {"a ; b \" c \""}},
      {"three dots or more are one run token", "wait...now.....", {"wait ... now ....."}},
      {"two dots stay in the word", "a..b", {"a..b"}},
      {"null and delete are ignored", "a" + byte(0) + "b" + byte(0x7F) + "c", {"abc"}},
      {"hyphen codes join the word", "co" + byte(0x85) + "op" + byte(0x84) + "x", {"co-op-x"}},
      {"unknown one-byte code is silent", "a" + byte(0x90) + "b", {"ab"}},
      {"hard space is a special token", "42" + kHardSpace + "U.S.C.", {"42 {255:32} U.S.C."}},
      {"short-form bytes map to set one", "a" + byte(0x01) + "b" + byte(0x0A) + byte(0x20), {"a {1:35} b {1:77} {1:23}"}},
      {"typographic apostrophe and dash join", "O" + extended(0x1C, 4) + "Brien" + extended(0x21, 4) + "x",
       {"O'Brien-x"}},
      {"section sign splits words", "42" + extended(6, 4) + "1983", {"42 {4:6} 1983"}},
      {"apostrophe of another set is special", "a" + extended(0x1C, 1) + "b", {"a {1:28} b"}},
      {"tab is a blank", "a" + kTab + "b", {"a | b"}},
      {"dot-leader tab separates only", "a" + function(0xD0, 0x02) + "b", {"a | b"}},
      {"layout code 4 ends the paragraph", "a" + function(0xD0, 0x04) + "b", {"a |", "b"}},
      {"a word over a soft page break takes the new page", "ab" + softPageBreak() + "cd", {"[2/2] abcd"}},
      {"soft page break raises both pages", "a" + kBlank + softPageBreak() + "b", {"a | [2/2] b"}},
      {"layout page subcode", "a" + function(0xD0, 0x03) + "b", {"a | [2/2] b"}},
      {"page-number code sets the logical page only", "a" + kHardPageBreak + pageNumber(2, 5) + "b" + kHardPageBreak + "c",
       {"a |", "[5/2] b |", "[6/3] c"}},
      {"counter B becomes the choice, then A again", pageNumber(3, 10) + "a" + kHardPageBreak + "b" + kBlank + pageNumber(2, 3) + "c",
       {"[10/1] a |", "[11/2] b | [3/2] c"}},
      {"other page-number subcode is ignored", function(0xD8, 4, std::string(5, '\0') + le16(9)) + "a", {"a"}},
      {"column-like code raises the page without ending", "a" + byte(0xB4) + "b", {"a | [2/2] b"}},
      {"separator that is no page code", "a" + byte(0xB6) + "b", {"a | b"}},
      {"stored code payload is skipped", "a" + function(0xD9, 1, "xyz") + "b", {"ab"}},
      {"note reference splits the word", "a" + noteRef(0) + "b", {"a b"}},
      {"skip block resumes five bytes on", "a" + byte(0xF1) + byte(0) + "xxxxx" + byte(0xF1) + byte(1) + "yyyb",
       {"ab"}},
      {"other skip block ends at its code", "a" + byte(0xF1) + byte(2) + "zz" + byte(0xF1) + "b", {"ab"}},
      {"empty paragraph is still handed on", "a" + kHardReturn + function(0xE0, 0) + "b", {"a |", "", "b"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(tokenize(row.stream).spelled, row.paragraphs);
  }
}

TEST(StreamTokens, AttributesSetExactlyTheseFlags) {
  using recognize::kBold, recognize::kInsideNote, recognize::kItalic, recognize::kSubscript,
      recognize::kSuperscript, recognize::kUnderline;
  // on: attribute keys that must be set; all others off
  const struct { const char* name; std::string stream; const char* token; std::vector<int> on; } rows[] = {
      {"italic", italic("Roe") + kBlank + "x", "Roe", {kItalic}},
      {"underline", attributeOn(14) + "Roe" + attributeOff(14) + kBlank, "Roe", {kUnderline}},
      {"superscript", attributeOn(5) + "12" + kBlank, "12", {kSuperscript}},
      {"subscript", attributeOn(6) + "2" + kBlank, "2", {kSubscript}},
      {"off after its end", italic("Roe") + "Wade" + kBlank, "Wade", {}},
      {"unknown number changes nothing", attributeOn(3) + "Roe" + kBlank, "Roe", {}},
      {"stacked flags", attributeOn(12) + attributeOn(8) + "Roe" + kBlank, "Roe", {kBold, kItalic}},
      {"inside a note between its codes", noteStart(0) + "x" + kBlank + noteEnd() + "y", "x", {kInsideNote}},
      {"not inside a note after its end", noteStart(0) + noteEnd() + "y" + kBlank, "y", {}},
      {"paragraph end drops all but superscript", attributeOn(12) + attributeOn(5) + "Roe", "Roe", {kSuperscript}},
      {"hard return keeps italic", attributeOn(8) + "Roe" + kHardReturn, "Roe", {kItalic}},
      {"a blank carries the flags in force", italic("a" + kBlank) + "b", " ", {kItalic}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Collected collected = tokenize(row.stream);
    const recognize::Token* token = collected.find(row.token);
    ASSERT_NE(token, nullptr);
    for (int key = kSuperscript; key <= kInsideNote; ++key)
      EXPECT_EQ(token->attribute(key), std::count(row.on.begin(), row.on.end(), key) == 1) << "key " << key;
    EXPECT_EQ(token->grouped + token->used + token->nameRun + token->nameStop + token->spare, 0);
  }
}

TEST(FileNotes, NoteTextsFollowTheMainTextEachAsAStream) {
  const std::string main = "See" + noteRef(1) + kBlank + "x" + kHardReturn + "y" + kHardPageBreak + "z" +
                           noteRef(0) + kHardReturn;
  const Collected collected = readFile(nativeFile(main, {"Second" + kBlank + "note.", "First" + kHardReturn + "more"}));
  EXPECT_EQ(collected.events, (std::vector<std::string>{"^", "See | x |", "y |", "[2/2] z |", "^", "[1/1] First |",
                                                        "more", "^", "[2/2] Second | note."}));
  for (const auto& [text, note] : std::vector<std::pair<std::string, int>>{{"See", 0}, {"z", 2}, {"more", 1}, {"note.", 3}})
    EXPECT_EQ(collected.find(text)->noteNumber, note) << text;
  // A note referenced inside a note's text is not followed.
  EXPECT_EQ(readFile(nativeFile("a" + noteRef(0), {"outer" + noteRef(1) + "tail", "inner"})).events,
            (std::vector<std::string>{"^", "a", "^", "outer tail"}));
}

TEST(FileNotes, SavedDocumentNoteStartsAtItsReferencesPage) {
  // The host's own writer: page-number codes, breaks and a note as it saves them.
  quillon::doc::Document document;
  document.typeText("one");
  document.hardPageBreak();
  document.insertPageNumberCode(10);
  document.typeText("two");
  document.insertNote("inside");
  document.hardPageBreak();
  document.typeText("three");
  EXPECT_EQ(readFile(quillon::format::writeNative(document)).events,
            (std::vector<std::string>{"^", "one |", "[10/2] two |", "[11/3] three", "^", "[10/10] inside"}));
}

std::string paragraphs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "Smith" + kBlank + "v." + kBlank + "Jones" + kHardReturn;
  return text;
}

TEST(ReadProgress, SetsTheTargetOfEachStream) {
  // positionsSet: every setPosition, in order
  const struct { const char* name; int notes; std::vector<int> positionsSet; } rows[] = {
      {"three notes take three each", 3, {75, 78, 81, 84, 85}},
      {"eleven notes take nothing each", 11, {75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 85}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string main = paragraphs(50);
    for (int i = 0; i < row.notes; ++i) main += noteRef(static_cast<unsigned>(i));
    RecordingProgressBar bar;
    readFile(nativeFile(main, std::vector<std::string>(static_cast<std::size_t>(row.notes), paragraphs(3))), &bar);
    EXPECT_EQ(bar.set, row.positionsSet);
  }
}

TEST(ReadProgress, StepsEvenlyAndNeverPastTheTarget) {
  RecordingProgressBar bar;
  std::vector<int> positions;
  const std::string file = nativeFile(paragraphs(400));
  table::readDocumentFile(bytesOf(file), file.size(), bar,
                          [&](recognize::TokenList&) { positions.push_back(bar.position()); });
  ASSERT_EQ(positions.size(), 400u);
  EXPECT_LE(bar.highestStep, table::kProgressAfterMainText);
  EXPECT_NEAR(positions[199], 37, 2) << "halfway through, about halfway to 75";
  const struct { const char* name; std::string stream; int start, steps, end; } rows[] = {
      {"fewer bytes than positions: a step per byte", "Roe", 70, 3, 75},
      {"steps that would overshoot stop at the target", std::string(100, 'x'), 0, 75, 75},
      {"a bar past the target is set back", paragraphs(20), 90, 0, 75},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar stream;
    stream.setPosition(row.start);
    tokenize(row.stream, &stream);
    EXPECT_EQ(stream.steps, row.steps);
    EXPECT_EQ(stream.position(), row.end);
  }
}

// The start (1) or end (2) code of a bookmark, as the host saves it.
std::string bookmark(unsigned side, std::string_view name = table::kTableMark) {
  return function(0xD1, side, byte(0) + std::string(name));
}

TEST(OldTable, ItsRangeInTheMainTextIsReadAsIfAbsent) {
  const std::string start = bookmark(1), end = bookmark(2), a = "a" + kHardReturn;
  const std::string old = "TOA" + kHardReturn + softPageBreak() + "x" + noteRef(0);
  const struct { const char* name; std::string main, note; std::vector<std::string> paragraphs; } rows[] = {
      {"no tokens, paragraphs, pages or notes", a + start + old + end + "b", "n", {"a |", "b"}},
      {"the words around it join", "a" + start + old + end + "b", "n", {"ab"}},
      {"a start without an end skips nothing", a + start + old, "n", {"a |", "TOA |", "[2/2] x", "n"}},
      {"a point (end, then start) skips nothing", a + end + start + old, "n", {"a |", "TOA |", "[2/2] x", "n"}},
      {"damage inside is damage after the start", a + start + "b" + byte(0xF2) + "c", "", {"a |", "b"}},
      {"another name is no table", "a" + bookmark(1, "XTOA~TableOfAuthorities1") + "b" + end, "", {"ab"}},
      {"a note's text is read whole", "a" + noteRef(0), start + "n" + end, {"a", "n"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(readFile(nativeFile(row.main, {row.note})).spelled, row.paragraphs);
  }
}

// Overwrites bytes of a well-formed file.
std::string patched(std::string file, std::size_t at, const std::string& bytes) {
  return file.replace(at, bytes.size(), bytes);
}

TEST(DamagedFile, ReadsWhatLiesBeforeTheDamageAndSaysWhere) {
  const std::string twoNotes = nativeFile("a" + noteRef(0) + "b" + noteRef(1), {"n0", "n1"});
  const auto size = static_cast<unsigned>(twoNotes.size());  // 98
  constexpr std::size_t kEntry0 = 16, kEntry1 = 30;  // index entry p: size at +6, data offset at +10
  const std::string ab = "ab" + byte(0xD0) + byte(1);  // damage in these files is at 18
  quillon::doc::Document document;  // saved by the host, with its length in the header
  document.typeText("one two");
  const std::string saved = quillon::format::writeNative(document);
  const struct {
    const char* name;
    std::string file;
    std::vector<std::string> paragraphs;
    std::optional<std::size_t> damagedAt;
  } rows[] = {
      {"well-formed control", twoNotes, {"a b", "n0", "n1"}, {}},
      {"saved by the host", saved, {"one | two"}, {}},
      {"empty file", "", {}, 0},
      {"shorter than the document offset", "\xFFQD", {}, 0},
      {"another kind of file", "GIF8" + twoNotes.substr(4), {"a b", "n0", "n1"}, 0},
      {"unknown version", patched(twoNotes, 8, le16(7)), {"a b", "n0", "n1"}, 8},
      {"cut short", saved.substr(0, saved.size() - 2), {"one | t"}, saved.size() - 2},
      {"grown past its stored length", saved + "xyz", {"one | two"}, saved.size()},
      {"cut inside its stored length", saved.substr(0, 18), {}, 18},
      {"document area beyond the file", patched(twoNotes, 4, le32(0x7FFFFFF0)), {}, size},
      {"document area inside the header", "\xFFQDC" + le32(8) + "x", {"x"}, 4},
      {"packet index beyond the file", patched(twoNotes, 14, le16(0xFFFF)), {"a b"}, size},
      {"packet number beyond the index", nativeFile("a" + noteRef(900) + "b" + noteRef(1), {"n0", "n1"}),
       {"a b", "n1"}, size},
      {"packet data beyond the file", patched(twoNotes, kEntry0 + 10, le32(0xFFFFFFF0)), {"a b", "n1"}, size},
      {"packet of another type", patched(twoNotes, kEntry0, le16(2)), {"a b", "n0", "n1"}, kEntry0},
      {"packet no reference names", nativeFile("x", {"n"}), {"x"}, 10},
      {"packet smaller than its prefix", patched(twoNotes, kEntry0 + 6, le32(4)), {"a b", "n1"}, kEntry0 + 6},
      {"packet runs past the end of file (its prefix disagrees)", patched(twoNotes, kEntry1 + 6, le32(size)),
       {"a b", "n0", "n1a b"}, 56},
      {"variable length shorter than its header", nativeFile(ab + le16(3) + "cd"), {"ab"}, 18},
      {"variable length past the end", nativeFile(ab + le16(200) + "cd"), {"ab"}, 18},
      {"variable header cut off", nativeFile("ab" + byte(0xD9) + byte(1)), {"ab"}, 18},
      {"variable closing byte changed", nativeFile(ab + le16(5) + byte(0xD1) + "cd"), {"ab"}, 18},
      {"note start too short for its packet", nativeFile("ab" + function(0xD7, 0, "x") + "cd"), {"ab"}, 18},
      {"page number too short for its value", nativeFile("ab" + function(0xD8, 2, "xyz") + "cd"), {"ab"}, 18},
      {"attribute never closed", nativeFile("ab" + byte(0xF2) + byte(8) + "cd" + byte(0xF2) + "ef"), {"ab"}, 18},
      {"extended character never closed", nativeFile("ab" + byte(0xF0) + byte(6) + byte(4) + "cd"), {"ab"}, 18},
      {"extended character cut off", nativeFile("ab" + byte(0xF0) + byte(6)), {"ab"}, 18},
      {"skip block never ended", nativeFile("ab" + byte(0xF1) + byte(0) + "cdefghij"), {"ab"}, 18},
      {"skip block whose end is cut", nativeFile("ab" + byte(0xF1) + byte(0) + "cdef" + byte(0xF1) + byte(1)),
       {"ab"}, 18},
      {"long fixed function never closed", nativeFile("ab" + byte(0xFA) + "cd"), {"ab"}, 18},
      {"damage in a note spares the others",
       nativeFile("a" + noteRef(0) + noteRef(1), {"x" + byte(0xD0) + byte(1) + le16(0) + "y", "n1"}),
       {"a", "x", "n1"}, 55},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar bar;
    const Collected collected = readFile(row.file, &bar);
    EXPECT_EQ(collected.spelled, row.paragraphs);
    EXPECT_EQ(collected.result.damagedAt, row.damagedAt);
    EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
  }
  table::NullProgressBar bar;
  int paragraphs = 0;
  EXPECT_EQ(table::readDocumentFile(nullptr, 0, bar, [&](recognize::TokenList&) { ++paragraphs; }).damagedAt, 0u);
  EXPECT_EQ(paragraphs, 0) << "null bytes read as an empty file";
  EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
}

}  // namespace

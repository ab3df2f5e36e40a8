// Damaged and foreign files: every fault the reader can meet ends in a
// FormatError that names it, and codes this host does not know are stepped
// over. That no damage crashes the reader or reads outside the bytes is the
// fuzz target's job (tests/fuzz/fuzz_native_open.cpp).
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

// The error readNative reports, or nullopt when the file opens; any other
// exception escapes and fails the test.
std::optional<std::string> openError(std::string_view bytes) {
  try {
    Document reopened(readNative(bytes));
    (void)writeNative(reopened);  // whatever opens must save again
    return std::nullopt;
  } catch (const FormatError& e) {
    return std::string(e.what());
  }
}

void put16At(std::string& s, std::size_t at, std::uint32_t v) { s.replace(at, 2, le16(v)); }
void put32At(std::string& s, std::size_t at, std::uint32_t v) { s.replace(at, 4, le32(v)); }

// One note "n" referenced from "ab": index at 16, packet data at 30, its text
// at 40, the main text at 41. Hand-made in version 1, which stores no length:
// files saved before the length was stored still open.
std::string oneNote() { return nativeFile("ab" + noteRef(0), {"n"}); }

// A file the writer saves, with its length in the header.
std::string saved() {
  Document d = typed("Smith v. Jones, 123 U.S. 456 (1990).");
  return writeNative(d);
}

struct Fault {
  const char* name;
  std::function<std::string()> file;
  std::string message;
};

const Fault kFaults[] = {
    {"truncated header", [] { return oneNote().substr(0, 10); }, "damaged file: the header is truncated (10 bytes)"},
    {"foreign file", [] { return std::string("GIF89a and more bytes"); }, "not a Quillon document"},
    {"empty file", [] { return std::string(); }, "not a Quillon document"},
    {"later version", [] { auto f = oneNote(); put16At(f, 8, 3); return f; }, "damaged file: unknown format version 3"},
    {"cut short by its last 36 bytes", [] { return saved().substr(0, saved().size() - 36); },
     "damaged file: the file is 20 bytes long, but its header says 56 (cut short or grown since it was saved)"},
    {"header cut inside the stored length", [] { return saved().substr(0, 18); },
     "damaged file: the header is truncated (18 bytes)"},
    {"document area past the end", [] { auto f = oneNote(); put32At(f, 4, 5000); return f; },
     "damaged file: the document area lies outside the file (file size 57) (offset 5000)"},
    {"index past the end", [] { auto f = oneNote(); put16At(f, 10, 100); return f; },
     "damaged file: the packet index (100 packets) runs past the end of the file (offset 16)"},
    {"note packet past the end", [] { auto f = oneNote(); put32At(f, 26, 0xFFFF); return f; },
     "damaged file: note packet 0 runs past the end of the file (offset 65535)"},
    {"note packet size past the end", [] { auto f = oneNote(); put32At(f, 22, 28); return f; },
     "damaged file: note packet 0 runs past the end of the file (offset 30)"},
    {"index entry of another type", [] { auto f = oneNote(); put16At(f, 16, 2); return f; },
     "damaged file: packet 0 is not a note (offset 16)"},
    {"packet data of another type", [] { auto f = oneNote(); put16At(f, 30, 5); return f; },
     "damaged file: packet 0 holds no note (offset 30)"},
    {"packet text length disagrees", [] { auto f = oneNote(); put32At(f, 32, 9); return f; },
     "damaged file: note packet 0 says its text is 9 bytes but holds 1 (offset 30)"},
    {"function shorter than 5", [] { return nativeFile(std::string("a\xD0\x02\x03\x00\xD0", 6)); },
     "damaged file: function D0 is shorter than 5 bytes (length 3) (offset 17)"},
    {"function past its note text", [] { return nativeFile(noteRef(0), {std::string("\xD9\x01\x20\x00", 4)}); },
     "damaged file: function D9 runs past the end of its text (length 32) (offset 40)"},
    {"function header cut off", [] { return nativeFile(std::string("a\xD1\x01", 3)); },
     "damaged file: function D1 runs past the end of its text (offset 17)"},
    {"function without closing byte", [] { return nativeFile(std::string("\xD0\x02\x05\x00\xD1", 5)); },
     "damaged file: function D0 lacks its closing byte (offset 16)"},
    {"attribute without closing byte", [] { return nativeFile("a\xF2\x08"); },
     "damaged file: code F2 lacks its closing byte (offset 17)"},
    {"unknown fixed code never closed", [] { return nativeFile("\xF5xyz"); },
     "damaged file: code F5 lacks its closing byte (offset 16)"},
    {"note reference inside a note", [] { return nativeFile(noteRef(0), {noteRef(0)}); },
     "damaged file: note reference inside the text of a note (offset 40)"},
    {"packet referenced twice", [] { return nativeFile(noteRef(0) + noteRef(0), {"a", "b"}); },
     "damaged file: note reference 2 names packet 0, which an earlier reference names"},
    {"reference to a missing packet", [] { return nativeFile(noteRef(3), {"a"}); },
     "damaged file: note reference 1 names packet 3, but the file has 1 packets"},
    {"packet no reference names", [] { return nativeFile("x", {"a"}); },
     "damaged file: packet 0 belongs to no note reference"},
    {"short note reference", [] { return nativeFile(std::string("\xD7\x00\x06\x00\x00\xD7", 6)); },
     "damaged file: note reference is too short (offset 16)"},
};

TEST(NativeDamage, EachFaultIsNamed) {
  ASSERT_EQ(openError(oneNote()), std::nullopt) << "the undamaged file of the rows must open";
  ASSERT_EQ(openError(saved()), std::nullopt);
  for (const Fault& row : kFaults) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(openError(row.file()), row.message);
  }
}

TEST(NativeDamage, UnknownCodesAreSteppedOver) {
  const std::string main = std::string("a\x90" "b\xDA\x03\x06\x00\x00\xDA" "c\xF7xyz\xF7" "d\x00\x7F" "e", 19) +
                           std::string("\xD0\x16\x05\x00\xD0" "f\xD8\x02\x0C\x00\x00\x00\x00\x00\x00\x07\x00\xD8", 18) +
                           std::string("g\xD9\x63\x09\x00\x01\x00\x00\x00\xD9" "h", 11);
  const doc::DocumentContent content = readNative(nativeFile(main));
  std::string text;
  for (const Item& item : content.items) {
    ASSERT_EQ(item.kind, ItemKind::Character);
    text.push_back(static_cast<char>(item.value));
  }
  EXPECT_EQ(text, "abcdefgh");
}

}  // namespace
}  // namespace quillon::format::test

// Damaged files: the reader never reads outside the file and never stops
// advancing; a stream ends at its damage and the other streams are still
// read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

// Overwrites bytes of a well-formed file.
std::string patched(std::string file, std::size_t at, const std::string& bytes) {
  return file.replace(at, bytes.size(), bytes);
}

TEST(DamagedFile, ReadsWhatLiesBeforeTheDamage) {
  const std::string twoNotes = nativeFile("a" + noteReference(0) + "b" + noteReference(1), {"n0", "n1"});
  const auto size = static_cast<unsigned>(twoNotes.size());
  constexpr std::size_t kEntry0 = 16, kEntry1 = 30;  // index entry p: size at +6, data offset at +10
  const std::string ab = "ab" + byte(0xD0) + byte(1);
  const struct {
    const char* name;
    std::string file;
    std::vector<std::string> paragraphs;
  } rows[] = {
      {"well-formed control", twoNotes, {"a b", "n0", "n1"}},
      {"empty file", "", {}},
      {"shorter than the document offset", "\xFFQD", {}},
      {"document area beyond the file", patched(twoNotes, 4, le32(0x7FFFFFF0)), {}},
      {"header without packet index field", "\xFFQDC" + le32(8) + "x", {"x"}},
      {"packet index beyond the file", patched(twoNotes, 14, le16(0xFFFF)), {"a b"}},
      {"packet number beyond the index", nativeFile("a" + noteReference(900) + "b" + noteReference(1), {"n0", "n1"}),
       {"a b", "n1"}},
      {"packet data beyond the file", patched(twoNotes, kEntry0 + 10, le32(0xFFFFFFF0)), {"a b", "n1"}},
      {"packet smaller than its prefix", patched(twoNotes, kEntry0 + 6, le32(4)), {"a b", "n1"}},
      {"packet runs past the end of file", patched(twoNotes, kEntry1 + 6, le32(size)), {"a b", "n0", "n1a b"}},
      {"variable length shorter than its header", nativeFile(ab + le16(3) + "cd"), {"ab"}},
      {"variable length past the end", nativeFile(ab + le16(200) + "cd"), {"ab"}},
      {"variable header cut off", nativeFile("ab" + byte(0xD9) + byte(1)), {"ab"}},
      {"note start too short for its packet", nativeFile("ab" + function(0xD7, 0, "x") + "cd"), {"ab"}},
      {"page number too short for its value", nativeFile("ab" + function(0xD8, 2, "xyz") + "cd"), {"ab"}},
      {"attribute never closed", nativeFile("ab" + byte(0xF2) + byte(8) + "cd"), {"ab"}},
      {"extended character never closed", nativeFile("ab" + byte(0xF0) + byte(6) + byte(4) + "cd"), {"ab"}},
      {"extended character cut off", nativeFile("ab" + byte(0xF0) + byte(6)), {"ab"}},
      {"skip block never ended", nativeFile("ab" + byte(0xF1) + byte(0) + "cdefghij"), {"ab"}},
      {"skip block ending at the last byte", nativeFile("ab" + byte(0xF1) + byte(0) + "cdef" + byte(0xF1) + byte(1)),
       {"ab"}},
      {"long fixed function never closed", nativeFile("ab" + byte(0xFA) + "cd"), {"ab"}},
      {"damage in a note spares the others",
       nativeFile("a" + noteReference(0) + noteReference(1), {"x" + byte(0xD0) + byte(1) + le16(0) + "y", "n1"}),
       {"a", "x", "n1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar bar;
    EXPECT_EQ(readFile(row.file, &bar).spelled(), row.paragraphs);
    EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
  }
  table::NullProgressBar bar;
  int paragraphs = 0;
  table::readDocumentFile(nullptr, 0, bar, [&](recognize::TokenList&) { ++paragraphs; });
  EXPECT_EQ(paragraphs, 0) << "null bytes read as an empty file";
  EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
}

}  // namespace

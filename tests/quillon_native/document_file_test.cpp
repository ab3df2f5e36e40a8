// Opening and saving by path: which files open as what, the messages for the
// files that do not, and saves that replace a file or fail without leaving
// anything behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "quillon/format/document_file.h"
#include "tests/platform/fixtures.h"
#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

namespace fs = std::filesystem;

class DocumentFile : public ::testing::Test {
 protected:
  std::string pathOf(const std::string& name) const { return folder_.file(name); }
  std::string write(const std::string& name, std::string_view bytes) const {
    platform_test::writeFile(pathOf(name), std::string(bytes));
    return pathOf(name);
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
  }

  platform_test::TemporaryFolder folder_;
};

std::string openError(const std::string& path) {
  try {
    (void)openDocumentFile(path);
  } catch (const FormatError& e) {
    return e.what();
  }
  return "(opened)";
}

TEST_F(DocumentFile, FilesThatDoNotOpenSayWhy) {
  std::string damaged = nativeFile("x", {"a"});
  const struct {
    const char* name;
    std::string file;  // empty: not written
    std::string message;
  } rows[] = {
      {"missing.qdoc", "", "no such file"},
      {"picture.md", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "not a Quillon document or a Markdown file"},
      {"latin1.md", "caf\xE9 au lait\n", "not a Quillon document or a Markdown file"},
      {"overlong.markdown", "\xC0\xAF", "not a Quillon document or a Markdown file"},
      {"notes.txt", "plain text that is not Markdown by name", "not a Quillon document or a Markdown file"},
      {"damaged.qdoc", damaged, "damaged file: packet 0 belongs to no note reference"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = row.file.empty() ? pathOf(row.name) : write(row.name, row.file);
    EXPECT_EQ(openError(path), "cannot open " + path + ": " + row.message);
  }
}

TEST_F(DocumentFile, SavedFileReplacesAnyFileAndOpensAsNativeWhateverItsName) {
  const std::string path = write("brief.md", std::string(5000, 'o'));  // the signature decides, not the name
  Document d = everyKind();
  saveNativeFile(d, path);
  EXPECT_EQ(platform_test::readFile(path), writeNative(d));
  const OpenedFile opened = openDocumentFile(path);
  EXPECT_EQ(opened.kind, FileKind::Native);
  expectSameContent(opened.content, d.content());
  EXPECT_EQ(entries(), 1u) << "no temporary file may stay behind";
}

TEST_F(DocumentFile, FailedRenameLeavesNothingBehind) {
  // A folder in the way: the temporary file is written, the rename fails.
  Document d;
  d.typeText("text");
  fs::create_directories(pathOf("taken.qdoc/inside"));
  EXPECT_THROW(saveNativeFile(d, pathOf("taken.qdoc")), FormatError);
  EXPECT_EQ(entries(), 1u);
  EXPECT_TRUE(fs::is_directory(pathOf("taken.qdoc/inside")));
}

}  // namespace
}  // namespace quillon::format::test

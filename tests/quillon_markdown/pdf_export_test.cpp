// PDF export: one PDF page per laid-out page, and the painted page puts the
// right-aligned page number against the right margin and the footer number
// only where the document numbers its pages; links read back by poppler lead
// where the document's hyperlinks do, and a file the link writer cannot
// follow is refused rather than damaged.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>

#include <fstream>
#include <string>

#include "quillon/render/page_painter.h"
#include "quillon/render/pdf_export.h"
#include "quillon/render/pdf_links.h"
#include "tests/quillon/fixtures.h"
#include "tests/quillon_support/documents.h"

namespace quillon::render::test {
namespace {

constexpr int kDpi = 150;
constexpr int kInch = kDpi;  // image pixels per inch

void ensureApplication() {
  static int argc = 1;
  static char name[] = "pdf_export_test";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
}

// Rightmost dark pixel in rows [top, bottom), or -1.
int rightmostInk(const QImage& image, int top, int bottom) {
  int right = -1;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) right = std::max(right, x);
  return right;
}

// Page 1: a dot-leader line, bold, underline and italic, then filler; page 2:
// a note; a page break; page 3.
std::string briefScript(const std::string& numbering) {
  std::string filler;
  for (int i = 3; i <= 50; ++i) filler += "Line " + std::to_string(i) + "\n";
  return numbering + "Smith v. Jones[.]25\n<+12>Bold<-12> <+14>under<-14> <+8>italic<-8>\n" + filler +
         "Cited.^A note under a rule.^\n\fAfter the break.\n";
}

TEST(PdfExport, PagesAndAlignment) {
  ensureApplication();
  const struct {
    const char* name;
    std::string numbering;
    bool footer;
  } rows[] = {
      {"a page-number code: numbers in the footer", "<P1>", true},
      {"no page-number code: no footer", "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    doc::Document d = doc::test::build(briefScript(row.numbering));
    ASSERT_EQ(d.pageCount(), 3);
    const std::string pdf = exportPdf(d);
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    int pageObjects = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
      if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pageObjects;
    EXPECT_EQ(pageObjects, 3);
    EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos) << "letter pages";

    const PagePainter pages(d);
    const QImage first = pageImage(pages, 1, kDpi);
    QDir().mkpath(QStringLiteral("screenshots"));
    first.save(QStringLiteral("screenshots/pdf-page-1%1.png").arg(row.footer ? "-numbered" : ""));
    pageImage(pages, 2, kDpi).save(QStringLiteral("screenshots/pdf-page-2-note.png"));
    // The first line's top is at 1 in; its "25" ends at the right margin
    // (7.5 in), within the blank part of its last character's cell.
    const int right = rightmostInk(first, kInch, kInch + kInch / 5);
    EXPECT_LE(right, kInch * 15 / 2);
    EXPECT_GE(right, kInch * 15 / 2 - kInch / 10);
    const bool footerInk = rightmostInk(first, kInch * 41 / 4, kInch * 43 / 4) >= 0;
    EXPECT_EQ(footerInk, row.footer);
  }
}

// The links as poppler's pdftohtml reads them back: each "<a href=...>text".
std::string popplerLinks(const std::string& pdf) {
  const std::string path = testing::TempDir() + "links.pdf";
  std::ofstream(path, std::ios::binary) << pdf;
  const std::string xml = quillon_test::runProgram("/usr/bin/pdftohtml", {"-xml", "-i", "-stdout", path}).out;
  std::string links;
  for (std::size_t at = xml.find("<a href="); at != std::string::npos; at = xml.find("<a href=", at + 1))
    links += xml.substr(at, xml.find_first_of(" <", xml.find('>', at)) - at) + "\n";
  return links;
}

// Page 1's first word leads to a bookmark on page 3, page 3's last word to an address.
TEST(PdfLinks, GoToAndAddressLinksReadBackAndOddFilesAreRefused) {
  ensureApplication();
  doc::Document d = doc::test::build(briefScript("") + "Site");
  d.createBookmark("XTOA~end", false);  // the insertion point stands at the end
  d.select(0, 5);
  ASSERT_TRUE(d.createHyperlink("XTOA~end"));
  d.select(d.items().size() - 4, d.items().size());
  ASSERT_TRUE(d.createHyperlink("https://example.org/brief"));
  const std::string pdf = exportPdf(d);
  std::string stream = pdf;
  stream.replace(stream.rfind("\nxref") + 1, 4, "XREF");
  const struct {
    const char* name;
    std::string pdf;
    int page;  // of a new link to page 1
    std::optional<std::string> readBack;  // nullopt: refused
  } rows[] = {
      {"the export's links, and another added later", pdf, 3,
       "<a href=\"links.html#3\">Smith\n<a href=\"links.html#1\">After\n<a href=\"https://example.org/brief\">Site\n"},
      {"a cross-reference stream", stream, 1, std::nullopt},
      {"a link on a page the file lacks", pdf, 4, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto linked = withLinks(row.pdf, {{.page = row.page, .area = {72, 700, 200, 720}, .targetPage = 1,
                                             .targetTop = 720, .uri = {}}});
    EXPECT_EQ(linked ? std::optional(popplerLinks(*linked)) : std::nullopt, row.readBack);
  }
}

}  // namespace
}  // namespace quillon::render::test

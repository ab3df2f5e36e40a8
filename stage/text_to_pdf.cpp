// Turns a plain-text document into a paged PDF: the user guide that ships in
// the installation folder is written as text and set in Helvetica, US letter.
// Lines starting with "# " become headings. Usage: text_to_pdf IN.txt OUT.pdf
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPageWidth = 612;  // points: 8.5 x 11 inches
constexpr int kPageHeight = 792;
constexpr int kMargin = 72;
constexpr int kBodySize = 11;
constexpr int kHeadingSize = 15;
constexpr int kLeading = 15;
constexpr std::size_t kWrapColumn = 88;  // Helvetica 11 pt fits about this many on 6.5 in

struct Line {
  std::string text;
  bool heading = false;
};

std::string pdfEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

std::vector<Line> wrapped(std::istream& in) {
  std::vector<Line> lines;
  std::string raw;
  while (std::getline(in, raw)) {
    if (raw.rfind("# ", 0) == 0) {
      lines.push_back({raw.substr(2), true});
      continue;
    }
    while (raw.size() > kWrapColumn) {
      std::size_t cut = raw.rfind(' ', kWrapColumn);
      if (cut == std::string::npos || cut == 0) cut = kWrapColumn;
      lines.push_back({raw.substr(0, cut), false});
      raw = raw.substr(raw[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back({raw, false});
  }
  return lines;
}

std::vector<std::string> pageStreams(const std::vector<Line>& lines) {
  std::vector<std::string> pages;
  std::ostringstream page;
  int y = kPageHeight - kMargin;
  auto flush = [&] {
    pages.push_back(page.str());
    page.str("");
    y = kPageHeight - kMargin;
  };
  for (const Line& line : lines) {
    const int step = line.heading ? kLeading * 2 : kLeading;
    if (y - step < kMargin) flush();
    y -= step;
    page << "BT /" << (line.heading ? "F2 " : "F1 ") << (line.heading ? kHeadingSize : kBodySize)
         << " Tf " << kMargin << ' ' << y << " Td (" << pdfEscaped(line.text) << ") Tj ET\n";
  }
  flush();
  return pages;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: text_to_pdf IN.txt OUT.pdf\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "text_to_pdf: cannot read " << argv[1] << "\n";
    return 1;
  }
  const std::vector<std::string> pages = pageStreams(wrapped(in));

  // Objects: 1 catalog, 2 page tree, 3 and 4 fonts, then a page and its
  // content stream for each page.
  std::vector<std::string> objects;
  std::ostringstream kids;
  for (std::size_t i = 0; i < pages.size(); ++i) kids << (5 + 2 * i) << " 0 R ";
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("<< /Type /Pages /Kids [" + kids.str() + "] /Count " +
                    std::to_string(pages.size()) + " >>");
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
  for (std::size_t i = 0; i < pages.size(); ++i) {
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(kPageWidth) +
                      " " + std::to_string(kPageHeight) +
                      "] /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents " +
                      std::to_string(6 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(pages[i].size()) + " >>\nstream\n" + pages[i] +
                      "endstream");
  }

  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";

  std::ofstream out(argv[2], std::ios::binary);
  out << pdf;
  if (!out) {
    std::cerr << "text_to_pdf: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}

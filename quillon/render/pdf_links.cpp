// Appends link annotations to a PDF as an incremental update; see
// pdf_links.h. The reader knows the few object shapes on the way from the
// trailer to the page objects: dictionaries, arrays, references, names,
// numbers and strings, each skipped as a whole.
#include "quillon/render/pdf_links.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

namespace quillon::render {
namespace {

struct Ref {
  long number = 0;
  long generation = 0;
};

// A dictionary's top-level entries: key (with its slash) and raw value text.
using Entries = std::vector<std::pair<std::string, std::string>>;

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool isDelimiter(char c) { return c != '\0' && std::strchr("()<>[]{}/%", c) != nullptr; }

// Reads values out of the file's bytes by offset; every scan stops at the
// end of the bytes, so a truncated or damaged file gives npos, not a crash.
class Reader {
 public:
  explicit Reader(std::string_view pdf) : pdf_(pdf) {}

  std::size_t skipSpace(std::size_t at) const {
    while (at < pdf_.size()) {
      if (isSpace(pdf_[at])) {
        ++at;
      } else if (pdf_[at] == '%') {
        while (at < pdf_.size() && pdf_[at] != '\n' && pdf_[at] != '\r') ++at;
      } else {
        break;
      }
    }
    return at;
  }

  // End of the value that starts at `at` (after blanks), or npos.
  std::size_t skipValue(std::size_t at, int depth = 0) const {
    at = skipSpace(at);
    if (at >= pdf_.size() || depth > 64) return std::string_view::npos;
    const char c = pdf_[at];
    if (pdf_.compare(at, 2, "<<") == 0) return skipUntil(at + 2, ">>", depth);
    if (c == '[') return skipUntil(at + 1, "]", depth);
    if (c == '(') return skipString(at);
    if (c == '<') {
      const std::size_t end = pdf_.find('>', at);
      return end == std::string_view::npos ? end : end + 1;
    }
    if (c == '/') ++at;
    else if (isDelimiter(c)) return std::string_view::npos;
    const std::size_t end = word(at);
    // A reference is two integers and R.
    if (c >= '0' && c <= '9') {
      const std::size_t g = skipSpace(end);
      const std::size_t gEnd = word(g);
      const std::size_t r = skipSpace(gEnd);
      const auto digit = [](char d) { return d >= '0' && d <= '9'; };
      if (gEnd > g && std::all_of(pdf_.begin() + g, pdf_.begin() + gEnd, digit) && r < pdf_.size() &&
          pdf_[r] == 'R' && (r + 1 == pdf_.size() || isSpace(pdf_[r + 1]) || isDelimiter(pdf_[r + 1])))
        return r + 1;
    }
    return end;
  }

  // The entries of the dictionary that starts at `at`, or nullopt.
  std::optional<Entries> dictionary(std::size_t at) const {
    at = skipSpace(at);
    if (at >= pdf_.size() || pdf_.compare(at, 2, "<<") != 0) return std::nullopt;
    Entries entries;
    at = skipSpace(at + 2);
    while (at < pdf_.size() && pdf_.compare(at, 2, ">>") != 0) {
      if (pdf_[at] != '/') return std::nullopt;
      const std::size_t keyEnd = word(at + 1);
      const std::size_t valueStart = skipSpace(keyEnd);
      const std::size_t valueEnd = skipValue(valueStart);
      if (valueEnd == std::string_view::npos) return std::nullopt;
      entries.emplace_back(std::string(pdf_.substr(at, keyEnd - at)),
                           std::string(pdf_.substr(valueStart, valueEnd - valueStart)));
      at = skipSpace(valueEnd);
    }
    if (at >= pdf_.size()) return std::nullopt;
    return entries;
  }

  // The value of object `ref`: where it starts, or npos when the
  // cross-reference table does not lead to "N G obj".
  std::size_t object(const std::map<long, std::size_t>& offsets, Ref ref) const {
    const auto found = offsets.find(ref.number);
    if (found == offsets.end() || found->second >= pdf_.size()) return std::string_view::npos;
    const std::string head = std::to_string(ref.number) + " " + std::to_string(ref.generation) + " obj";
    std::size_t at = skipSpace(found->second);
    if (pdf_.compare(at, head.size(), head) != 0) return std::string_view::npos;
    return at + head.size();
  }

  std::string_view text(std::size_t from, std::size_t to) const { return pdf_.substr(from, to - from); }
  std::size_t word(std::size_t at) const {
    while (at < pdf_.size() && !isSpace(pdf_[at]) && !isDelimiter(pdf_[at])) ++at;
    return at;
  }

 private:
  std::size_t skipUntil(std::size_t at, std::string_view close, int depth) const {
    for (at = skipSpace(at); at < pdf_.size(); at = skipSpace(at)) {
      if (pdf_.compare(at, close.size(), close) == 0) return at + close.size();
      at = skipValue(at, depth + 1);
      if (at == std::string_view::npos) break;
    }
    return std::string_view::npos;
  }

  std::size_t skipString(std::size_t at) const {
    int open = 0;
    for (; at < pdf_.size(); ++at) {
      if (pdf_[at] == '\\') ++at;
      else if (pdf_[at] == '(') ++open;
      else if (pdf_[at] == ')' && --open == 0) return at + 1;
    }
    return std::string_view::npos;
  }

  std::string_view pdf_;
};

const std::string* entry(const Entries& entries, std::string_view key) {
  for (const auto& [k, v] : entries)
    if (k == key) return &v;
  return nullptr;
}

std::optional<Ref> reference(const std::string* value) {
  Ref ref;
  char r = 0;
  if (!value || std::sscanf(value->c_str(), "%ld %ld %c", &ref.number, &ref.generation, &r) != 3 || r != 'R')
    return std::nullopt;
  return ref;
}

// The references in an array's text "[1 0 R 2 0 R]".
std::vector<Ref> references(const std::string& array) {
  std::vector<Ref> refs;
  const Reader reader(array);
  for (std::size_t at = reader.skipSpace(1); at < array.size() && array[at] != ']';) {
    const std::size_t end = reader.skipValue(at);
    if (end == std::string::npos) break;
    const std::string value(array.substr(at, end - at));
    if (const auto ref = reference(&value)) refs.push_back(*ref);
    at = reader.skipSpace(end);
  }
  return refs;
}

struct Trailer {
  std::map<long, std::size_t> offsets;  // in-use objects, the newest section's entry winning
  Entries entries;                      // of the newest trailer
  std::size_t start = 0;                // offset of the newest cross-reference section
};

// Reads the cross-reference sections from the last one back along /Prev.
std::optional<Trailer> readTrailer(const Reader& reader, std::string_view pdf) {
  const std::size_t mark = pdf.rfind("startxref");
  if (mark == std::string_view::npos) return std::nullopt;
  Trailer trailer;
  long section = 0;
  if (std::sscanf(std::string(pdf.substr(mark + 9, 24)).c_str(), "%ld", &section) != 1) return std::nullopt;
  trailer.start = static_cast<std::size_t>(section);
  for (int hops = 0; hops < 64 && section >= 0; ++hops) {
    if (static_cast<std::size_t>(section) >= pdf.size()) return std::nullopt;
    std::size_t at = reader.skipSpace(static_cast<std::size_t>(section));
    if (pdf.compare(at, 4, "xref") != 0) return std::nullopt;  // a cross-reference stream
    at += 4;
    while (true) {
      at = reader.skipSpace(at);
      if (pdf.compare(at, 7, "trailer") == 0) break;
      long first = 0, count = 0;
      int used = 0;
      if (std::sscanf(std::string(pdf.substr(at, 40)).c_str(), "%ld %ld%n", &first, &count, &used) != 2 ||
          count < 0)
        return std::nullopt;
      at += static_cast<std::size_t>(used);
      for (long k = 0; k < count; ++k) {
        long offset = 0, generation = 0;
        char type = 0;
        if (std::sscanf(std::string(pdf.substr(at, 40)).c_str(), " %ld %ld %c%n", &offset, &generation, &type,
                        &used) != 3)
          return std::nullopt;
        at += static_cast<std::size_t>(used);
        if (type == 'n') trailer.offsets.emplace(first + k, static_cast<std::size_t>(offset));
      }
    }
    const auto entries = reader.dictionary(at + 7);
    if (!entries) return std::nullopt;
    if (hops == 0) trailer.entries = *entries;
    const std::string* prev = entry(*entries, "/Prev");
    section = prev ? std::atol(prev->c_str()) : -1;
  }
  return trailer;
}

// Page objects in order, walking the page tree from the catalog.
bool collectPages(const Reader& reader, const Trailer& trailer, Ref node, int depth, std::vector<Ref>& pages) {
  const std::size_t at = reader.object(trailer.offsets, node);
  const auto entries = at == std::string::npos ? std::nullopt : reader.dictionary(at);
  if (!entries || depth > 32) return false;
  const std::string* kids = entry(*entries, "/Kids");
  if (!kids) {
    pages.push_back(node);
    return true;
  }
  for (const Ref kid : references(*kids))
    if (!collectPages(reader, trailer, kid, depth + 1, pages)) return false;
  return true;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string refText(Ref ref) { return std::to_string(ref.number) + " " + std::to_string(ref.generation) + " R"; }

// A PDF literal string: bytes outside printable ASCII percent-encoded, as a
// URI carries them; parentheses and backslashes escaped.
std::string uriString(const std::string& uri) {
  std::string out = "(";
  for (const char c : uri) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte >= 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      out += hex;
    } else {
      if (c == '(' || c == ')' || c == '\\') out += '\\';
      out += c;
    }
  }
  return out + ")";
}

std::string annotation(const PdfLink& link, const std::vector<Ref>& pages) {
  const PdfRect& r = link.area;
  std::string action = link.targetPage > 0
      ? "<< /S /GoTo /D [" + refText(pages[link.targetPage - 1]) + " /XYZ null " + number(link.targetTop) + " null] >>"
      : "<< /S /URI /URI " + uriString(link.uri) + " >>";
  return "<< /Type /Annot /Subtype /Link /Rect [" + number(r.left) + " " + number(r.bottom) + " " + number(r.right) +
         " " + number(r.top) + "] /Border [0 0 0] /A " + action + " >>";
}

std::string dictionaryText(const Entries& entries) {
  std::string out = "<<\n";
  for (const auto& [key, value] : entries) out += key + " " + value + "\n";
  return out + ">>";
}

}  // namespace

std::optional<std::string> withLinks(std::string pdf, const std::vector<PdfLink>& links) {
  if (links.empty()) return pdf;
  const Reader reader(pdf);
  const auto trailer = readTrailer(reader, pdf);
  if (!trailer) return std::nullopt;
  const auto root = reference(entry(trailer->entries, "/Root"));
  const std::size_t catalogAt = root ? reader.object(trailer->offsets, *root) : std::string::npos;
  const auto catalog = catalogAt == std::string::npos ? std::nullopt : reader.dictionary(catalogAt);
  const auto pagesRoot = catalog ? reference(entry(*catalog, "/Pages")) : std::nullopt;
  std::vector<Ref> pages;
  if (!pagesRoot || !collectPages(reader, *trailer, *pagesRoot, 0, pages)) return std::nullopt;
  const std::string* sizeText = entry(trailer->entries, "/Size");
  long next = sizeText ? std::atol(sizeText->c_str()) : 0;
  if (next <= 0) return std::nullopt;

  const long pageCount = static_cast<long>(pages.size());
  std::map<long, std::vector<Ref>> annotsOfPage;  // page index -> new annotation objects
  std::map<long, std::pair<long, std::string>> objects;  // number -> (generation, value text)
  for (const PdfLink& link : links) {
    if (link.page < 1 || link.page > pageCount || link.targetPage < 0 || link.targetPage > pageCount ||
        (link.targetPage == 0 && link.uri.empty()))
      return std::nullopt;
    const Ref ref{next++, 0};
    objects[ref.number] = {0, annotation(link, pages)};
    annotsOfPage[link.page - 1].push_back(ref);
  }
  for (const auto& [index, added] : annotsOfPage) {
    std::string list;
    for (const Ref ref : added) list += " " + refText(ref);
    const Ref page = pages[static_cast<std::size_t>(index)];
    auto entries = reader.dictionary(reader.object(trailer->offsets, page));
    if (!entries) return std::nullopt;
    std::string* annots = nullptr;
    for (auto& [key, value] : *entries)
      if (key == "/Annots") annots = &value;
    if (const auto indirect = reference(annots)) {
      // The page keeps pointing at its array; the array gets a new version
      // (built on the one made for an earlier page sharing it).
      std::string array;
      if (const auto made = objects.find(indirect->number); made != objects.end()) {
        array = made->second.second;
      } else {
        const std::size_t at = reader.object(trailer->offsets, *indirect);
        const std::size_t end = at == std::string::npos ? at : reader.skipValue(at);
        if (end == std::string::npos) return std::nullopt;
        array = reader.text(reader.skipSpace(at), end);
      }
      if (array.empty() || array.front() != '[') return std::nullopt;
      objects[indirect->number] = {indirect->generation, array.substr(0, array.size() - 1) + list + " ]"};
    } else {
      if (annots && (annots->empty() || annots->front() != '[')) return std::nullopt;
      if (annots) annots->insert(annots->size() - 1, list + " ");
      else entries->emplace_back("/Annots", "[" + list + " ]");
      objects[page.number] = {page.generation, dictionaryText(*entries)};
    }
  }

  if (!pdf.empty() && pdf.back() != '\n') pdf += '\n';
  std::map<long, std::size_t> written;
  for (const auto& [numberOf, object] : objects) {
    written[numberOf] = pdf.size();
    pdf += std::to_string(numberOf) + " " + std::to_string(object.first) + " obj\n" + object.second + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n";
  for (auto run = written.begin(); run != written.end();) {
    auto stop = run;
    long expected = run->first;
    while (stop != written.end() && stop->first == expected) ++stop, ++expected;
    pdf += std::to_string(run->first) + " " + std::to_string(expected - run->first) + "\n";
    for (; run != stop; ++run) {
      char line[24];
      std::snprintf(line, sizeof line, "%010zu %05ld n \n", run->second, objects[run->first].first);
      pdf += line;
    }
  }
  Entries tail{{"/Size", std::to_string(next)}, {"/Root", refText(*root)}};
  for (const char* kept : {"/Info", "/ID"})
    if (const std::string* value = entry(trailer->entries, kept)) tail.emplace_back(kept, *value);
  tail.emplace_back("/Prev", std::to_string(trailer->start));
  pdf += "trailer\n" + dictionaryText(tail) + "\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace quillon::render

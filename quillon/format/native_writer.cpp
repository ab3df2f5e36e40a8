// Writes a document as the bytes of its native file. In: a document, laid out
// so that the file's page breaks fall where the host breaks its pages. Out: the
// header, the packet index, one note packet per note reference and the main
// text, byte for byte the same for the same document.
#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quillon/doc/charsets.h"
#include "quillon/format/native_bytes.h"
#include "quillon/format/native_format.h"

namespace quillon::format {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;
using internal::put16;
using internal::put32;

// A function's length field counts code, subcode, the field and the closing
// byte around the payload.
constexpr std::size_t kFunctionFrame = 5;
constexpr std::size_t kMaxPayload = 0xFFFF - kFunctionFrame;
constexpr std::int32_t kMaxFixedAttribute = 0xEF;
constexpr std::int32_t kMaxPageNumber = 0xFFFF;
constexpr std::size_t kMaxNotes = 0xFFFF;

void putFunction(std::string& out, std::uint8_t code, std::uint8_t subcode, std::string_view payload) {
  assert(payload.size() <= kMaxPayload);
  out.push_back(static_cast<char>(code));
  out.push_back(static_cast<char>(subcode));
  put16(out, static_cast<std::uint32_t>(payload.size() + kFunctionFrame));
  out.append(payload);
  out.push_back(static_cast<char>(code));
}

std::optional<std::uint8_t> shortFormOf(std::uint8_t set, std::int32_t number) {
  if (set != 1) return std::nullopt;
  for (std::size_t i = 0; i < kShortForms.size(); ++i) {
    if (kShortForms[i] == number) return static_cast<std::uint8_t>(i + 1);
  }
  return std::nullopt;
}

using HostCharacter = std::pair<std::uint8_t, std::uint8_t>;  // set, number

// The host character that reads as each Windows-1252 byte 0x80..0xFF, so that
// readers that know only host characters still see the letter. The first in
// set order, then number order, wins, which keeps the output stable.
const std::array<std::optional<HostCharacter>, 128>& hostEquivalents() {
  static const auto table = [] {
    std::array<std::optional<HostCharacter>, 128> t{};
    for (int set : {1, 4}) {
      for (int number = 0; number < 256; ++number) {
        const auto unicode = doc::specialToUnicode(set, number);
        if (!unicode) continue;
        const auto byte = doc::unicodeToCp1252(*unicode);
        if (!byte || *byte < 0x80 || t[*byte - 0x80U]) continue;
        t[*byte - 0x80U] = HostCharacter{static_cast<std::uint8_t>(set), static_cast<std::uint8_t>(number)};
      }
    }
    return t;
  }();
  return table;
}

void putSpecial(std::string& out, std::uint8_t set, std::int32_t number) {
  if (const auto shortForm = shortFormOf(set, number)) {
    out.push_back(static_cast<char>(*shortForm));
    return;
  }
  out.push_back(static_cast<char>(kExtendedCharacter));
  out.push_back(static_cast<char>(number & 0xFF));
  out.push_back(static_cast<char>(set));
  out.push_back(static_cast<char>(kExtendedCharacter));
}

void putCharacter(std::string& out, std::uint8_t byte) {
  if (byte > 0x20 && byte < 0x7F) {
    out.push_back(static_cast<char>(byte));
  } else if (byte == ' ') {
    out.push_back(static_cast<char>(kBlank));
  } else if (byte == 0xAD) {
    out.push_back(static_cast<char>(kSoftHyphen));
  } else {
    // Control bytes have no byte of their own in a text stream either, so
    // they travel the same way as the upper half of the code page.
    const auto host = byte >= 0x80 ? hostEquivalents()[byte - 0x80U] : std::nullopt;
    const char payload[] = {static_cast<char>(byte), 0, 0, 0, static_cast<char>(host ? 1 : 0)};
    putFunction(out, kStoredCodeFunction, kCodePageSubcode, {payload, sizeof payload});
    if (host) putSpecial(out, host->first, host->second);
  }
}

std::string named(const std::vector<std::string>& table, std::int32_t index, std::string_view fallback) {
  const std::string_view name =
      index >= 0 && static_cast<std::size_t>(index) < table.size() ? std::string_view(table[static_cast<std::size_t>(index)])
                                                                    : fallback;
  return std::string(name.substr(0, kMaxPayload - 4));
}

struct Names {
  const std::vector<std::string>& faces;
  const std::vector<std::string>& targets;
};

void putCode(std::string& out, const Item& item, const Names& names) {
  const bool attribute = item.code == CodeKind::AttributeOn || item.code == CodeKind::AttributeOff;
  if (attribute && item.value >= 0 && item.value <= kMaxFixedAttribute) {
    const auto code = item.code == CodeKind::AttributeOn ? kAttributeOn : kAttributeOff;
    out.push_back(static_cast<char>(code));
    out.push_back(static_cast<char>(item.value));
    out.push_back(static_cast<char>(code));
    return;
  }
  std::string payload;
  std::string name;
  std::int32_t value = item.value;
  // The file names faces and targets; their indexes belong to one session.
  if (item.code == CodeKind::Font) {
    name = named(names.faces, item.value, names.faces.empty() ? std::string_view("Quillon Mono") : names.faces[0]);
    value = 0;
  } else if (item.code == CodeKind::HyperlinkStart) {
    name = named(names.targets, item.value, "");
    value = 0;
  }
  put32(payload, static_cast<std::uint32_t>(value));
  payload += name;
  putFunction(out, kStoredCodeFunction, static_cast<std::uint8_t>(item.code), payload);
}

// Everything but note references, which only the main text can place.
void putItem(std::string& out, const Item& item, const Names& names) {
  switch (item.kind) {
    case ItemKind::Character: putCharacter(out, static_cast<std::uint8_t>(item.value & 0xFF)); break;
    case ItemKind::Special: putSpecial(out, item.set, item.value); break;
    case ItemKind::HardSpace: out.push_back(static_cast<char>(kHardSpace)); break;
    case ItemKind::Tab: out.push_back(static_cast<char>(kTab)); break;
    case ItemKind::DotLeaderTab: putFunction(out, kLayoutFunction, kDotLeaderSubcode, {}); break;
    case ItemKind::HardReturn: out.push_back(static_cast<char>(kHardReturn)); break;
    case ItemKind::HardPageBreak: out.push_back(static_cast<char>(kHardPageBreak)); break;
    case ItemKind::Code: putCode(out, item, names); break;
    case ItemKind::NoteReference: break;
  }
}

// A note holds no note reference; one that somehow does loses it on saving.
std::string noteStream(const doc::ItemText& text, const Names& names) {
  std::string out;
  for (const Item& item : text) putItem(out, item, names);
  return out;
}

void putNoteReference(std::string& out, std::size_t packet) {
  std::string payload(2, '\0');
  put16(payload, static_cast<std::uint32_t>(packet));
  putFunction(out, kNoteFunction, kNoteStart, payload);
  putFunction(out, kNoteFunction, kNoteEnd, {});
}

void putLogicalPage(std::string& out, std::int32_t number) {
  std::string payload(5, '\0');
  put16(payload, static_cast<std::uint32_t>(number));
  putFunction(out, kPageNumberFunction, kPageCounterA, payload);
}

struct Mark {
  std::size_t position;
  std::uint8_t side;  // kBookmarkEnd sorts before kBookmarkStart at one gap
  const doc::Bookmark* bookmark;
};

std::vector<Mark> marksInOrder(const std::vector<doc::Bookmark>& bookmarks, std::size_t itemCount) {
  std::vector<Mark> marks;
  marks.reserve(bookmarks.size() * 2);
  for (const auto& b : bookmarks) {
    marks.push_back({std::min(b.start.position, itemCount), kBookmarkStart, &b});
    marks.push_back({std::min(b.end.position, itemCount), kBookmarkEnd, &b});
  }
  const auto rank = [](std::uint8_t side) { return side == kBookmarkEnd ? 0 : 1; };
  std::sort(marks.begin(), marks.end(), [&](const Mark& a, const Mark& b) {
    if (a.position != b.position) return a.position < b.position;
    if (a.side != b.side) return rank(a.side) < rank(b.side);
    return a.bookmark->name < b.bookmark->name;
  });
  return marks;
}

void putMark(std::string& out, const Mark& mark) {
  const doc::Anchor& end = mark.side == kBookmarkStart ? mark.bookmark->start : mark.bookmark->end;
  std::string payload(1, static_cast<char>(end.sticksRight ? 1 : 0));
  payload += std::string_view(mark.bookmark->name).substr(0, kMaxPayload - 1);
  putFunction(out, kBookmarkFunction, mark.side, payload);
}

std::int32_t clampedPage(int number) { return std::clamp<std::int32_t>(number, 0, kMaxPageNumber); }

void putMainText(std::string& out, doc::Document& document) {
  const std::vector<doc::LaidLine> lines = document.lines();
  const auto& items = document.items();
  const Names names{document.faces(), document.targets()};
  const std::vector<Mark> marks = marksInOrder(document.bookmarks().all(), items.size());
  // What a reader counting page breaks and page functions would hold.
  int filePhysical = 1;
  std::int32_t fileLogical = 1;
  int checkedPage = 0;
  std::size_t line = 0;
  std::size_t mark = 0;
  std::size_t packet = 0;
  for (std::size_t i = 0; i <= items.size(); ++i) {
    if (i < items.size() && !lines.empty()) {
      while (line + 1 < lines.size() && lines[line + 1].start <= i) ++line;
      const doc::LaidLine& at = lines[line];
      for (; filePhysical < at.physicalPage; ++filePhysical, ++fileLogical) {
        putFunction(out, kLayoutFunction, kSoftPageSubcode, {});
      }
      // Checked once per page: a clamped number must not repeat on every item.
      if (at.physicalPage != checkedPage) {
        checkedPage = at.physicalPage;
        if (clampedPage(at.logicalPage) != fileLogical) {
          fileLogical = clampedPage(at.logicalPage);
          putLogicalPage(out, fileLogical);
        }
      }
    }
    for (; mark < marks.size() && marks[mark].position <= i; ++mark) putMark(out, marks[mark]);
    if (i == items.size()) break;
    const Item& item = items[i];
    if (item.kind == ItemKind::NoteReference) {
      putNoteReference(out, packet++);
    } else {
      putItem(out, item, names);
    }
    if (item.kind == ItemKind::HardPageBreak) {
      ++filePhysical;
      ++fileLogical;
    }
  }
}

}  // namespace

std::string writeNative(doc::Document& document) {
  const Names names{document.faces(), document.targets()};
  std::vector<std::string> noteTexts;
  for (const Item& item : document.items()) {
    if (item.kind != ItemKind::NoteReference) continue;
    if (noteTexts.size() == kMaxNotes) throw FormatError("the document has more than 65535 notes");
    const auto n = static_cast<std::size_t>(item.value);
    noteTexts.push_back(item.value >= 0 && n < document.notes().size() ? noteStream(document.notes()[n], names)
                                                                          : std::string{});
  }

  std::string out(kNativeSignature);
  const std::size_t documentOffsetField = out.size();
  put32(out, 0);  // patched once the packets are written
  put16(out, kNativeVersion);
  put16(out, static_cast<std::uint32_t>(noteTexts.size()));
  put16(out, 0);
  put16(out, static_cast<std::uint32_t>(kHeaderSize));
  assert(out.size() == kFileLengthAt);
  put32(out, 0);  // patched once the main text is written
  assert(out.size() == kHeaderSize);

  std::size_t data = kHeaderSize + kIndexEntrySize * noteTexts.size();
  for (const std::string& text : noteTexts) {
    put16(out, kNotePacket);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(kPacketPrefixSize + text.size()));
    put32(out, static_cast<std::uint32_t>(data));
    data += kPacketPrefixSize + text.size();
  }
  for (const std::string& text : noteTexts) {
    put16(out, kNotePacket);
    put32(out, static_cast<std::uint32_t>(text.size()));
    put32(out, 0);
    out += text;
  }
  assert(out.size() == data);
  internal::patch32(out, documentOffsetField, static_cast<std::uint32_t>(out.size()));
  putMainText(out, document);
  if (out.size() > UINT32_MAX) throw FormatError("the document is larger than 4 GiB");
  internal::patch32(out, kFileLengthAt, static_cast<std::uint32_t>(out.size()));
  return out;
}

}  // namespace quillon::format

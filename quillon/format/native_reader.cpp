// Reads the bytes of a native file back into a document's content. In: the
// file's bytes. Out: items, note texts, faces, hyperlink targets and bookmarks,
// or a FormatError naming the first fault and the byte where it lies.
//
// Every read is checked against the end of its stream before it happens, and
// every step moves forward by at least one byte, so no input can make the
// reader leave the buffer or stop advancing.
#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/format/native_bytes.h"
#include "quillon/format/native_format.h"

namespace quillon::format {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;
using internal::byteAt;
using internal::get16;
using internal::get32;

constexpr std::size_t kFunctionFrame = 5;
constexpr std::uint8_t kLastCodeKind = static_cast<std::uint8_t>(CodeKind::PageNumber);

[[noreturn]] void damaged(const std::string& what) { throw FormatError("damaged file: " + what); }

std::string hex(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(byte));
  return text;
}

std::string at(std::size_t offset) { return " (offset " + std::to_string(offset) + ")"; }

struct Packet {
  std::size_t textStart = 0;
  std::size_t textEnd = 0;
};

// What a stream adds to the content beyond its own items.
struct Collected {
  std::vector<std::string> faces{"Quillon Mono"};
  std::vector<std::string> targets;
  std::vector<std::size_t> notePackets;  // packet of each note reference, in order
  std::vector<doc::Bookmark> bookmarks;
  std::vector<bool> hasStart, hasEnd;    // per entry of `bookmarks`
  std::map<std::string, std::size_t, std::less<>> byName;
};

std::int32_t intern(std::vector<std::string>& table, std::string_view name) {
  auto it = std::find(table.begin(), table.end(), name);
  if (it == table.end()) it = table.insert(table.end(), std::string(name));
  return static_cast<std::int32_t>(it - table.begin());
}

// A lone start or end makes a point bookmark; a repeated mark replaces the
// earlier one. Both keep whatever the file says about the other end.
void addMark(Collected& c, std::uint8_t side, std::string_view name, bool sticksRight, std::size_t position) {
  const auto [found, added] = c.byName.try_emplace(std::string(name), c.bookmarks.size());
  const std::size_t n = found->second;
  if (added) {
    c.bookmarks.push_back({std::string(name), {position, sticksRight}, {position, sticksRight}});
    c.hasStart.push_back(false);
    c.hasEnd.push_back(false);
  }
  doc::Bookmark& mark = c.bookmarks[n];
  const doc::Anchor anchor{position, sticksRight};
  if (side == kBookmarkStart) {
    mark.start = anchor;
    if (!c.hasEnd[n]) mark.end = anchor;
    c.hasStart[n] = true;
  } else {
    mark.end = anchor;
    if (!c.hasStart[n]) mark.start = anchor;
    c.hasEnd[n] = true;
  }
}

class StreamReader {
 public:
  StreamReader(std::string_view bytes, std::size_t begin, std::size_t end, bool isNote, Collected& collected)
      : bytes_(bytes), pos_(begin), end_(end), isNote_(isNote), c_(collected) {}

  std::vector<Item> read() {
    while (pos_ < end_) step();
    return std::move(items_);
  }

 private:
  void step() {
    const std::uint8_t b = byteAt(bytes_, pos_);
    if (b >= 0x01 && b <= 0x20) {
      take(Item::special(1, kShortForms[b - 1U]), 1);
    } else if (b > 0x20 && b < 0x7F) {
      take(Item::character(b), 1);
    } else if (b >= 0x80 && b <= 0xCF) {
      oneByteCode(b);
    } else if (b >= 0xD0 && b <= 0xEF) {
      variableFunction(b);
    } else if (b >= 0xF0) {
      fixedFunction(b);
    } else {
      ++pos_;  // 0x00 and 0x7F mean nothing
    }
  }

  void take(Item item, std::size_t length) {
    items_.push_back(item);
    pos_ += length;
  }

  void oneByteCode(std::uint8_t b) {
    switch (b) {
      case kBlank: items_.push_back(Item::character(' ')); break;
      case kHardSpace: items_.push_back(Item::of(ItemKind::HardSpace)); break;
      case kHardHyphen: items_.push_back(Item::character('-')); break;
      case kSoftHyphen: items_.push_back(Item::character(0xAD)); break;
      case kTab: items_.push_back(Item::of(ItemKind::Tab)); break;
      case kHardReturn: items_.push_back(Item::of(ItemKind::HardReturn)); break;
      case kHardPageBreak: items_.push_back(Item::of(ItemKind::HardPageBreak)); break;
      default: break;  // other codes mean nothing to this host
    }
    ++pos_;
  }

  void variableFunction(std::uint8_t code) {
    const std::size_t start = pos_;
    if (end_ - start < 4) damaged("function " + hex(code) + " runs past the end of its text" + at(start));
    const std::uint8_t subcode = byteAt(bytes_, start + 1);
    const std::size_t length = get16(bytes_, start + 2);
    if (length < kFunctionFrame) {
      damaged("function " + hex(code) + " is shorter than 5 bytes (length " + std::to_string(length) + ")" + at(start));
    }
    if (length > end_ - start) {
      damaged("function " + hex(code) + " runs past the end of its text (length " + std::to_string(length) + ")" +
              at(start));
    }
    if (byteAt(bytes_, start + length - 1) != code) {
      damaged("function " + hex(code) + " lacks its closing byte" + at(start));
    }
    const std::string_view payload = bytes_.substr(start + 4, length - kFunctionFrame);
    pos_ = start + length;
    switch (code) {
      case kLayoutFunction:
        if (subcode == kDotLeaderSubcode) items_.push_back(Item::of(ItemKind::DotLeaderTab));
        break;
      case kBookmarkFunction: bookmark(subcode, payload, start); break;
      case kNoteFunction: note(subcode, payload, start); break;
      case kStoredCodeFunction: storedCode(subcode, payload, start); break;
      default: break;  // soft page breaks, page numbers and unknown functions
    }
  }

  void bookmark(std::uint8_t side, std::string_view payload, std::size_t start) {
    if (side != kBookmarkStart && side != kBookmarkEnd) return;
    if (payload.empty()) damaged("bookmark mark is too short" + at(start));
    // Bookmarks place themselves in the main text only.
    if (isNote_) return;
    addMark(c_, side, payload.substr(1), (byteAt(payload, 0) & 1) != 0, items_.size());
  }

  void note(std::uint8_t subcode, std::string_view payload, std::size_t start) {
    if (subcode != kNoteStart) return;
    if (isNote_) damaged("note reference inside the text of a note" + at(start));
    if (payload.size() < 4) damaged("note reference is too short" + at(start));
    c_.notePackets.push_back(get16(payload, 2));
    items_.push_back(Item::of(ItemKind::NoteReference, static_cast<std::int32_t>(c_.notePackets.size() - 1)));
  }

  void storedCode(std::uint8_t kind, std::string_view payload, std::size_t start) {
    if (kind == kCodePageSubcode) {
      if (payload.size() < 5) damaged("code-page character is too short" + at(start));
      items_.push_back(Item::character(byteAt(payload, 0)));
      if ((byteAt(payload, 4) & 1) != 0) skipHostCharacter();
      return;
    }
    if (kind > kLastCodeKind) return;
    if (payload.size() < 4) damaged("stored code is too short" + at(start));
    const auto code = static_cast<CodeKind>(kind);
    auto value = static_cast<std::int32_t>(get32(payload, 0));
    if (code == CodeKind::Font) value = intern(c_.faces, payload.substr(4));
    if (code == CodeKind::HyperlinkStart) value = intern(c_.targets, payload.substr(4));
    items_.push_back(Item::codeOf(code, value));
  }

  // The host character written for readers after a code-page character: the
  // code-page byte already stands for it.
  void skipHostCharacter() {
    if (pos_ >= end_) return;
    const std::uint8_t b = byteAt(bytes_, pos_);
    if (b >= 0x01 && b <= 0x20) {
      ++pos_;
    } else if (b == kExtendedCharacter && end_ - pos_ >= 4 && byteAt(bytes_, pos_ + 3) == kExtendedCharacter) {
      pos_ += 4;
    }
  }

  void fixedFunction(std::uint8_t code) {
    const std::size_t start = pos_;
    std::size_t length = 0;
    if (code == kExtendedCharacter) {
      length = 4;
    } else if (code == kAttributeOn || code == kAttributeOff) {
      length = 3;
    } else {
      std::size_t close = start + 1;
      while (close < end_ && byteAt(bytes_, close) != code) ++close;
      if (close == end_) damaged("code " + hex(code) + " lacks its closing byte" + at(start));
      pos_ = close + 1;
      return;
    }
    if (end_ - start < length || byteAt(bytes_, start + length - 1) != code) {
      damaged("code " + hex(code) + " lacks its closing byte" + at(start));
    }
    pos_ = start + length;
    if (code == kExtendedCharacter) {
      items_.push_back(Item::special(byteAt(bytes_, start + 2), byteAt(bytes_, start + 1)));
    } else {
      const auto kind = code == kAttributeOn ? CodeKind::AttributeOn : CodeKind::AttributeOff;
      items_.push_back(Item::codeOf(kind, byteAt(bytes_, start + 1)));
    }
  }

  std::string_view bytes_;
  std::size_t pos_;
  std::size_t end_;
  bool isNote_;
  Collected& c_;
  std::vector<Item> items_;
};

std::vector<Packet> readIndex(std::string_view bytes, std::size_t count) {
  const std::size_t index = get16(bytes, 14);
  if (index > bytes.size() || (bytes.size() - index) / kIndexEntrySize < count) {
    damaged("the packet index (" + std::to_string(count) + " packets) runs past the end of the file" + at(index));
  }
  std::vector<Packet> packets;
  packets.reserve(count);
  for (std::size_t p = 0; p < count; ++p) {
    const std::size_t entry = index + kIndexEntrySize * p;
    const std::string name = "packet " + std::to_string(p);
    if (get16(bytes, entry) != kNotePacket) damaged(name + " is not a note" + at(entry));
    const std::size_t size = get32(bytes, entry + 6);
    const std::size_t data = get32(bytes, entry + 10);
    if (data > bytes.size() || size > bytes.size() - data) damaged("note " + name + " runs past the end of the file" + at(data));
    if (size < kPacketPrefixSize) damaged("note " + name + " is shorter than its prefix" + at(data));
    if (get16(bytes, data) != kNotePacket) damaged(name + " holds no note" + at(data));
    if (get32(bytes, data + 2) != size - kPacketPrefixSize) {
      damaged("note " + name + " says its text is " + std::to_string(get32(bytes, data + 2)) + " bytes but holds " +
              std::to_string(size - kPacketPrefixSize) + at(data));
    }
    packets.push_back({data + kPacketPrefixSize, data + size});
  }
  return packets;
}

}  // namespace

bool isNative(std::string_view bytes) { return bytes.substr(0, kNativeSignature.size()) == kNativeSignature; }

doc::DocumentContent readNative(std::string_view bytes) {
  if (!isNative(bytes)) throw FormatError("not a Quillon document");
  const auto truncatedHeader = [&] {
    damaged("the header is truncated (" + std::to_string(bytes.size()) + " bytes)");
  };
  if (bytes.size() < kLengthlessHeaderSize) truncatedHeader();
  const std::uint32_t version = get16(bytes, 8);
  if (version != kNativeVersion && version != kLengthlessVersion) {
    damaged("unknown format version " + std::to_string(version));
  }
  const std::size_t headerSize = version == kLengthlessVersion ? kLengthlessHeaderSize : kHeaderSize;
  if (bytes.size() < headerSize) truncatedHeader();
  // The main text runs to the file's end, so without this a cut file would
  // open as a shorter document.
  if (version == kNativeVersion && get32(bytes, kFileLengthAt) != bytes.size()) {
    damaged("the file is " + std::to_string(bytes.size()) + " bytes long, but its header says " +
            std::to_string(get32(bytes, kFileLengthAt)) + " (cut short or grown since it was saved)");
  }
  const std::size_t documentArea = get32(bytes, 4);
  if (documentArea < headerSize || documentArea > bytes.size()) {
    damaged("the document area lies outside the file (file size " + std::to_string(bytes.size()) + ")" +
            at(documentArea));
  }
  const std::vector<Packet> packets = readIndex(bytes, get16(bytes, 10));

  Collected collected;
  doc::DocumentContent content;
  content.items = StreamReader(bytes, documentArea, bytes.size(), false, collected).read();

  std::vector<bool> referenced(packets.size(), false);
  content.notes.reserve(collected.notePackets.size());
  for (std::size_t n = 0; n < collected.notePackets.size(); ++n) {
    const std::size_t p = collected.notePackets[n];
    const std::string which = "note reference " + std::to_string(n + 1);
    if (p >= packets.size()) {
      damaged(which + " names packet " + std::to_string(p) + ", but the file has " + std::to_string(packets.size()) +
              " packets");
    }
    if (referenced[p]) damaged(which + " names packet " + std::to_string(p) + ", which an earlier reference names");
    referenced[p] = true;
    content.notes.push_back(StreamReader(bytes, packets[p].textStart, packets[p].textEnd, true, collected).read());
  }
  const auto orphan = std::find(referenced.begin(), referenced.end(), false);
  if (orphan != referenced.end()) {
    damaged("packet " + std::to_string(orphan - referenced.begin()) + " belongs to no note reference");
  }

  content.faces = std::move(collected.faces);
  content.targets = std::move(collected.targets);
  content.bookmarks = std::move(collected.bookmarks);
  // In name order, as a document lists them.
  std::sort(content.bookmarks.begin(), content.bookmarks.end(),
            [](const doc::Bookmark& a, const doc::Bookmark& b) { return a.name < b.name; });
  return content;
}

}  // namespace quillon::format

// The host's native document file (".qdoc"). In: a document. Out: the bytes
// of its file, and back. All integers are little-endian.
//
// File layout
//   0   4  signature FF 51 44 43 ("\xFFQDC": never the start of a text file)
//   4   4  file offset of the document area; the main text runs from there to
//          the end of the file
//   8   2  format version, 2 (1: a file written before the length field
//          below existed; its header ends at 16, and it is read unchecked)
//   10  2  number of packets
//   12  2  0
//   14  2  file offset of the packet index: always 20 (16 in version 1),
//          right after the header, so that it stays below 64 KiB whatever the
//          document holds
//   16  4  length of the whole file: a file cut short (or grown) is told from
//          a whole one, as the main text itself runs to the file's end
//   20     packet index, 14 bytes per packet p at 20 + 14 p:
//            0 2 packet type (1 = note text), 2 4 zero,
//            6 4 size of the packet's data, 10 4 file offset of the data
//          then each packet's data in packet order: a 10-byte prefix
//            (0 2 packet type, 2 4 length of the text, 6 4 zero)
//          followed by the note's text stream (size = 10 + text length)
//          then the document area.
//
// Text streams (main text and note texts) are bytes of these classes:
//   0x21-0x7E  the ASCII character itself
//   0x01-0x20  short form of a set-1 host character (kShortForms below)
//   0x80-0xCF  one-byte codes
//   0xD0-0xEF  variable-length functions: code, subcode, 2-byte total length
//              (counting the whole function, at least 5), payload, and the
//              code byte again as the last byte
//   0xF0-0xFF  fixed-length functions: code, payload, code (F0: character
//              and set; F2 and F3: the attribute number)
// A blank is written as 0x80, never as 0x20: that byte is the short form of
// set-1 character 23. 0x00 and 0x7F are never written.
//
// What the writer writes for each part of a document:
//   blank between words         0x80
//   hard space                  0x81
//   soft hyphen (cp1252 0xAD)   0x85; 0x84 (hard hyphen) opens as "-"
//   tab                         0x87
//   hard return                 0xCC (ends the paragraph, no new page)
//   hard page break             0xC7 (ends the paragraph and the page)
//   soft page break             D0 16 05 00 D0: raises the page without ending
//                               the paragraph or the word; written before the
//                               first item of every page that layout starts
//                               other than by a hard page break
//   logical page number         D8 02 0C 00 00 00 00 00 00 nn nn D8: written
//                               right after the page start (or at the file's
//                               start for page 1) whenever the page's logical
//                               number is not the previous one plus 1
//   dot-leader tab              D0 02 05 00 D0
//   note reference              D7 00 09 00 00 00 pp pp D7  D7 01 05 00 D7
//                               (pp = packet number; one packet per reference
//                               in document order, nothing between the two)
//   attribute on / off          F2 aa F2 / F3 aa F3 for attributes
//                               0..0xEF; other numbers as a stored code
//   host character (set, n)     the short form when set is 1 and n is one of
//                               kShortForms, else F0 n set F0
//   cp1252 character >= 0x80    D9 20 0A 00 b 00 00 00 f D9 (b = the byte,
//   or below 0x20               f = 1 when the host character of the same
//                               Unicode follows for readers, which the opener
//                               skips; else 0 and nothing follows)
//   stored code                 D9 k LL LL vv vv vv vv [name] D9: k = the
//                               CodeKind number, v = its value (int32); a
//                               font code names its face and a hyperlink start
//                               its target (the name replaces the index,
//                               and v is 0)
//   bookmark end                D1 s LL LL f [name] D1: s 1 = start, 2 = end,
//                               f bit 0 = the end sticks right. At each gap
//                               the page codes come first, then end marks,
//                               then start marks, each group in name order.
//                               Marks stand in the main text only.
// Soft page breaks and logical page numbers are derived from the layout: the
// opener steps over them, and the next save writes them again.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "quillon/doc/document.h"

namespace quillon::format {

inline constexpr std::string_view kNativeSignature{"\xFFQDC", 4};
inline constexpr std::string_view kNativeExtension = ".qdoc";
inline constexpr std::uint16_t kNativeVersion = 2;
inline constexpr std::size_t kHeaderSize = 20;
inline constexpr std::size_t kFileLengthAt = 16;
// Files written before the length field: still opened.
inline constexpr std::uint16_t kLengthlessVersion = 1;
inline constexpr std::size_t kLengthlessHeaderSize = 16;
inline constexpr std::size_t kIndexEntrySize = 14;
inline constexpr std::size_t kPacketPrefixSize = 10;
inline constexpr std::uint16_t kNotePacket = 1;

// Set-1 character numbers of the bytes 0x01..0x20 (index 0 is byte 0x01).
inline constexpr std::array<std::uint8_t, 32> kShortForms = {
    35, 34, 37, 36, 31, 30, 27, 33, 29, 77, 76, 39, 38, 45, 41, 40,
    47, 43, 49, 57, 56, 81, 80, 83, 82, 63, 62, 71, 70, 67, 73, 23};

// One-byte codes.
inline constexpr std::uint8_t kBlank = 0x80;
inline constexpr std::uint8_t kHardSpace = 0x81;
inline constexpr std::uint8_t kHardHyphen = 0x84;
inline constexpr std::uint8_t kSoftHyphen = 0x85;
inline constexpr std::uint8_t kTab = 0x87;
inline constexpr std::uint8_t kHardPageBreak = 0xC7;
inline constexpr std::uint8_t kHardReturn = 0xCC;

// Variable-length functions and their subcodes.
inline constexpr std::uint8_t kLayoutFunction = 0xD0;
inline constexpr std::uint8_t kDotLeaderSubcode = 0x02;
inline constexpr std::uint8_t kSoftPageSubcode = 0x16;
inline constexpr std::uint8_t kBookmarkFunction = 0xD1;
inline constexpr std::uint8_t kBookmarkStart = 1;
inline constexpr std::uint8_t kBookmarkEnd = 2;
inline constexpr std::uint8_t kNoteFunction = 0xD7;
inline constexpr std::uint8_t kNoteStart = 0;
inline constexpr std::uint8_t kNoteEnd = 1;
inline constexpr std::uint8_t kPageNumberFunction = 0xD8;
inline constexpr std::uint8_t kPageCounterA = 2;
inline constexpr std::uint8_t kStoredCodeFunction = 0xD9;
inline constexpr std::uint8_t kCodePageSubcode = 0x20;

// Fixed-length functions.
inline constexpr std::uint8_t kExtendedCharacter = 0xF0;
inline constexpr std::uint8_t kAttributeOn = 0xF2;
inline constexpr std::uint8_t kAttributeOff = 0xF3;

// A file that cannot be opened: says what is wrong and at which byte.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of the document's native file. Lays the document out first, so
// that the soft page breaks stand where the host breaks its pages. Throws
// FormatError for a document the format cannot hold (more than 65535 notes,
// or 4 GiB).
std::string writeNative(doc::Document& document);

// The document a native file holds. Throws FormatError naming the fault for
// a file that is truncated, damaged or not a native file ("not a Quillon
// document", also for no bytes at all); never reads outside `bytes`. A file
// whose length differs from the one its header stores is damaged; a version 1
// file, which stores none, is read as it stands.
doc::DocumentContent readNative(std::string_view bytes);

// True when `bytes` start with the native signature.
bool isNative(std::string_view bytes);

}  // namespace quillon::format

// The host's string library: ANSI (Windows-1252) texts to host strings and
// back, their byte length and a substring search. In: zero-terminated ANSI
// bytes or 16-bit units. Out: the converted text in the caller's buffer.
//
// The callers size the output buffers (one unit per byte plus the terminator,
// or one byte per unit plus the terminator); null arguments are harmless.
#include <cstdint>
#include <cstring>
#include <string>

#include "quillon/libs/export.h"
#include "quillon/libs/text_codec.h"

namespace {

using HostChar = std::uint16_t;

// Units are read through memcpy: a host string may start at any even offset
// of a reply block, which need not suit the compiler's alignment assumptions.
HostChar unitAt(const HostChar* text, std::size_t index) {
  HostChar unit = 0;
  std::memcpy(&unit, reinterpret_cast<const unsigned char*>(text) + index * sizeof(HostChar),
              sizeof unit);
  return unit;
}

std::size_t unitCount(const HostChar* text) {
  std::size_t count = 0;
  while (unitAt(text, count) != 0) ++count;
  return count;
}

void putUnit(HostChar* text, std::size_t index, HostChar unit) {
  std::memcpy(reinterpret_cast<unsigned char*>(text) + index * sizeof(HostChar), &unit,
              sizeof unit);
}

}  // namespace

// Writes the ANSI form of hostString into ansiOut: one byte per unit, '?' for
// units without a Windows-1252 byte, then a zero byte.
QUILLON_EXPORT void HostStringToAnsi(const HostChar* hostString, char* ansiOut) {
  if (ansiOut == nullptr) return;
  if (hostString == nullptr) {
    ansiOut[0] = '\0';
    return;
  }
  std::size_t i = 0;
  for (HostChar unit = unitAt(hostString, 0); unit != 0; unit = unitAt(hostString, ++i)) {
    const auto byte = quillon::ansiOfUnit(static_cast<char16_t>(unit));
    ansiOut[i] = byte ? static_cast<char>(*byte) : '?';
  }
  ansiOut[i] = '\0';
}

// Writes the host-string form of ansi into hostOut: one unit per byte, then a
// zero unit.
QUILLON_EXPORT void AnsiToHostString(const char* ansi, HostChar* hostOut) {
  if (hostOut == nullptr) return;
  std::size_t i = 0;
  if (ansi != nullptr) {
    for (; ansi[i] != '\0'; ++i) {
      putUnit(hostOut, i, quillon::unitOfAnsi(static_cast<unsigned char>(ansi[i])));
    }
  }
  putUnit(hostOut, i, 0);
}

// Returns the length of hostString in bytes (two per unit), without the
// terminator; 0 for null.
QUILLON_EXPORT std::int32_t HostStringLength(const HostChar* hostString) {
  if (hostString == nullptr) return 0;
  return static_cast<std::int32_t>(unitCount(hostString) * sizeof(HostChar));
}

#ifndef QUILLON_LEAVE_OUT_STRING_FIND
// Returns the first occurrence of needle in haystack, or null. An empty needle
// is found at the start, as strstr does; a null argument finds nothing.
QUILLON_EXPORT const HostChar* HostStringFind(const HostChar* haystack, const HostChar* needle) {
  if (haystack == nullptr || needle == nullptr) return nullptr;
  const std::size_t needleUnits = unitCount(needle);
  const std::size_t haystackUnits = unitCount(haystack);
  if (needleUnits > haystackUnits) return nullptr;
  for (std::size_t start = 0; start + needleUnits <= haystackUnits; ++start) {
    std::size_t matched = 0;
    while (matched < needleUnits && unitAt(haystack, start + matched) == unitAt(needle, matched)) {
      ++matched;
    }
    if (matched == needleUnits) return haystack + start;
  }
  return nullptr;
}
#endif

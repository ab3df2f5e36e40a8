// Converts HostText between ANSI and host strings through the host's string
// library. In: ANSI bytes or a zero-terminated host string. Out: the other
// form in a buffer the HostText owns.
#include "host/host_text.h"

#include <cstring>
#include <new>

namespace host {

const HostChar* HostText::toHostString() {
  // 2 * length + 2 units (2 * (2 * length + 2) bytes): room for up to two
  // units per ANSI byte and the terminator.
  std::vector<HostChar> converted;
  try {
    converted.assign(2 * text_.size() + 2, HostChar{0});
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  const AnsiToHostStringFn convert = hostLibraries().functions().ansiToHostString;
  if (convert != nullptr) convert(text_.c_str(), converted.data());
  hostString_ = std::move(converted);
  return hostString_.data();
}

void HostText::assignFromHostString(const HostChar* hostString) {
  hostString_.clear();
  text_.clear();
  if (hostString == nullptr) return;
  const HostStringToAnsiFn convert = hostLibraries().functions().hostStringToAnsi;
  if (convert == nullptr) return;

  // Read unit by unit through memcpy: the string may sit at any even or odd
  // offset of the host's reply.
  const auto* bytes = reinterpret_cast<const unsigned char*>(hostString);
  std::size_t length = 0;
  for (;; ++length) {
    HostChar unit = 0;
    std::memcpy(&unit, bytes + length * sizeof(HostChar), sizeof(HostChar));
    if (unit == 0) break;
  }

  std::string ansi(length + 1, '\0');
  convert(hostString, ansi.data());
  // The library's ANSI text ends at its own terminator, which for a text of
  // single-byte characters is the last byte of the buffer.
  ansi.resize(std::strlen(ansi.c_str()));
  text_ = std::move(ansi);
}

}  // namespace host

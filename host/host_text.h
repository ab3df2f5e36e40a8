// The text type of host command parameters and results. In: an ANSI text, or
// a host string the host replied with. Out: the same text in the other form,
// converted only through the host's string library.
//
// Errors: none are thrown. While the string library is unbound the
// conversions produce empty results instead of calling through null.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_library.h"

namespace host {

// An ANSI text (single-byte, in the host's character set) with its length in
// bytes, plus the host-string conversion made on demand. Owns both buffers.
//
//   HostText name("XTOA~CursorLocation");
//   const HostChar* s = name.toHostString();   // valid until the next call
class HostText {
 public:
  HostText() = default;
  // Takes the bytes as they stand; an embedded zero byte is kept in the
  // length but ends the text for the host.
  explicit HostText(std::string_view ansi) : text_(ansi) {}

  // Byte-wise equality of the ANSI texts; conversions are not compared.
  bool operator==(std::string_view ansi) const { return text_ == ansi; }
  bool operator==(const HostText& other) const { return text_ == other.text_; }

  const std::string& text() const { return text_; }
  std::size_t length() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  // The ANSI text, zero-terminated.
  const char* ansi() const { return text_.c_str(); }

  // Converts the text with the string library's ANSI-to-host function into a
  // new buffer of 2 * (2 * length + 2) bytes, which replaces and is kept in
  // place of any earlier conversion, and returns it. Returns null only when
  // the buffer could not be allocated; with the library unbound the buffer
  // holds the empty host string.
  const HostChar* toHostString();

  // The last conversion, or null when none was made.
  const HostChar* hostString() const { return hostString_.empty() ? nullptr : hostString_.data(); }

  // Replaces the text with the ANSI form of a host string: its length is the
  // number of units before the zero unit, converted by the string library's
  // host-to-ANSI function into length + 1 bytes. A null string, or an unbound
  // library, gives the empty text. Drops any earlier conversion.
  void assignFromHostString(const HostChar* hostString);

 private:
  std::string text_;
  std::vector<HostChar> hostString_;
};

}  // namespace host

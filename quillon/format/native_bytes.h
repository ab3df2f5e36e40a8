// Little-endian integers in native files. In: a byte string and an offset.
// Out: the integer stored there, or the integer appended. Shared by the
// writer and the reader only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::format::internal {

inline void put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// Overwrites four bytes at `at`, which must lie inside `out`.
inline void patch32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::uint8_t byteAt(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

// The caller has checked that the bytes lie inside `bytes`.
inline std::uint32_t get16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(byteAt(bytes, at)) | static_cast<std::uint32_t>(byteAt(bytes, at + 1)) << 8;
}

inline std::uint32_t get32(std::string_view bytes, std::size_t at) {
  return get16(bytes, at) | get16(bytes, at + 2) << 16;
}

}  // namespace quillon::format::internal

// Bounded little-endian reads from a saved file. In: a byte span and an
// offset. Out: the integer stored there, or nothing when any of its bytes
// lies outside the span. Shared by the file walk and the stream tokenizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace table::internal {

inline std::optional<std::uint32_t> read16(std::span<const std::uint8_t> bytes, std::uint64_t at) {
  if (at >= bytes.size() || bytes.size() - at < 2) return std::nullopt;
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

inline std::optional<std::uint32_t> read32(std::span<const std::uint8_t> bytes, std::uint64_t at) {
  const auto low = read16(bytes, at);
  const auto high = read16(bytes, at + 2);
  if (!low || !high) return std::nullopt;
  return *low | *high << 16;
}

}  // namespace table::internal

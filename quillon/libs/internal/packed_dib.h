// Reads a packed device-independent bitmap. In: the address of a 40-byte
// info header followed by an optional colour table and the pixel rows. Out:
// width, height, bit count and a copy of the pixel rows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quillon::internal {

struct CommandBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows stored bottom-up
  std::uint16_t bitCount = 0;
  std::vector<std::uint8_t> pixels;  // rows padded to 4 bytes, as stored
};

// Returns the bitmap, or nullopt when dib is null or its header is not one a
// command icon can have: header size other than 40, width or height outside
// 1..1024, a bit count other than 1, 4, 8, 16, 24 or 32, or a compressed
// format. Reads exactly header, colour table and rows, nothing beyond.
// Example: a 16x16, 24-bit bitmap yields 16 rows of 48 bytes.
std::optional<CommandBitmap> readPackedDib(const void* dib);

}  // namespace quillon::internal

// Packed DIB header checks and the copy of its pixel rows.
#include "quillon/libs/internal/packed_dib.h"

#include <cstring>

namespace quillon::internal {
namespace {

constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::int32_t kMaxSide = 1024;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;  // three 32-bit colour masks follow the header
constexpr std::uint32_t kBitFieldMaskBytes = 12;

template <typename T>
T readLe(const std::uint8_t* at) {
  T value{};
  std::memcpy(&value, at, sizeof value);
  return value;
}

bool supportedBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::optional<CommandBitmap> readPackedDib(const void* dib) {
  if (dib == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(dib);
  if (readLe<std::uint32_t>(bytes) != kInfoHeaderBytes) return std::nullopt;

  CommandBitmap bitmap;
  bitmap.width = readLe<std::int32_t>(bytes + 4);
  bitmap.height = readLe<std::int32_t>(bytes + 8);
  bitmap.bitCount = readLe<std::uint16_t>(bytes + 14);
  const auto compression = readLe<std::uint32_t>(bytes + 16);
  const auto coloursUsed = readLe<std::uint32_t>(bytes + 32);

  const std::int32_t rows = bitmap.height < 0 ? -bitmap.height : bitmap.height;
  if (bitmap.width < 1 || bitmap.width > kMaxSide || rows < 1 || rows > kMaxSide) {
    return std::nullopt;
  }
  if (!supportedBitCount(bitmap.bitCount)) return std::nullopt;

  std::uint32_t tableBytes = 0;
  if (compression == kBitFields && (bitmap.bitCount == 16 || bitmap.bitCount == 32)) {
    tableBytes = kBitFieldMaskBytes;
  } else if (compression != kUncompressed) {
    return std::nullopt;
  }
  if (bitmap.bitCount <= 8) {
    const std::uint32_t fullTable = 1u << bitmap.bitCount;
    // A colour table never holds more entries than the bit count can index.
    if (coloursUsed > fullTable) return std::nullopt;
    tableBytes = 4 * (coloursUsed != 0 ? coloursUsed : fullTable);
  }

  const std::size_t stride =
      (static_cast<std::size_t>(bitmap.width) * bitmap.bitCount + 31) / 32 * 4;
  const std::uint8_t* pixels = bytes + kInfoHeaderBytes + tableBytes;
  bitmap.pixels.assign(pixels, pixels + stride * static_cast<std::size_t>(rows));
  return bitmap;
}

}  // namespace quillon::internal

// Builds the command bitmaps from the icon drawn below: a page of a brief with
// a section sign, in the product's colours.
#include "host/bitmaps.h"

#include <array>
#include <cstring>

namespace host {
namespace {

constexpr int kSize = 16;

// One character per pixel, top row first.
constexpr std::array<const char*, kSize> kIcon = {
    "................",
    "..KKKKKKKKKK....",
    "..KWWWWWWWWKK...",
    "..KWWWWWWWWKWK..",
    "..KWWGGGGWWKKKK.",
    "..KWGGWWGGWWWWK.",
    "..KWGGWWWWWWWWK.",
    "..KWWGGGGWWWWWK.",
    "..KWGGWWGGWWWWK.",
    "..KWWGGGGWWWWWK.",
    "..KWWWWWGGWWWWK.",
    "..KWGGWWGGWWWWK.",
    "..KWWGGGGWWWWWK.",
    "..KWWWWWWWWWWWK.",
    "..KKKKKKKKKKKKK.",
    "................",
};

struct Rgba {
  std::uint8_t r, g, b, a;
};

Rgba colourOf(char c) {
  switch (c) {
    case 'K': return {0x1F, 0x2A, 0x44, 0xFF};  // ink blue
    case 'W': return {0xFF, 0xFF, 0xFF, 0xFF};  // paper
    case 'G': return {0xB8, 0x86, 0x0B, 0xFF};  // gold section sign
    default: return {0xFF, 0xFF, 0xFF, 0x00};   // transparent
  }
}

void putLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> makeBitmap(int bitsPerPixel) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const int stride = (kSize * bytesPerPixel + 3) / 4 * 4;
  constexpr int kHeader = 40;
  std::vector<std::uint8_t> dib(kHeader + static_cast<std::size_t>(stride) * kSize, 0);
  putLe(dib, 0, kHeader, 4);                             // header size
  putLe(dib, 4, kSize, 4);                               // width
  putLe(dib, 8, kSize, 4);                               // height, positive: bottom-up
  putLe(dib, 12, 1, 2);                                  // planes
  putLe(dib, 14, static_cast<std::uint32_t>(bitsPerPixel), 2);
  putLe(dib, 20, static_cast<std::uint32_t>(stride * kSize), 4);  // image size
  for (int row = 0; row < kSize; ++row) {
    const char* line = kIcon[static_cast<std::size_t>(kSize - 1 - row)];
    std::uint8_t* out = dib.data() + kHeader + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < kSize; ++x) {
      const Rgba c = colourOf(line[x]);
      out[x * bytesPerPixel + 0] = c.b;
      out[x * bytesPerPixel + 1] = c.g;
      out[x * bytesPerPixel + 2] = c.r;
      if (bytesPerPixel == 4) out[x * bytesPerPixel + 3] = c.a;
    }
  }
  return dib;
}

}  // namespace

const std::vector<std::uint8_t>* loadBitmapResource(int resourceId) {
  static const std::vector<std::uint8_t> bitmap24 = makeBitmap(24);
  static const std::vector<std::uint8_t> bitmap32 = makeBitmap(32);
  if (resourceId == kBitmap24) return &bitmap24;
  if (resourceId == kBitmap32) return &bitmap32;
  return nullptr;
}

}  // namespace host

// The command bitmaps that the plug-in hands the host when it registers its
// command. In: a bitmap resource id. Out: a packed device-independent bitmap
// (40-byte info header, then pixel rows bottom-up, each padded to 4 bytes).
#pragma once

#include <cstdint>
#include <vector>

namespace host {

inline constexpr int kBitmap24 = 3032;  // 16x16, 24 bits per pixel, for hosts up to 16
inline constexpr int kBitmap32 = 3026;  // 16x16, 32 bits per pixel, for hosts from 17

// Returns the bitmap for a resource id, or null for an unknown id. The bytes
// live as long as the plug-in is loaded; nobody frees them.
const std::vector<std::uint8_t>* loadBitmapResource(int resourceId);

}  // namespace host

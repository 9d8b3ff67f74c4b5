#pragma once

#include <cstdint>

// Colours are kept as 0x00BBGGRR values (red in the low byte), as the transmitter and the
// controls' colour setters exchange them.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;
inline constexpr ColorRef kBlue = 0xFF0000;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

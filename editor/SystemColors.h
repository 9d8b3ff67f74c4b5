#pragma once

#include <QColor>
#include <cstdint>

// Colours are kept as 0x00BBGGRR values (red in the low byte), as the device-facing code and the
// controls' colour setters exchange them.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;
inline constexpr ColorRef kBlue = 0xFF0000;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

QColor ToQColor(ColorRef color);
ColorRef ToColorRef(const QColor& color);

// The four system colours of the editor's scheme, taken from the application palette each
// time they are asked for, so a palette change shows on the next repaint.
enum class SysColor {
    ActiveCaption,        // active panel caption and selected row background
    HighlightText,        // their text
    InactiveCaption,      // caption of an inactive panel
    InactiveCaptionText,  // its text
};

ColorRef GetSysColor(SysColor which);

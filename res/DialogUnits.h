#pragma once

#include <QRect>

// Dialog templates are laid out in dialog units of an 8-point "MS Sans Serif" (base units 6 × 13
// at 96 DPI): one horizontal unit is 1.5 pixels and one vertical unit 1.625 pixels.
constexpr int DluToPixelsX(int x) {
    return (x * 3) / 2;
}
constexpr int DluToPixelsY(int y) {
    return (y * 13) / 8;
}

inline QRect DluRect(int x, int y, int width, int height) {
    return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(x + width) - DluToPixelsX(x),
                 DluToPixelsY(y + height) - DluToPixelsY(y));
}

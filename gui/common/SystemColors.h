#pragma once

#include <QColor>

#include "core/Rgb.h"

// share of a and the rest of b, channel by channel.
inline QColor Blend(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

inline QColor ToQColor(Rgb color) {
    return QColor(static_cast<QRgb>(color));
}

// What the editor marks as a problem: dark enough to read as near black in greyscale, on white
// and on the selection's blue, and always drawn with a frame or a sign beside the colour.
inline QColor ProblemColor() {
    return QColor(0xB0, 0x00, 0x20);
}

// What the editor marks as a warning (the device takes it, but not as shown): amber, dark enough
// for a white sign on it, and always drawn with its own sign or pattern beside the colour.
inline QColor WarningColor() {
    return QColor(0x9A, 0x5B, 0x00);
}

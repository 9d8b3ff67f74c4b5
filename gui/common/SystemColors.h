#pragma once

#include <QColor>

#include "core/ColorRef.h"

QColor ToQColor(ColorRef color);
ColorRef ToColorRef(const QColor& color);

// What the editor marks as a problem: dark enough to read as near black in greyscale, on white
// and on the selection's blue, and always drawn with a frame or a sign beside the colour.
inline QColor ProblemColor() {
    return QColor(0xB0, 0x00, 0x20);
}

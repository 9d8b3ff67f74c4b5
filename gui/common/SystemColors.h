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

// The four system colours of the editor's scheme, taken from the application palette each
// time they are asked for, so a palette change shows on the next repaint.
enum class SysColor {
    ActiveCaption,        // active panel caption and selected row background
    HighlightText,        // their text
    InactiveCaption,      // caption of an inactive panel
    InactiveCaptionText,  // its text
};

ColorRef GetSysColor(SysColor which);

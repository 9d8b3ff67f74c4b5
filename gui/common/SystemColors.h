#pragma once

#include <QColor>

#include "core/ColorRef.h"

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

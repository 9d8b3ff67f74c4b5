#include "gui/common/SystemColors.h"

#include <QApplication>
#include <QPalette>

QColor ToQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

ColorRef ToColorRef(const QColor& color) {
    return MakeColorRef(color.red(), color.green(), color.blue());
}

ColorRef GetSysColor(SysColor which) {
    const QPalette palette = QApplication::palette();
    switch (which) {
        case SysColor::ActiveCaption:
            return ToColorRef(palette.color(QPalette::Active, QPalette::Highlight));
        case SysColor::HighlightText:
            return ToColorRef(palette.color(QPalette::Active, QPalette::HighlightedText));
        case SysColor::InactiveCaption:
            return ToColorRef(palette.color(QPalette::Active, QPalette::Mid));
        case SysColor::InactiveCaptionText:
            return ToColorRef(palette.color(QPalette::Active, QPalette::Light));
    }
    return kBlack;
}

#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// Dialog templates are laid out in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its height down. The base units come from the font the
// dialog really uses, so the layout follows the font size and the screen's scale.
struct DialogUnits {
    int baseX = 6;   // average character width in pixels
    int baseY = 13;  // character height in pixels

    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }
    // Both edges are rounded where they fall, so neighbouring controls meet without a gap.
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y));
    }
};

// From the width of the 52 letters A-Z and a-z and the font's height, rounded as the classic
// dialog templates do: half of (width / 26 + 1).
DialogUnits DialogUnitsFromMetrics(int lettersWidth, int height);
DialogUnits DialogUnitsFor(const QFont& font);
// The units of a widget's own font.
DialogUnits DialogUnitsOf(const QWidget* widget);

// The fixed base units 6 x 13 of the 8-point font the templates were drawn for; only for
// layouts that must not follow the font.
constexpr int DluToPixelsX(int x) {
    return (x * 3) / 2;
}
constexpr int DluToPixelsY(int y) {
    return (y * 13) / 8;
}
inline QRect DluRect(int x, int y, int width, int height) {
    return DialogUnits{}.Rect(x, y, width, height);
}

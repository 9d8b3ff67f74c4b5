#include "gui/common/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

DialogUnits DialogUnitsFromMetrics(int lettersWidth, int height) {
    DialogUnits units;
    units.baseX = std::max(1, (lettersWidth / 26 + 1) / 2);
    units.baseY = std::max(1, height);
    return units;
}

DialogUnits DialogUnitsFor(const QFont& font) {
    const QFontMetrics metrics(font);
    return DialogUnitsFromMetrics(metrics.horizontalAdvance(QStringLiteral(
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                                  metrics.height());
}

DialogUnits DialogUnitsOf(const QWidget* widget) {
    return DialogUnitsFor(widget->font());
}

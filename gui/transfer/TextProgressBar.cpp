#include "gui/transfer/TextProgressBar.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cstdint>

#include "gui/common/SystemColors.h"

int FilledWidth(int position, int low, int high, int width) {
    if (high <= low) {
        return 0;
    }
    // The fraction is kept in single precision, so a bar of a given width fills alike wherever
    // it is drawn.
    const auto fraction = static_cast<float>(static_cast<double>(std::int64_t{position} - low) /
                                             (std::int64_t{high} - low));
    const float clamped = std::clamp(fraction, 0.0f, 1.0f);
    return static_cast<int>(static_cast<float>(width) * clamped);
}

QPoint CenteredTextOrigin(const QRect& bounds, int textWidth, int textHeight) {
    return QPoint(bounds.left() + (bounds.width() - textWidth) / 2,
                  bounds.top() + (bounds.height() - textHeight) / 2);
}

TextProgressBar::TextProgressBar(QWidget* parent) : QProgressBar(parent) {
    SetPos(minimum());
}

void TextProgressBar::SetText(const QString& text) {
    statusText = text;
    // Screen readers get the status as the bar's description, the position as its value.
    setAccessibleDescription(text);
    update();
}

void TextProgressBar::SetPos(int position) {
    const int held = std::clamp(position, minimum(), maximum());
    if (held == value()) {
        return;
    }
    // Keep QProgressBar from painting synchronously inside the caller; the transfer loop sets
    // the position right after each swap and must get back to its clock.
    setUpdatesEnabled(false);
    setValue(held);
    setUpdatesEnabled(true);  // schedules the repaint
}

void TextProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bounds = rect();
    const QRect filled(bounds.left(), bounds.top(),
                       FilledWidth(value(), minimum(), maximum(), bounds.width()), bounds.height());
    painter.fillRect(filled, QColor(Qt::blue));
    if (statusText.isEmpty()) {
        return;
    }

    const QFontMetrics metrics(font());
    const QPoint origin =
        CenteredTextOrigin(bounds, metrics.horizontalAdvance(statusText), metrics.height());
    const QPoint baseline(origin.x(), origin.y() + metrics.ascent());
    // Black over the whole bar, then white over the fill: a glyph on the edge is split at it.
    painter.setClipRect(bounds);
    painter.setPen(QColor(Qt::black));
    painter.drawText(baseline, statusText);
    if (!filled.isEmpty()) {
        painter.setClipRect(filled);
        painter.setPen(QColor(Qt::white));
        painter.drawText(baseline, statusText);
    }
}

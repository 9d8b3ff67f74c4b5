#include "gui/common/FocusFrame.h"

#include <QPainter>

QRect FocusFrameRect(const QRect& area) {
    // Border, one pixel of the control's own background, then the frame.
    const QRect frame = area.adjusted(2, 2, -2, -2);
    if (frame.width() < 2 * kFocusFrameWidth || frame.height() < 2 * kFocusFrameWidth) {
        return {};
    }
    return frame;
}

void PaintFocusFrame(QPainter& painter, const QRect& area, const QColor& color) {
    const QRect frame = FocusFrameRect(area);
    if (frame.isEmpty()) {
        return;
    }
    const int w = kFocusFrameWidth;
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), w), color);
    painter.fillRect(QRect(frame.left(), frame.bottom() - w + 1, frame.width(), w), color);
    painter.fillRect(QRect(frame.left(), frame.top(), w, frame.height()), color);
    painter.fillRect(QRect(frame.right() - w + 1, frame.top(), w, frame.height()), color);
}

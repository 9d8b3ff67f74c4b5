#include "ColorStatic.h"

#include <QMouseEvent>
#include <QPainter>

ColorStatic::ColorStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignCenter);
}

void ColorStatic::SetBackgroundColor(ColorRef color) {
    backgroundColor = color;
}

void ColorStatic::SetTextColor(ColorRef color) {
    textColor = color;
}

void ColorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, ToQColor(backgroundColor));
    painter.setPen(ToQColor(textColor));
    painter.drawText(area.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, text());
    // The one-pixel frame every editor control has.
    painter.setPen(ToQColor(kBlack));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void ColorStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ColorStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed) {
        pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ColorStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    // The release that follows belongs to the double click and is not a click of its own.
    pressed = false;
    event->accept();
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

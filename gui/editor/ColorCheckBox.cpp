#include "gui/editor/ColorCheckBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "gui/common/FocusFrame.h"

ColorCheckBox::ColorCheckBox(QWidget* parent) : QCheckBox(parent) {}

void ColorCheckBox::SetBackgroundColor(ColorRef color) {
    backgroundColor = color;
}

void ColorCheckBox::SetTextColor(ColorRef color) {
    textColor = color;
}

void ColorCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, ToQColor(backgroundColor));

    // The box itself is a flat white square with a black mark whatever the row's colours, so
    // it stays readable on a highlighted row.
    QStyleOptionButton option;
    initStyleOption(&option);
    QPalette boxPalette = option.palette;
    boxPalette.setColor(QPalette::Base, ToQColor(kWhite));
    boxPalette.setColor(QPalette::Window, ToQColor(kWhite));
    boxPalette.setColor(QPalette::Text, ToQColor(kBlack));
    boxPalette.setColor(QPalette::WindowText, ToQColor(kBlack));
    option.palette = boxPalette;
    option.rect = BoxRect();
    option.state &= ~QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    // The box fills most of its narrow column, leaving no room for a frame beside it: the
    // focus frame is the box's own edge, in black, which reads on any row colour.
    if (hasFocus()) {
        PaintFocusFrame(painter, option.rect.adjusted(-2, -2, 2, 2), ToQColor(kBlack));
    }

    if (!text().isEmpty()) {
        painter.setPen(ToQColor(textColor));
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text());
    }
    painter.setPen(ToQColor(kBlack));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

QRect ColorCheckBox::BoxRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int boxWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int boxHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    return QRect((width() - boxWidth) / 2, (height() - boxHeight) / 2, boxWidth, boxHeight);
}

bool ColorCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

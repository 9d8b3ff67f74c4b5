#pragma once

#include <QLabel>

#include "SystemColors.h"

// A static text that paints its own background and text in colours the owner sets: the caption
// of a timer panel and the ON/OFF label of each row. It reports clicks, which a plain label
// does not.
class ColorStatic : public QLabel {
    Q_OBJECT

public:
    explicit ColorStatic(const QString& text = {}, QWidget* parent = nullptr);

    // Neither setter repaints; the owner calls update() afterwards.
    void SetBackgroundColor(ColorRef color);
    void SetTextColor(ColorRef color);
    ColorRef GetBackgroundColor() const { return backgroundColor; }
    ColorRef GetTextColor() const { return textColor; }

signals:
    // A left click: press and release inside the control. The second click of a double click
    // does not count, so a quick double click acts once.
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ColorRef backgroundColor = kWhite;
    ColorRef textColor = kBlack;
    bool pressed = false;
};

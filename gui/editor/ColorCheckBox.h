#pragma once

#include <QCheckBox>

#include "gui/common/SystemColors.h"

// A check box that paints its own background in a colour the owner sets: the block-start box of
// a timer panel row. The whole control is its hit area, however narrow it is. A click does not
// check or clear it: it asks (clicked), and the box shows what the program document then holds.
class ColorCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit ColorCheckBox(QWidget* parent = nullptr);

    // Neither setter repaints; the owner calls update() afterwards.
    void SetBackgroundColor(ColorRef color);
    void SetTextColor(ColorRef color);
    ColorRef GetBackgroundColor() const { return backgroundColor; }
    ColorRef GetTextColor() const { return textColor; }
    // Where the box itself is drawn, centred; with the focus its edge is the focus frame.
    QRect BoxRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override {}

private:
    ColorRef backgroundColor = kWhite;
    ColorRef textColor = kBlack;
};

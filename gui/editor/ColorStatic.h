#pragma once

#include <QString>
#include <QWidget>

#include "gui/common/SystemColors.h"

// A static text that paints its own background and text in colours the owner sets: the caption
// of a timer panel and the ON/OFF label of each row. It reports clicks, which a plain label
// does not, and acts like a button for the keyboard (Space) and for assistive tools, which see
// it as a push button with a press action (InstallColorStaticAccessibility).
class ColorStatic : public QWidget {
    Q_OBJECT

public:
    explicit ColorStatic(const QString& text = {}, QWidget* parent = nullptr);

    // A widget of its own rather than a QLabel: a focusable label builds a text document for
    // itself, kilobytes for each of the thousands of labels a program can have.
    QString text() const { return label; }
    void setText(const QString& text);

    // Neither setter repaints; the owner calls update() afterwards.
    void SetBackgroundColor(ColorRef color);
    void SetTextColor(ColorRef color);
    ColorRef GetBackgroundColor() const { return backgroundColor; }
    ColorRef GetTextColor() const { return textColor; }

    // What Space and an assistive tool's press do: emits activated().
    void Press();

signals:
    // A left click: press and release inside the control. The second click of a double click
    // does not count, so a quick double click acts once.
    void clicked();
    void doubleClicked();
    // Space, or the press action of an assistive tool: the control's action at once, without
    // the select-first step a click has.
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString label;
    ColorRef backgroundColor = kWhite;
    ColorRef textColor = kBlack;
    bool pressed = false;
};

// Makes every ColorStatic a push button for assistive tools, named by its accessible name (or
// its text), whose press action calls Press(). ColorStatic's constructor calls it; calling it
// again does nothing.
void InstallColorStaticAccessibility();

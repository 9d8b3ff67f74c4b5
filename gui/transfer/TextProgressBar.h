#pragma once

#include <QPoint>
#include <QProgressBar>
#include <QString>

class QRect;

// Width of the filled part of a bar width pixels wide showing position in low..high. A
// position outside the range counts as the nearer end; a range whose ends are equal shows no
// fill.
int FilledWidth(int position, int low, int high, int width);

// Top-left corner of a text of the given size centred in bounds; left of bounds when the text
// is wider.
QPoint CenteredTextOrigin(const QRect& bounds, int textWidth, int textHeight);

// A progress bar that draws its own face: a blue fill for the position, and its text centred
// over the whole bar, black over the unfilled part and white over the fill, split exactly at the
// fill's edge, even inside a glyph. The unfilled part shows the parent's background.
class TextProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit TextProgressBar(QWidget* parent = nullptr);

    // The bar's status text; setting it repaints the bar later.
    void SetText(const QString& text);
    QString text() const override { return statusText; }

    // Sets the position, held within the range, and repaints later: QProgressBar::setValue
    // ignores positions outside the range and may repaint at once.
    void SetPos(int position);
    int GetPos() const { return value(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString statusText;
};

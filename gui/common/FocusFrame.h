#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The focus frame of the editor's own controls (the ON/OFF labels, captions, interval fields;
// the block box frames its box) and of the new-timer dialog's switch: a solid line kFocusFrameWidth
// pixels wide in the control's text colour, one pixel inside its one-pixel border. It shows on a
// white row and on a highlighted one alike, and does not rely on a caret or a dotted line.
inline constexpr int kFocusFrameWidth = 2;

// The frame's outer edge for a control whose whole area is area; empty when the control is too
// small to hold it.
QRect FocusFrameRect(const QRect& area);

void PaintFocusFrame(QPainter& painter, const QRect& area, const QColor& color);

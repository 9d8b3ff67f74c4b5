#include "gui/editor/TimerListDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

#include "gui/common/FocusFrame.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListModel.h"

namespace {

// Relative luminance, for choosing the caption text that reads on its bar.
double Luminance(const QColor& color) {
    return 0.2126 * color.redF() + 0.7152 * color.greenF() + 0.0722 * color.blueF();
}

QColor Readable(const QColor& background, const QColor& first, const QColor& second) {
    const double base = Luminance(background);
    return std::abs(Luminance(first) - base) >= std::abs(Luminance(second) - base) ? first : second;
}

// The style's check box, drawn once for each state, palette and scale: a style draws it with
// gradients, and a list shows dozens of them at every repaint.
QPixmap BoxPixmap(const QStyle& style, const QWidget* widget, const QPalette& palette, bool on,
                  qreal scale) {
    QStyleOptionButton box;
    if (widget != nullptr) {
        box.initFrom(widget);
    }
    box.state = QStyle::State_Enabled | (on ? QStyle::State_On : QStyle::State_Off);
    box.palette = palette;
    const QSize size(style.pixelMetric(QStyle::PM_IndicatorWidth, &box, widget),
                     style.pixelMetric(QStyle::PM_IndicatorHeight, &box, widget));
    const QString key = QStringLiteral("timerlist-box-%1-%2x%3-%4-%5")
                            .arg(on)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(palette.cacheKey())
                            .arg(scale);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    pixmap = QPixmap(size * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    box.rect = QRect(QPoint(0, 0), size);
    style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, widget);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

// A cell's one-pixel frame, as four filled lines: much cheaper than a stroked rectangle.
void FrameCell(QPainter& painter, const QRect& cell, const QColor& color) {
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), color);
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), color);
    painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), color);
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), color);
}

// Below this luminance step a bar does not stand out from the list around it.
constexpr double kLeastCaptionStep = 0.1;

bool IsCurrent(const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    return view != nullptr && view->hasFocus() && view->currentIndex() == index;
}

}  // namespace

QColor InactiveCaptionColor(const QColor& base, const QColor& mid, const QColor& text) {
    if (std::abs(Luminance(mid) - Luminance(base)) >= kLeastCaptionStep) {
        return mid;
    }
    return Blend(text, base, 0.25);
}

TimerListDelegate::TimerListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void TimerListDelegate::SetMetrics(const ListMetrics& value) {
    metrics = value;
    laidOut.clear();
}

void TimerListDelegate::DrawText(QPainter& painter, const QRect& area, const QString& text,
                                 bool centred) const {
    auto found = laidOut.find(text);
    if (found == laidOut.end()) {
        // A program has a few hundred distinct texts at most; a bound keeps it so.
        if (laidOut.size() > 4096) {
            laidOut.clear();
        }
        QStaticText prepared(text);
        prepared.setTextFormat(Qt::PlainText);
        prepared.prepare(QTransform(), painter.font());
        found = laidOut.insert(text, prepared);
    }
    painter.drawStaticText(TextOrigin(area, found->size().toSize(), centred), *found);
}

QSize TimerListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    const int width = index.column() == kStateColumn   ? metrics.labelWidth
                      : index.column() == kBlockColumn ? metrics.boxWidth
                                                       : metrics.labelWidth;
    return {width, metrics.rowHeight};
}

void TimerListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QPalette& palette = option.palette;
    const QRect cell = option.rect;
    painter->save();
    if (TimerListModel::RowOf(index) == -1) {
        const bool active = index.data(TimerListModel::ActiveRole).toBool();
        const QColor background =
            active ? palette.color(QPalette::Active, QPalette::Highlight)
                   : InactiveCaptionColor(palette.color(QPalette::Active, QPalette::Base),
                                          palette.color(QPalette::Active, QPalette::Mid),
                                          palette.color(QPalette::Active, QPalette::Text));
        const QColor text =
            active ? palette.color(QPalette::Active, QPalette::HighlightedText)
                   : Readable(background, palette.color(QPalette::Active, QPalette::Light),
                              palette.color(QPalette::Active, QPalette::WindowText));
        painter->fillRect(cell, background);
        painter->setPen(text);
        DrawText(*painter, cell.adjusted(1, 1, -1, -1), index.data(Qt::DisplayRole).toString(),
                 true);
        if (IsCurrent(option, index)) {
            PaintFocusFrame(*painter, cell, text);
        }
        painter->restore();
        return;
    }
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QColor background =
        palette.color(QPalette::Active, selected ? QPalette::Highlight : QPalette::Base);
    const QColor text =
        palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->fillRect(cell, background);
    painter->setPen(text);
    switch (index.column()) {
        case kStateColumn:
            DrawText(*painter, cell.adjusted(1, 1, -1, -1), index.data(Qt::DisplayRole).toString(),
                     true);
            break;
        case kIntervalColumn:
            DrawText(*painter, IntervalTextRect(cell), index.data(Qt::DisplayRole).toString(),
                     false);
            break;
        case kBlockColumn: {
            const QStyle* style =
                option.widget != nullptr ? option.widget->style() : QApplication::style();
            const QPixmap box = BoxPixmap(*style, option.widget, palette,
                                          index.data(TimerListModel::BlockStartRole).toBool(),
                                          painter->device()->devicePixelRatioF());
            const QRect place = BoxIndicatorRect(cell, box.deviceIndependentSize().toSize());
            painter->drawPixmap(place.topLeft(), box);
            // A style draws the box's edge from the palette's darker shades, which vanish on a
            // dark list: an edge halfway between text and background shows on both.
            const QColor base = palette.color(QPalette::Active, QPalette::Base);
            const QColor ink = palette.color(QPalette::Active, QPalette::Text);
            FrameCell(*painter, place, Blend(base, ink, 0.5));
            break;
        }
        default:
            break;
    }
    // The frame every part of a row has: the grid the list has always shown.
    FrameCell(*painter, cell, palette.color(QPalette::Active, QPalette::Text));
    if (index.column() == kIntervalColumn && IsCurrent(option, index)) {
        PaintFocusFrame(*painter, cell, text);
    }
    if (index.column() == kIntervalColumn &&
        !index.data(TimerListModel::ProblemRole).toString().isEmpty()) {
        PaintFindingMark(*painter, cell,
                         index.data(TimerListModel::WarningRole).toBool() ? MarkKind::Warning
                                                                          : MarkKind::Problem);
    }
    painter->restore();
}

QWidget* TimerListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* edit = new IntervalEdit(parent);
    edit->setObjectName(QStringLiteral("intervalEditor"));
    edit->SetTypingLimit(kIntervalTypingLimit);
    // Named as its cell, so a screen reader hears the same while typing.
    edit->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
    emit editorCreated(edit, index);
    return edit;
}

void TimerListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = qobject_cast<IntervalEdit*>(editor);
    if (edit == nullptr) {
        return;
    }
    edit->SetLimitProblem(
        index.data(TimerListModel::ProblemRole).toString(),
        index.data(TimerListModel::WarningRole).toBool() ? MarkKind::Warning : MarkKind::Problem);
    // Typing in progress, or refused, stays for the user to finish or take back.
    if (edit->HasPendingChange() || edit->IsUnreadable()) {
        return;
    }
    const QString text = index.data(Qt::EditRole).toString();
    if (edit->text() != text) {
        edit->SetProgramText(text);
    }
}

void TimerListDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

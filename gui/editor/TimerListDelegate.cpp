#include "gui/editor/TimerListDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "gui/common/FocusFrame.h"
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

bool IsCurrent(const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    return view != nullptr && view->hasFocus() && view->currentIndex() == index;
}

}  // namespace

TimerListDelegate::TimerListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

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
        const QColor background = active ? palette.color(QPalette::Active, QPalette::Highlight)
                                         : palette.color(QPalette::Active, QPalette::Mid);
        const QColor text =
            active ? palette.color(QPalette::Active, QPalette::HighlightedText)
                   : Readable(background, palette.color(QPalette::Active, QPalette::Light),
                              palette.color(QPalette::Active, QPalette::WindowText));
        painter->fillRect(cell, background);
        painter->setPen(text);
        painter->drawText(cell.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
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
            painter->drawText(cell.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine,
                              index.data(Qt::DisplayRole).toString());
            break;
        case kIntervalColumn:
            painter->drawText(IntervalTextRect(cell), Qt::AlignLeft | Qt::AlignVCenter,
                              index.data(Qt::DisplayRole).toString());
            break;
        case kBlockColumn: {
            QStyleOptionButton box;
            box.initFrom(option.widget);
            box.state = QStyle::State_Enabled |
                        (index.data(TimerListModel::BlockStartRole).toBool() ? QStyle::State_On
                                                                             : QStyle::State_Off);
            const QStyle* style =
                option.widget != nullptr ? option.widget->style() : QApplication::style();
            const QSize indicator(style->pixelMetric(QStyle::PM_IndicatorWidth, &box),
                                  style->pixelMetric(QStyle::PM_IndicatorHeight, &box));
            box.rect = BoxIndicatorRect(cell, indicator);
            box.palette = palette;
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
            break;
        }
        default:
            break;
    }
    // The frame every part of a row has: the grid the list has always shown.
    painter->setPen(palette.color(QPalette::Active, QPalette::Text));
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
    if (index.column() == kIntervalColumn && IsCurrent(option, index)) {
        PaintFocusFrame(*painter, cell, text);
    }
    if (index.column() == kIntervalColumn &&
        !index.data(TimerListModel::ProblemRole).toString().isEmpty()) {
        PaintProblemMark(*painter, cell);
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
    edit->SetLimitProblem(index.data(TimerListModel::ProblemRole).toString());
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

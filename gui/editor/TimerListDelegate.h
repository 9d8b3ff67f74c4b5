#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

#include "gui/editor/TimerListLayout.h"

class IntervalEdit;

// The bar of a caption whose timer is not the selected one: the palette's Mid, unless that
// hardly differs from the list's Base, as under some dark themes; then a shade between Base and
// Text, so the bar still reads as one.
QColor InactiveCaptionColor(const QColor& base, const QColor& mid, const QColor& text);

// Paints the timer list as it always looked: a caption bar per timer in its active or inactive
// colours, and per interval the ON/OFF label, the interval with its problem mark, and the
// block-start box, each framed, the selected rows highlighted. Colours come from the palette,
// so the list reads under a light and a dark theme alike. Its editor is an IntervalEdit, which
// commits by itself; the view wires it.
class TimerListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TimerListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Shows the row's value unless the user's typing is in the editor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The editor commits through the document's commands, never through the model.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The figures of the list's font; the texts laid out for the old one go.
    void SetMetrics(const ListMetrics& value);

signals:
    void editorCreated(IntervalEdit* editor, const QModelIndex& index) const;

protected:
    // The item-view default (commit and close on focus loss, Tab, Enter) is the view's to
    // decide for an interval: unreadable typing stays in its field.
    bool eventFilter(QObject*, QEvent*) override { return false; }

private:
    // Draws text in area as laid out once: the same few texts show on every repaint.
    void DrawText(QPainter& painter, const QRect& area, const QString& text, bool centred) const;

    ListMetrics metrics;
    mutable QHash<QString, QStaticText> laidOut;
};

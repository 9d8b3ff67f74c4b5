#include "gui/editor/IntervalEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPolygonF>
#include <QValidator>
#include <algorithm>
#include <optional>

#include "gui/common/FocusFrame.h"
#include "gui/common/Prompter.h"
#include "gui/common/SystemColors.h"
#include "gui/common/TimerTexts.h"

int ParseIntervalText(QStringView text, std::uint32_t& hours, std::uint32_t& minutes,
                      std::uint32_t& seconds, std::uint32_t& ticks) {
    ticks = 0;
    return ScanIntervalText(text.toString().toStdString(), hours, minutes, seconds, ticks);
}

bool ReadsAsInterval(QStringView text) {
    std::uint32_t hours = 0, minutes = 0, seconds = 0, ticks = 0;
    return ParseIntervalText(text, hours, minutes, seconds, ticks) >= 3;
}

// Refuses a user's change that would make the text longer than the typing limit, or than the
// text the program last set when that was longer, so a long text from a file can still be
// edited. A change by the program is recognised by the edit having no undo history: setting the
// text clears it, and every change a user makes adds to it before it is validated.
class TypingLimitValidator : public QValidator {
public:
    explicit TypingLimitValidator(IntervalEdit* edit)
        : QValidator(edit), edit(edit), givenLength(edit->text().size()) {}

    State validate(QString& input, int&) const override {
        if (!edit->isUndoAvailable()) {
            givenLength = input.size();
            return Acceptable;
        }
        const qsizetype limit = std::max<qsizetype>(edit->GetTypingLimit(), givenLength);
        if (edit->GetTypingLimit() >= 0 && input.size() > limit) {
            edit->typingCut = true;
            return Invalid;
        }
        // Shortened below the limit: the user has dealt with what did not fit.
        if (input.size() < limit) {
            edit->typingCut = false;
        }
        return Acceptable;
    }

private:
    IntervalEdit* edit;
    mutable qsizetype givenLength;
};

IntervalEdit::IntervalEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(2, 1, 2, 1);
    // The limit is kept by watching typed changes; dropped text would bypass the focus.
    setAcceptDrops(false);
    // The mark goes as soon as the text reads; it is committed when the user is done.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (unreadable && !typingCut && NormalIntervalText(typed.toStdString())) {
            SetUnreadable(false);
        }
    });
}

IntervalEdit::~IntervalEdit() = default;

int IntervalEdit::ReadInterval(std::uint32_t& hours, std::uint32_t& minutes, std::uint32_t& seconds,
                               std::uint32_t& ticks) const {
    return ParseIntervalText(text(), hours, minutes, seconds, ticks);
}

void IntervalEdit::focusInEvent(QFocusEvent* event) {
    // A context menu of the edit's own takes the focus only for a moment.
    const bool entering = event->reason() != Qt::PopupFocusReason;
    if (entering) {
        // Typing that did not read is still pending: the row's value is the older text.
        if (!unreadable) {
            savedText = text();
        }
        if (limitValidator == nullptr) {
            limitValidator = new TypingLimitValidator(this);
            setValidator(limitValidator);
        }
    }
    QLineEdit::focusInEvent(event);
    if (entering) {
        emit focusEntered();
    }
}

void IntervalEdit::SetUnreadable(bool value) {
    if (unreadable == value) {
        return;
    }
    unreadable = value;
    DescribeMarks();
    update();
    emit unreadableChanged(unreadable);
}

void IntervalEdit::SetLimitProblem(const QString& why, MarkKind kind) {
    if (limitProblem == why && limitKind == kind) {
        return;
    }
    limitProblem = why;
    limitKind = kind;
    DescribeMarks();
    update();
}

void IntervalEdit::DescribeMarks() {
    //: %1 is the text typed, %2 the forms an interval is typed in.
    const QString why = unreadable ? tr("\u201C%1\u201D does not read as an interval. %2. Esc "
                                        "takes the typing back.")
                                         .arg(text(), IntervalFormsText())
                                   : limitProblem;
    setToolTip(why);
    // Only marked edits get a description: a plain row need not build its accessible object.
    if (!why.isEmpty() || !accessibleDescription().isEmpty()) {
        setAccessibleDescription(why);
    }
}

void IntervalEdit::SetProgramText(const QString& newText) {
    setText(newText);
    savedText = newText;
    typingCut = false;
    SetUnreadable(false);
}

void IntervalEdit::RevertPendingChange() {
    if (HasPendingChange()) {
        setText(savedText);
    }
    typingCut = false;
    SetUnreadable(false);
}

bool IntervalEdit::CommitPendingChange() {
    // A text the user has not touched (a value from a file) is not theirs to be refused.
    if (!HasPendingChange()) {
        SetUnreadable(false);
        return true;
    }
    const std::optional<std::string> normal =
        typingCut ? std::nullopt : NormalIntervalText(text().toStdString());
    if (!normal) {
        if (unreadable) {
            DescribeMarks();  // the tooltip names the text as it is now
        }
        SetUnreadable(true);
        return false;
    }
    SetUnreadable(false);
    // What shows is what is stored. Setting the text also clears the field's own undo, which
    // must not reach back past a text the window's history now holds.
    savedText = QString::fromStdString(*normal);
    setText(savedText);
    setCursorPosition(static_cast<int>(savedText.size()));
    emit textCommitted();
    return true;
}

bool IntervalEdit::event(QEvent* event) {
    // With nothing typed, the window's undo and redo apply, not the edit's own history of
    // texts the program set.
    if (event->type() == QEvent::ShortcutOverride && !HasPendingChange()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination = key->keyCombination();
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
            combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void IntervalEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        CommitPendingChange();
        event->accept();
        return;
    }
    // Esc takes back what was typed; only with nothing typed does it reach the window.
    if (event->key() == Qt::Key_Escape && HasPendingChange()) {
        RevertPendingChange();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void IntervalEdit::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason) {
        QPointer<IntervalEdit> self(this);
        CommitPendingChange();
        if (!self) {
            return;  // destroyed by the views following the commit
        }
    }
    QLineEdit::focusOutEvent(event);
}

bool IntervalEdit::focusNextPrevChild(bool next) {
    if (!CommitPendingChange()) {
        return true;
    }
    return QLineEdit::focusNextPrevChild(next);
}

void IntervalEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    // The frame of the list's cells, in the palette's text colour so it shows on a dark one.
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // A caret alone is easy to miss on a highlighted row.
    if (hasFocus()) {
        PaintFocusFrame(painter, rect(), palette().color(QPalette::Text));
    }
    // Last, so the mark of unreadable typing is never covered.
    if (IsMarked()) {
        PaintFindingMark(painter, rect(), unreadable ? MarkKind::Problem : limitKind);
    }
}

void PaintFindingMark(QPainter& painter, const QRect& box, MarkKind kind) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = kind == MarkKind::Warning ? WarningColor() : ProblemColor();
    painter.setPen(QPen(color, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(box).adjusted(1, 1, -1, -1));
    // The sign with "!" at the right end, where the text rarely reaches.
    const double size = std::max(8.0, box.height() - 6.0);
    const QRectF sign(box.right() - size - 3, box.top() + (box.height() - size) / 2, size, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    if (kind == MarkKind::Warning) {
        painter.drawPolygon(QPolygonF{{sign.center().x(), sign.top()},
                                      {sign.right(), sign.bottom()},
                                      {sign.left(), sign.bottom()}});
    } else {
        painter.drawEllipse(sign);
    }
    QFont bold = painter.font();
    bold.setBold(true);
    bold.setPixelSize(std::max(6, static_cast<int>(size * 0.8)));
    painter.setFont(bold);
    painter.setPen(Qt::white);
    // In a triangle the "!" sits in its wider lower part.
    painter.drawText(kind == MarkKind::Warning ? sign.adjusted(0, size * 0.2, 0, 0) : sign,
                     Qt::AlignCenter, QStringLiteral("!"));
    painter.restore();
}

bool CommitFocusedTyping() {
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    return edit == nullptr || edit->CommitPendingChange();
}

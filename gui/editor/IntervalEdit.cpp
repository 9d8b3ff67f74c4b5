#include "gui/editor/IntervalEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QValidator>
#include <algorithm>
#include <optional>

#include "gui/common/FocusFrame.h"
#include "gui/common/Prompter.h"
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
}

IntervalEdit::~IntervalEdit() = default;

void IntervalEdit::SetBackgroundColor(ColorRef color) {
    backgroundColor = color;
    hasBrush = true;
    ApplyColors();
}

void IntervalEdit::SetTextColor(ColorRef color) {
    textColor = color;
    if (hasBrush) {
        ApplyColors();
    }
}

void IntervalEdit::ApplyColors() {
    QPalette colors = palette();
    colors.setColor(QPalette::Base, ToQColor(backgroundColor));
    colors.setColor(QPalette::Text, ToQColor(textColor));
    setPalette(colors);
}

int IntervalEdit::ReadInterval(std::uint32_t& hours, std::uint32_t& minutes, std::uint32_t& seconds,
                               std::uint32_t& ticks) const {
    return ParseIntervalText(text(), hours, minutes, seconds, ticks);
}

void IntervalEdit::focusInEvent(QFocusEvent* event) {
    // A context menu of the edit's own takes the focus only for a moment.
    const bool entering = event->reason() != Qt::PopupFocusReason;
    if (entering) {
        if (!checking) {
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

void IntervalEdit::Refuse() {
    checking = true;
    const QString restore = savedText;
    QPointer<IntervalEdit> self(this);
    Prompter::Current().ShowMessage(window(), kInvalidIntervalMessage, kInvalidIntervalDetail);
    if (!self) {
        return;  // destroyed while the message was up
    }
    setText(restore);
    typingCut = false;
    checking = false;
}

void IntervalEdit::SetProgramText(const QString& newText) {
    setText(newText);
    savedText = newText;
    typingCut = false;
}

void IntervalEdit::RevertPendingChange() {
    if (HasPendingChange()) {
        setText(savedText);
    }
    typingCut = false;
}

bool IntervalEdit::CommitPendingChange() {
    // A text the user has not touched (a value from a file) is not theirs to be refused.
    if (checking || !HasPendingChange()) {
        return true;
    }
    const std::optional<std::string> normal =
        typingCut ? std::nullopt : NormalIntervalText(text().toStdString());
    if (!normal) {
        Refuse();
        return false;
    }
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
            return;  // destroyed while the message was up
        }
    }
    QLineEdit::focusOutEvent(event);
}

void IntervalEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(ToQColor(kBlack));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // A caret alone is easy to miss on a highlighted row.
    if (hasFocus()) {
        PaintFocusFrame(painter, rect(), palette().color(QPalette::Text));
    }
}

bool CommitFocusedTyping() {
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    return edit == nullptr || edit->CommitPendingChange();
}

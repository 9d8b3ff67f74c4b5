#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringView>
#include <cstdint>

#include "core/IntervalText.h"
#include "gui/common/SystemColors.h"

// How many characters a user may type into an interval edit. Texts set by the program (from a
// timer file) may be longer and are never cut.
inline constexpr int kIntervalTypingLimit = 12;

// Reads "hours:minutes:seconds[:ticks]" the way "%u:%u:%u:%u" does: each number may have leading
// blanks and a sign (a minus gives the negated value modulo 2^32; a number too big for 32 bits
// reads as 4294967295), and reading stops at the first missing number or at a separator that is
// not ':'. Ticks are set to 0 first; every other output the text does not reach keeps the
// caller's value. Returns how many numbers were read (0 to 4).
int ParseIntervalText(QStringView text, std::uint32_t& hours, std::uint32_t& minutes,
                      std::uint32_t& seconds, std::uint32_t& ticks);

// True when the text gives at least hours, minutes and seconds.
bool ReadsAsInterval(QStringView text);

class QPainter;
class TypingLimitValidator;

// What a field's mark says: the device cannot take it (or it does not read), or the device takes
// it but not as shown.
enum class MarkKind { Problem, Warning };
// The mark of an interval field within box: a frame and a "!" sign, round for a problem and
// triangular for a warning, each in its colour.
void PaintFindingMark(QPainter& painter, const QRect& box, MarkKind kind);

// An edit holding one interval as text. It remembers its text when it receives the focus, and
// when the user is done typing (the focus leaves, or Enter) it takes the text in its normal form
// (NormalIntervalText) or marks it as unreadable: the typed text stays for correction, Enter and
// Tab leave the focus in it, and the remembered text is still the row's value. A text the
// typing limit cut short is refused too: what was typed was longer than what shows.
class IntervalEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit IntervalEdit(QWidget* parent = nullptr);
    ~IntervalEdit() override;

    // Limits what a user can type; the text set by the program is never cut. Negative: no limit.
    void SetTypingLimit(int characters) { typingLimit = characters; }
    int GetTypingLimit() const { return typingLimit; }

    // Reads the whole text with ParseIntervalText.
    int ReadInterval(std::uint32_t& hours, std::uint32_t& minutes, std::uint32_t& seconds,
                     std::uint32_t& ticks) const;

    // The text as it was when the edit last received the focus, or was last committed.
    const QString& GetSavedText() const { return savedText; }
    // True when the user has typed a change that is not yet committed.
    bool HasPendingChange() const { return text() != savedText; }
    // Sets the text as the program's own (from a file, or put back by undo): it is not the
    // user's change, so nothing is committed for it.
    void SetProgramText(const QString& text);
    // Puts back the text the edit had before the user started typing.
    void RevertPendingChange();
    // Checks a pending change as losing the focus would, and commits it when it is accepted.
    // False when it was refused: the edit is marked unreadable and keeps the typed text.
    bool CommitPendingChange();
    // The typed text was refused and is still there, not yet corrected or taken back.
    bool IsUnreadable() const { return unreadable; }
    // Marks a committed interval the device check found something on, with why; empty clears
    // the mark.
    void SetLimitProblem(const QString& why, MarkKind kind = MarkKind::Problem);
    const QString& GetLimitProblem() const { return limitProblem; }
    // Either mark shows: a frame and a sign in the problem colour.
    bool IsMarked() const { return unreadable || !limitProblem.isEmpty(); }
    // The typing limit refused a change since the text was last set, committed or shortened.
    bool WasTypingCut() const { return typingCut; }

signals:
    // The focus entered the edit (not when it only comes back from the edit's own context menu).
    void focusEntered();
    // The user finished a change of the text (the focus left, or Enter), and it was accepted;
    // the edit shows it in its normal form.
    void textCommitted();
    // The edit became unreadable, or stopped being so.
    void unreadableChanged(bool unreadable);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Tab and Backtab stay in a field whose typing does not read.
    bool focusNextPrevChild(bool next) override;

private:
    friend class TypingLimitValidator;
    void SetUnreadable(bool value);
    // The tooltip and accessible description say what the marks mean.
    void DescribeMarks();

    QString savedText;
    int typingLimit = -1;
    // Made when the edit first receives the focus: no user can type before that.
    TypingLimitValidator* limitValidator = nullptr;
    bool unreadable = false;
    QString limitProblem;
    MarkKind limitKind = MarkKind::Problem;
    bool typingCut = false;
};

// Commits the typing in progress in the interval edit that has the focus, as leaving it would:
// every command calls it first. False when the typing was refused (the edit is marked); the
// command must not go on.
bool CommitFocusedTyping();

#pragma once

#include <QCoreApplication>
#include <QString>

#include "core/DeviceLimits.h"

// Fixed texts the user sees in more than one place. Functions, so they are looked up in the
// language in force when they show.

// The forms an interval is typed in, said the same way wherever one is refused.
inline QString IntervalFormsText() {
    return QCoreApplication::translate(
               "TimerTexts",
               "HH:MM:SS or HH:MM:SS:TT: hours, minutes and seconds up to %1, TT in sixtieths, 0 "
               "to %2")
        .arg(kMaxIntervalField)
        .arg(kMaxIntervalTicksField);
}

// A finding of the device check as a line of a list: its kind, then its words.
inline QString FindingLine(const DeviceProblem& finding) {
    const QString text = QString::fromStdString(finding.message);
    return finding.IsWarning() ? QCoreApplication::translate("TimerTexts", "Warning: %1").arg(text)
                               : QCoreApplication::translate("TimerTexts", "Problem: %1").arg(text);
}

inline QString InvalidIntervalMessage() {
    return QCoreApplication::translate(
        "TimerTexts", "The interval does not read. Type it as HH:MM:SS or HH:MM:SS:TT.");
}

inline QString InvalidIntervalDetail() {
    //: %1 is the forms an interval is typed in (HH:MM:SS or HH:MM:SS:TT: ...).
    return QCoreApplication::translate("TimerTexts",
                                       "%1, for example 01:30:00 or 00:00:05:30. Nothing may "
                                       "follow the last number.")
        .arg(IntervalFormsText());
}

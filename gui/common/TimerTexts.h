#pragma once

#include <QString>

// Fixed texts the user sees in more than one place.

// The forms an interval is typed in, said the same way wherever one is refused.
inline const QString kIntervalForms = QStringLiteral(
    "HH:MM:SS or HH:MM:SS:TT: hours, minutes and seconds up to 99, TT in sixtieths, 0 to 59");
inline const QString kInvalidIntervalMessage =
    QStringLiteral("The interval does not read. Type it as HH:MM:SS or HH:MM:SS:TT.");
inline const QString kInvalidIntervalDetail =
    kIntervalForms + QStringLiteral(
                         ", for example 01:30:00 or 00:00:05:30. Nothing may follow "
                         "the last number.");

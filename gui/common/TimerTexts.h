#pragma once

#include <QString>

// Fixed texts the user sees in more than one place.

inline const QString kInvalidIntervalMessage =
    QStringLiteral("Invalid Interval. Please Enter in interval in format HH:MM:SS");
inline const QString kInvalidIntervalDetail = QStringLiteral(
    "Hours, minutes and seconds are each a number from 0 to 99, for example 01:30:00. "
    "Sixtieths of a second, 0 to 59, may follow as a fourth number, as in 00:00:05:30. "
    "Nothing may follow the last number.");

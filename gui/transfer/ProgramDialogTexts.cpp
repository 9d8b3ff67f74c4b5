#include "gui/transfer/ProgramDialog.h"

#include <QCoreApplication>
#include <QLocale>

#include "core/TransferEstimate.h"
#include "core/TransferFrame.h"

// The programming dialog's texts that tests and the window compute without a dialog.

namespace {

// Below this a 50 ms zero and a 100 ms one are only three and six frames apart.
constexpr double kLowestRefreshHz = 50.0;

QString Duration(std::int64_t microseconds) {
    return QString::fromStdString(FormatDuration(microseconds));
}

}  // namespace

QString FrameSizeText(std::int32_t frameBytes, std::int64_t totalUs) {
    const int programBytes = frameBytes - kFrameExtraBytes;
    if (programBytes <= 0) {
        return QCoreApplication::translate("ProgramDialog", "About %1 for %n byte(s).", nullptr,
                                           frameBytes)
            .arg(Duration(totalUs));
    }
    // The status line counts the program's bytes; the frame around them is longer.
    return QCoreApplication::translate("ProgramDialog",
                                       "About %1 for the program's %n byte(s) (%2 with the start "
                                       "byte, length, block count and checksum).",
                                       nullptr, programBytes)
        .arg(Duration(totalUs))
        .arg(frameBytes);
}

QString LowRefreshWarning(double refreshHz) {
    if (refreshHz <= 0.0 || refreshHz >= kLowestRefreshHz) {
        return {};  // fast enough, or the platform does not say
    }
    const QLocale locale;
    return QCoreApplication::translate(
               "ProgramDialog",
               "This screen refreshes %1 times a second; below %2 the device can mistake a one "
               "for a zero. Use a faster screen if you can.")
        .arg(locale.toString(refreshHz, 'g', 3),  // 49.6 must not read as 50
             locale.toString(kLowestRefreshHz, 'g', 3));
}

#include "gui/app/ProgramStatus.h"

#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <algorithm>

#include "core/DeviceLimits.h"
#include "core/ProgramSummary.h"
#include "res/ControlIds.h"

namespace {

// A red that reads on light and dark themes alike, with white text on it.
const QColor kWarningColor(0xC6, 0x28, 0x28);

}  // namespace

ProgramStatus::ProgramStatus(QWidget* gaugeParent, QWidget* lineParent)
    : QObject(gaugeParent),
      gauge(new QProgressBar(gaugeParent)),
      gaugeLabel(new QLabel(QStringLiteral("Device &memory used"), gaugeParent)),
      line(new QLabel(lineParent)) {
    gauge->setProperty(ControlIds::kProperty, ControlIds::kMemoryGauge);
    gauge->setAccessibleName(QStringLiteral("Device memory used"));
    gauge->setRange(0, kDeviceMemoryBytes);
    gaugeLabel->setBuddy(gauge);
    line->setAccessibleName(QStringLiteral("Program summary"));
    // A narrow window shows the line on two lines rather than cutting it.
    line->setWordWrap(true);
}

void ProgramStatus::Show(const ProgramSummary& summary) {
    const int used = summary.bytes;
    const bool over = used > kDeviceMemoryBytes;
    // A bar ignores a value outside its range; more than the device holds shows full.
    gauge->setValue(std::min(used, kDeviceMemoryBytes));
    QString text = QStringLiteral("%1 of %2 bytes").arg(used).arg(kDeviceMemoryBytes);
    if (over) {
        text += QStringLiteral(": %1 over").arg(used - kDeviceMemoryBytes);
    }
    gauge->setFormat(text);
    gauge->setToolTip(over ? QStringLiteral("The program needs %1 bytes more than the "
                                            "device holds. Remove intervals or blocks.")
                                 .arg(used - kDeviceMemoryBytes)
                           : text + QStringLiteral(" of device memory used"));
    gauge->setAccessibleDescription(text);
    gauge->setProperty("overLimit", over);
    QPalette colors = gaugeLabel->palette();
    if (over) {
        colors.setColor(QPalette::Highlight, kWarningColor);
        colors.setColor(QPalette::HighlightedText, Qt::white);
    }
    gauge->setPalette(colors);
    // A narrow window may wrap the line, but only between its parts: "17 s" stays together.
    QStringList parts = QString::fromStdString(FormatSummaryLine(summary, kDeviceMemoryBytes))
                            .split(QStringLiteral(" \u00B7 "));
    for (QString& part : parts) {
        part.replace(u' ', QChar(0x00A0));
    }
    line->setText(parts.join(QStringLiteral(" \u00B7 ")));
}

void ProgramStatus::ShowMessage(const QString& text) {
    line->setText(text);
}

QString ProgramStatus::GetText() const {
    return line->text().replace(QChar(0x00A0), u' ');
}

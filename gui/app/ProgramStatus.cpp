#include "gui/app/ProgramStatus.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <algorithm>

#include "core/DeviceLimits.h"
#include "core/ProgramSummary.h"
#include "gui/common/SystemColors.h"

namespace {

// The full gauge of a program too large for the device: a red that reads on light and dark
// themes alike, with white text on it.
const QColor kOverLimitColor(0xC6, 0x28, 0x28);
const QString kSeparator = QStringLiteral(" \u00B7 ");

// A screen reader hears a label's new text: its name is its text.
void SetAnnounced(QLabel* label, const QString& text) {
    if (label->text() == text) {
        return;
    }
    label->setText(text);
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// A narrow window may wrap the line, but only between its parts: "17 s" stays together.
QString Unbreakable(QString part) {
    return part.replace(u' ', QChar(0x00A0));
}

}  // namespace

ProgramStatus::ProgramStatus(QWidget* gaugeParent, QWidget* lineParent)
    : QObject(gaugeParent),
      gauge(new QProgressBar(gaugeParent)),
      gaugeLabel(new QLabel(tr("Device &memory used"), gaugeParent)),
      line(new QLabel(lineParent)),
      checkLine(new QLabel(gaugeParent)) {
    gauge->setObjectName(QStringLiteral("memoryGauge"));
    gauge->setAccessibleName(tr("Device memory used"));
    gauge->setRange(0, kDeviceMemoryBytes);
    gaugeLabel->setBuddy(gauge);
    // No accessible name: a screen reader reads the text itself.
    // A narrow window shows the line on two lines rather than cutting it.
    line->setWordWrap(true);
    line->installEventFilter(this);
    checkLine->setWordWrap(true);
    QPalette colors = checkLine->palette();
    colors.setColor(QPalette::WindowText, ProblemColor());
    checkLine->setPalette(colors);
    checkLine->hide();
}

void ProgramStatus::ShowTypingProblem(const QString& text) {
    // The sign in front matches the one in the field, so the two read as one.
    SetAnnounced(checkLine, text.isEmpty() ? QString() : QStringLiteral("\u26A0 ") + text);
    checkLine->setVisible(!text.isEmpty());
}

void ProgramStatus::ShowNotice(const QString& text) {
    notice = text;
    UpdateLine();
}

void ProgramStatus::UpdateLine() {
    QStringList parts;
    // A notice or a problem is a sentence and wraps as one; the summary's short parts do not.
    for (const QString& part : {notice, problemsText}) {
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    parts.append(summaryText);
    SetAnnounced(line, parts.join(kSeparator));
    FitLine();
}

void ProgramStatus::FitLine() {
    // The status bar does not follow a wrapped label's height for its width; without this a
    // third line of a narrow window's status is cut off.
    const int height = line->heightForWidth(std::max(1, line->width()));
    if (height > 0 && height != line->minimumHeight()) {
        line->setMinimumHeight(height);
    }
}

bool ProgramStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line && event->type() == QEvent::Resize) {
        FitLine();
    }
    if (watched == line && event->type() == QEvent::MouseButtonRelease && !problemsText.isEmpty()) {
        emit problemsClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ProgramStatus::Show(const ProgramSummary& summary,
                         const std::vector<DeviceProblem>& problems) {
    const int used = summary.bytes;
    const bool over = used > kDeviceMemoryBytes;
    // A bar ignores a value outside its range; more than the device holds shows full.
    gauge->setValue(std::min(used, kDeviceMemoryBytes));
    const QString text = over ? tr("%1 of %2 bytes: %3 over")
                                    .arg(used)
                                    .arg(kDeviceMemoryBytes)
                                    .arg(used - kDeviceMemoryBytes)
                              : tr("%1 of %2 bytes").arg(used).arg(kDeviceMemoryBytes);
    gauge->setFormat(text);
    gauge->setToolTip(
        over ? tr("The program needs %n byte(s) more than the device holds. Remove "
                  "intervals or blocks.",
                  nullptr, used - kDeviceMemoryBytes)
             : tr("%1 of %2 bytes of device memory used").arg(used).arg(kDeviceMemoryBytes));
    gauge->setAccessibleDescription(text);
    gauge->setProperty("overLimit", over);
    QPalette colors = gaugeLabel->palette();
    if (over) {
        colors.setColor(QPalette::Highlight, kOverLimitColor);
        colors.setColor(QPalette::HighlightedText, Qt::white);
    }
    gauge->setPalette(colors);
    QStringList parts =
        QString::fromStdString(FormatSummaryLine(summary, kDeviceMemoryBytes)).split(kSeparator);
    for (QString& part : parts) {
        part = Unbreakable(part);
    }
    summaryText = parts.join(kSeparator);
    problemsText.clear();
    const FindingCounts counts = CountFindings(problems);
    // Problems come first in the check's list, so the first finding is the one to name.
    if (!problems.empty()) {
        const int named = counts.problems > 0 ? counts.problems : counts.warnings;
        const QString first = QString::fromStdString(ShortProblemText(problems.front()));
        const QString more = named > 1 ? QStringLiteral("\u2026") : QString();
        //: %1 is the first problem; %2 is "…" when more follow.
        problemsText = counts.problems > 0
                           ? tr("%n problem(s): %1%2", nullptr, counts.problems).arg(first, more)
                           //: %1 is the first warning; %2 is "…" when more follow.
                           : tr("%n warning(s): %1%2", nullptr, counts.warnings).arg(first, more);
        if (counts.problems > 0 && counts.warnings > 0) {
            problemsText += kSeparator + tr("%n warning(s)", nullptr, counts.warnings);
        }
    }
    line->setCursor(problems.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    line->setToolTip(problems.empty() ? QString()
                                      : tr("Click to list the problems (Edit > Show Problems)"));
    // A refusal is news until the program changes.
    notice.clear();
    UpdateLine();
}

QString ProgramStatus::GetText() const {
    return line->text().replace(QChar(0x00A0), u' ');
}

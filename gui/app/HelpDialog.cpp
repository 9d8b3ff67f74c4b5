#include "gui/app/HelpDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/DeviceLimits.h"

QString HelpDialog::PageHtml() {
    // One text per heading and per paragraph: units a translator can take in at once.
    const QString sections[][2] = {
        {tr("Building a program"),
         tr("A program has up to %1 timers, numbered %2 to %3. Each timer is a sequence of ON and "
            "OFF intervals that the device runs in order. <b>Add Timer</b> starts a timer with "
            "its first interval; <b>Add Interval</b> and <b>Insert Interval</b> (Ins) add more. "
            "Type a length as <tt>HH:MM:SS</tt>, or <tt>HH:MM:SS:TT</tt> with TT in sixtieths of "
            "a second. Click a row's ON/OFF label (or press Space on it) to switch it. Every "
            "change can be undone with Ctrl+Z. A typed interval that does not read stays in its "
            "field, framed with a red \"!\" sign, and the line under the list says how to type it; "
            "Esc takes the typing back. Esc does nothing else in the main window: Exit is Alt+X, "
            "Ctrl+Q or the close box.")
             .arg(kTimerCount)
             .arg(kFirstTimerNumber)
             .arg(kLastTimerNumber)},
        {tr("What the device takes"),
         tr("%1 timers, numbered %2 to %3; %4 intervals a timer; %5 intervals a block; %6 bytes of "
            "memory; intervals up to %7. A longer interval is marked in its field and on the "
            "timeline as soon as you enter it, and the status line counts every problem, and "
            "apart from them every warning: a program the device takes but that probably does not "
            "do what was meant, such as one that should start timer 0 on power up but has none. "
            "Click the status line, or choose <b>Edit &gt; Show Problems</b> (F8), to list them "
            "and select the first. A timer that a file has in two places is joined into one with "
            "<b>Edit &gt; Join Timer</b>.")
             .arg(kTimerCount)
             .arg(kFirstTimerNumber)
             .arg(kLastTimerNumber)
             .arg(kMaxIntervalsPerTimer)
             .arg(kIntervalsPerBlock)
             .arg(kDeviceMemoryBytes)
             .arg(QString::fromStdString(LongestIntervalText()))},
        {tr("Blocks and memory"),
         tr("The device has 128 bytes for the program. Every interval takes 3 bytes and every "
            "block 1. A block holds up to 8 intervals of one timer; the box at the right of a row "
            "starts a new block, and the editor adds the ones a long timer needs. The status line "
            "and the gauge show how much memory the program uses; above 128 bytes the gauge turns "
            "red and the program cannot be sent until it is smaller.")},
        {tr("Sending it to the device"),
         tr("<b>Program</b> checks the program and opens the programming window. Turn the screen "
            "brightness all the way up, hold the device's sensor flat against the two panes, "
            "press <b>Start</b> and keep the device still until the window says Done. A full "
            "program takes a little over a minute. The panes flash several times a second. The "
            "window counts the program's bytes as the status line does; what it sends is 4 bytes "
            "longer, for the start byte, the length, the block count and a checksum the device "
            "checks.")},
        {tr("Keyboard"),
         tr("Every button and menu command has its own underlined letter: press Alt and the "
            "letter. Tab moves from control to control, and the one with the focus is framed. "
            "<b>Add Timer</b> opens with the first interval selected: type it and press Enter.")},
    };
    QString html;
    for (const auto& [heading, paragraph] : sections) {
        html += QStringLiteral("<h3>%1</h3>\n<p>%2</p>\n").arg(heading, paragraph);
    }
    return html;
}

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("How to program the device"));
    setObjectName(QStringLiteral("helpDialog"));

    page = new QTextBrowser(this);
    page->setAccessibleName(tr("Help text"));
    page->setHtml(PageHtml());
    page->setOpenLinks(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(buttons);
    // About 60 characters wide and 30 lines high in the page's font.
    const QFontMetrics metrics(page->font());
    resize(metrics.averageCharWidth() * 64, metrics.lineSpacing() * 30);
}

QString HelpDialog::GetText() const {
    return page->toPlainText();
}

#include "EditTimeDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ControlIds.h"
#include "DialogUnits.h"
#include "IntervalText.h"
#include "Prompter.h"
#include "TimerTexts.h"

namespace {
constexpr int kTimerCount = 32;
}  // namespace

EditTimeDialog::EditTimeDialog(QWidget* parent, const QString& initialText)
    : QDialog(parent), intervalText(initialText) {
    setWindowTitle(QStringLiteral("Programmable Timer - Edit Time"));
    setProperty(ControlIds::kProperty, ControlIds::kEditTimeDialog);
    setFixedSize(DluRect(0, 0, 122, 79).size());

    // Controls in template order, which is also the tab order.
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(DluRect(7, 58, 50, 14));
    okButton->setDefault(true);
    okButton->setProperty(ControlIds::kProperty, ControlIds::kOk);

    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setGeometry(DluRect(65, 58, 50, 14));
    cancelButton->setProperty(ControlIds::kProperty, ControlIds::kCancel);

    edit = new QLineEdit(this);
    edit->setGeometry(DluRect(47, 38, 44, 14));
    edit->setProperty(ControlIds::kProperty, ControlIds::kIntervalEdit);

    auto* intervalLabel = new QLabel(QStringLiteral("Initial Interval"), this);
    intervalLabel->setGeometry(DluRect(14, 26, 61, 8));
    auto* timerLabel = new QLabel(QStringLiteral("Timer"), this);
    timerLabel->setGeometry(DluRect(13, 11, 21, 8));

    onOffButton = new QPushButton(QStringLiteral("ON"), this);
    onOffButton->setGeometry(DluRect(25, 38, 19, 14));
    onOffButton->setFlat(true);
    onOffButton->setAutoDefault(false);
    onOffButton->setProperty(ControlIds::kProperty, ControlIds::kOnOffButton);

    timerCombo = new QComboBox(this);
    timerCombo->setGeometry(DluRect(36, 9, 31, 14));
    timerCombo->setMaxVisibleItems(5);
    timerCombo->setProperty(ControlIds::kProperty, ControlIds::kTimerCombo);
    timerLabel->setBuddy(timerCombo);

    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, edit);
    setTabOrder(edit, onOffButton);
    setTabOrder(onOffButton, timerCombo);
    // Enter on a focused Cancel cancels: a focused auto-default button takes the Enter key.
    cancelButton->setAutoDefault(true);

    for (int i = 0; i < kTimerCount; ++i) {
        timerCombo->addItem(QString::number(i));
    }
    timerCombo->setCurrentIndex(0);
    // No length limit: QLineEdit would cut a longer text silently, and OK checks it anyway.
    edit->setText(intervalText);
    okButton->setFocus();

    connect(okButton, &QPushButton::clicked, this, &EditTimeDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &EditTimeDialog::reject);
    connect(onOffButton, &QPushButton::clicked, this, &EditTimeDialog::OnToggleOnOff);
}

void EditTimeDialog::SetTimerNumber(int number) {
    if (number >= 0 && number < kTimerCount) {
        timerCombo->setCurrentIndex(number);
    }
}

void EditTimeDialog::OnToggleOnOff() {
    on = !on;
    onOffButton->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void EditTimeDialog::accept() {
    timerNumber = timerCombo->currentIndex();
    if (taken.contains(timerNumber)) {
        Prompter::Current().ShowMessage(
            this, QStringLiteral("Timer %1 is already in the program.").arg(timerNumber),
            QStringLiteral("Each timer number can be used once. Choose another number, or "
                           "select Timer %1 and use Add Interval to give it more steps.")
                .arg(timerNumber));
        timerCombo->setFocus();
        return;
    }
    intervalText = edit->text();
    const std::string text = intervalText.toStdString();
    // The same reading as the list's interval edits: HH:MM:SS or HH:MM:SS:TT.
    hours = minutes = seconds = ticks = 0;
    if (!IsAcceptableIntervalText(text)) {
        Prompter::Current().ShowMessage(this, kInvalidIntervalMessage, kInvalidIntervalDetail);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    ScanIntervalText(text, hours, minutes, seconds, ticks);
    QDialog::accept();
}

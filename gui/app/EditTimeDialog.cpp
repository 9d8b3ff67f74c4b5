#include "gui/app/EditTimeDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "core/IntervalText.h"
#include "core/Limits.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/FocusFrame.h"
#include "gui/common/Prompter.h"
#include "gui/common/TimerTexts.h"

namespace {

// The flat ON/OFF switch: a flat button shows no sign of the focus in most styles.
class SwitchButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            PaintFocusFrame(painter, rect(), palette().color(QPalette::ButtonText));
        }
    }
};

}  // namespace

EditTimeDialog::EditTimeDialog(QWidget* parent, const QString& initialText)
    : QDialog(parent), intervalText(initialText) {
    setWindowTitle(tr("Programmable Timer - Edit Time"));
    setObjectName(QStringLiteral("editTimeDialog"));
    // The template's units in the font this dialog really shows.
    const DialogUnits du = DialogUnitsOf(this);
    setFixedSize(du.Rect(0, 0, 122, 79).size());

    // Controls top to bottom and left to right, which is also the tab order.
    auto* timerLabel = new QLabel(tr("&Timer"), this);
    timerLabel->setGeometry(du.Rect(13, 11, 21, 8));
    timerCombo = new QComboBox(this);
    timerCombo->setGeometry(du.Rect(36, 9, 31, 14));
    timerCombo->setMaxVisibleItems(5);
    timerCombo->setObjectName(QStringLiteral("timerCombo"));

    auto* intervalLabel = new QLabel(tr("Initial &Interval"), this);
    intervalLabel->setGeometry(du.Rect(14, 26, 61, 8));
    onOffButton = new SwitchButton(tr("ON"), this);
    onOffButton->setGeometry(du.Rect(25, 38, 19, 14));
    onOffButton->setFlat(true);
    onOffButton->setAutoDefault(false);
    onOffButton->setObjectName(QStringLiteral("onOffButton"));
    edit = new QLineEdit(this);
    edit->setGeometry(du.Rect(47, 38, 44, 14));
    edit->setObjectName(QStringLiteral("intervalEdit"));

    okButton = new QPushButton(tr("OK"), this);
    okButton->setGeometry(du.Rect(7, 58, 50, 14));
    okButton->setDefault(true);
    okButton->setObjectName(QStringLiteral("ok"));
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setGeometry(du.Rect(65, 58, 50, 14));
    cancelButton->setObjectName(QStringLiteral("cancel"));
    timerLabel->setBuddy(timerCombo);
    intervalLabel->setBuddy(edit);
    // A label never runs under the control beside it, whatever the font: the combo box moves
    // right when the label needs more room than the template gives it.
    const int labelEnd = timerLabel->x() + timerLabel->sizeHint().width();
    timerLabel->resize(timerLabel->sizeHint().width(), timerLabel->height());
    if (timerCombo->x() < labelEnd + du.X(2)) {
        timerCombo->move(labelEnd + du.X(2), timerCombo->y());
    }
    edit->setAccessibleName(tr("Initial interval"));
    onOffButton->setAccessibleName(tr("Initial interval is ON or OFF"));
    onOffButton->setToolTip(tr("Switches the first interval between ON and OFF"));

    setTabOrder(timerCombo, onOffButton);
    setTabOrder(onOffButton, edit);
    setTabOrder(edit, okButton);
    setTabOrder(okButton, cancelButton);
    // Enter on a focused Cancel cancels: a focused auto-default button takes the Enter key.
    cancelButton->setAutoDefault(true);

    QList<int> every;
    for (int i = 0; i < kTimerCount; ++i) {
        every.append(i);
    }
    SetFreeNumbers(every);
    // No length limit: QLineEdit would cut a longer text silently, and OK checks it anyway.
    edit->setText(intervalText);
    // Typing replaces the proposed interval at once, and Enter is OK.
    edit->setFocus();
    edit->selectAll();

    connect(okButton, &QPushButton::clicked, this, &EditTimeDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &EditTimeDialog::reject);
    connect(onOffButton, &QPushButton::clicked, this, &EditTimeDialog::OnToggleOnOff);
}

void EditTimeDialog::SetFreeNumbers(const QList<int>& numbers) {
    timerCombo->clear();
    for (int number : numbers) {
        timerCombo->addItem(QString::number(number), number);
    }
    timerCombo->setCurrentIndex(0);
}

void EditTimeDialog::OnToggleOnOff() {
    on = !on;
    onOffButton->setText(on ? tr("ON") : tr("OFF"));
}

void EditTimeDialog::accept() {
    timerNumber = timerCombo->currentData().toInt();
    // The same reading as the list's interval edits: HH:MM:SS or HH:MM:SS:TT.
    const std::optional<std::string> normal = NormalIntervalText(edit->text().toStdString());
    if (!normal) {
        Prompter::Current().ShowMessage(this, InvalidIntervalMessage(), InvalidIntervalDetail());
        edit->setFocus();
        edit->selectAll();
        return;
    }
    intervalText = QString::fromStdString(*normal);
    hours = minutes = seconds = ticks = 0;
    ScanIntervalText(*normal, hours, minutes, seconds, ticks);
    QDialog::accept();
}

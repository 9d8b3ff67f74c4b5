#include "gui/app/AddTimerDialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "core/IntervalText.h"
#include "core/Limits.h"
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

AddTimerDialog::AddTimerDialog(QWidget* parent, const QString& initialText)
    : QDialog(parent), intervalText(initialText) {
    // The desktop adds the application's name; the title names the dialog alone.
    setWindowTitle(tr("Edit Time"));
    setObjectName(QStringLiteral("editTimeDialog"));
    // Controls top to bottom and left to right, which is also the tab order. Layouts size the
    // dialog for its font and language.
    auto* timerLabel = new QLabel(tr("&Timer"), this);
    timerCombo = new QComboBox(this);
    timerCombo->setMaxVisibleItems(5);
    timerCombo->setObjectName(QStringLiteral("timerCombo"));

    auto* intervalLabel = new QLabel(tr("Initial &Interval"), this);
    onOffButton = new SwitchButton(tr("ON"), this);
    onOffButton->setFlat(true);
    onOffButton->setAutoDefault(false);
    onOffButton->setObjectName(QStringLiteral("onOffButton"));
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("intervalEdit"));
    // Room for "00:00:00:00" and a little more, in this font.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00:000")) +
                          2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
    // ON and OFF take the same room, so the field does not move when the switch flips.
    onOffButton->setMinimumWidth(std::max(onOffButton->fontMetrics().horizontalAdvance(tr("ON")),
                                          onOffButton->fontMetrics().horizontalAdvance(tr("OFF"))) +
                                 onOffButton->fontMetrics().height());

    okButton = new QPushButton(tr("OK"), this);
    okButton->setDefault(true);
    okButton->setObjectName(QStringLiteral("ok"));
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    timerLabel->setBuddy(timerCombo);
    intervalLabel->setBuddy(edit);

    auto* timerRow = new QHBoxLayout;
    timerRow->addWidget(timerLabel);
    timerRow->addWidget(timerCombo);
    timerRow->addStretch();
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(onOffButton);
    intervalRow->addWidget(edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(timerRow);
    layout->addWidget(intervalLabel);
    layout->addLayout(intervalRow);
    layout->addSpacing(layout->spacing());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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

    connect(okButton, &QPushButton::clicked, this, &AddTimerDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &AddTimerDialog::reject);
    connect(onOffButton, &QPushButton::clicked, this, &AddTimerDialog::OnToggleOnOff);
}

void AddTimerDialog::SetFreeNumbers(const QList<int>& numbers) {
    timerCombo->clear();
    for (int number : numbers) {
        timerCombo->addItem(QString::number(number), number);
    }
    timerCombo->setCurrentIndex(0);
}

void AddTimerDialog::OnToggleOnOff() {
    on = !on;
    onOffButton->setText(on ? tr("ON") : tr("OFF"));
}

void AddTimerDialog::accept() {
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

#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

// The small dialog of Add Timer: a timer number, ON or OFF, and the first interval's length.
class AddTimerDialog : public QDialog {
    Q_OBJECT

public:
    explicit AddTimerDialog(QWidget* parent = nullptr,
                            const QString& initialText = QStringLiteral("00:00:00"));

    // The numbers the combo box offers, in order; the first is proposed. All 32 until set.
    void SetFreeNumbers(const QList<int>& numbers);

    int GetTimerNumber() const { return timerNumber; }
    bool IsOn() const { return on; }
    std::uint32_t GetHours() const { return hours; }
    std::uint32_t GetMinutes() const { return minutes; }
    std::uint32_t GetSeconds() const { return seconds; }
    std::uint32_t GetTicks() const { return ticks; }

    // OK: validates the interval; an invalid one keeps the dialog open.
    void accept() override;

private:
    void OnToggleOnOff();

    QString intervalText;
    int timerNumber = 0;
    bool on = true;
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t ticks = 0;

    QPushButton* okButton;
    QPushButton* cancelButton;
    QLineEdit* edit;
    QPushButton* onOffButton;
    QComboBox* timerCombo;
};

#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "core/DeviceLimits.h"

class QLabel;
class QProgressBar;
class QWidget;
struct ProgramSummary;

// The memory gauge and the status line: how much of the device the program fills, its blocks
// and how long sending it takes, led by the count of problems the device check finds and by a
// refusal's reason. A view of the program document, shown anew once per change. Beside it the
// check line says which interval does not read and how to type it. Screen readers hear both
// lines' texts, and every change of them.
class ProgramStatus : public QObject {
    Q_OBJECT

public:
    // The gauge and its label go into gaugeParent, the status line into lineParent.
    ProgramStatus(QWidget* gaugeParent, QWidget* lineParent);

    void Show(const ProgramSummary& summary, const std::vector<DeviceProblem>& problems = {});
    // News of what a command did or why it did not (a paste, a refused box), in front of the
    // line until the program next changes.
    void ShowNotice(const QString& notice);
    // The check line's text; empty hides it.
    void ShowTypingProblem(const QString& text);

    QProgressBar* GetGauge() const { return gauge; }
    QLabel* GetGaugeLabel() const { return gaugeLabel; }
    QLabel* GetLine() const { return line; }
    QLabel* GetCheckLine() const { return checkLine; }
    // The status line's text, with ordinary spaces.
    QString GetText() const;

signals:
    // The user clicked the status line while it counts problems.
    void problemsClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateLine();
    void FitLine();

    QProgressBar* gauge;
    QLabel* gaugeLabel;
    QLabel* line;
    QLabel* checkLine;
    QString summaryText;
    QString problemsText;
    QString notice;
};

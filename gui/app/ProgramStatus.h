#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;
struct ProgramSummary;

// The memory gauge and the status line: how much of the device the program fills, its blocks
// and how long sending it takes. A view of the program document, shown anew once per change.
class ProgramStatus : public QObject {
    Q_OBJECT

public:
    // The gauge and its label go into gaugeParent, the status line into lineParent.
    ProgramStatus(QWidget* gaugeParent, QWidget* lineParent);

    void Show(const ProgramSummary& summary);
    // A message in the status line (what a paste did) until the program next changes.
    void ShowMessage(const QString& text);

    QProgressBar* GetGauge() const { return gauge; }
    QLabel* GetGaugeLabel() const { return gaugeLabel; }
    QLabel* GetLine() const { return line; }
    // The status line's text, with ordinary spaces.
    QString GetText() const;

private:
    QProgressBar* gauge;
    QLabel* gaugeLabel;
    QLabel* line;
};

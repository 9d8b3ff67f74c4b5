#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QCheckBox;
class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class TimerListCtrl;
class TimerProgram;

// The application's one window: the timer editor, the startup check box, the memory gauge and
// the commands that create, store and send a timer program.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    // Opens a timer file as the Open command does after its file dialog (the command line).
    void OpenFile(const QString& fileName);

    bool IsModified() const { return modified; }
    const QString& GetPath() const { return path; }
    TimerListCtrl* GetTimerList() const { return timerList; }

    void OnAddTimer();
    void OnAddInterval();
    void OnDelete();
    void OnProgram();
    void OnFileOpen();
    // Save and Save As return whether the program was saved.
    bool OnFileSave();
    bool OnFileSaveAs();
    // False when the user cancelled and the program was kept.
    bool OnFileClose();
    void OnExit();
    void OnAbout();

    // Enter does nothing in this window.
    void accept() override;
    // Esc and the close box: the same as Exit.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu(QMenuBar* menu);
    void RefreshGauge();
    void EnableProgramCommands(bool enable);
    // Builds the program the editor holds, with the startup flag from the check box.
    void BuildProgram(TimerProgram& program) const;
    bool SaveTo(const QString& fileName);
    // Checks the edit that has the focus, then every row; shows the message and selects the
    // row that does not read as an interval. True when every row is fine.
    bool CheckRows();
    // Asks "Save changes?" when the program is modified. False when the user cancelled, or
    // chose to save and the save did not happen.
    bool MaybeSave(bool saveAs);

    QWidget* client = nullptr;
    QPushButton* addTimerButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* programButton = nullptr;
    QPushButton* addIntervalButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QCheckBox* startupCheck = nullptr;
    QProgressBar* memoryGauge = nullptr;

    QString path;
    bool modified = false;
    TimerListCtrl* timerList = nullptr;
};

#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/EditorState.h"
#include "gui/app/EditStep.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QUndoStack;
class QSplitter;
class TimelineView;
class TimerListCtrl;
class TimerProgram;

// The application's one window: the timer editor, the startup check box, the memory gauge, a
// status line summing the program up, and the commands that create, store and send a timer
// program. It can be resized; the list takes the room.
class MainDialog : public QMainWindow, public EditorView {
    Q_OBJECT

public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    // Opens a timer file as the Open command does after its file dialog (the command line):
    // the file is read first, and only a file that loaded replaces the program, after the
    // "Save changes?" question. False when the program was kept.
    bool OpenFile(const QString& fileName);

    // The unsaved-changes mark: the history is not where it was last saved or opened.
    bool IsModified() const;
    QUndoStack* GetHistory() const { return history; }
    const QString& GetPath() const { return path; }
    TimerListCtrl* GetTimerList() const { return timerList; }

    void OnAddTimer();
    void OnAddInterval();
    void OnDelete();
    void OnInsertInterval();
    // delta -1 moves the selected row up, +1 down.
    void OnMoveRow(int delta);
    void OnDuplicateTimer();
    // The timer at index, or the selected one for -1.
    void OnChangeTimerNumber(int index = -1);
    void OnUndo();
    void OnRedo();
    void OnProgram();
    void OnFileOpen();
    // Save and Save As return whether the program was saved.
    bool OnFileSave();
    bool OnFileSaveAs();
    // False when the user cancelled and the program was kept.
    bool OnFileClose();
    void OnExit();
    void OnAbout();

    void OnHelp();
    void OnPrint();
    // Export as PDF and as CSV; each asks for a file name. True when the file was written.
    bool OnExportPdf();
    bool OnExportCsv();
    // The user's choice to show or hide the timeline under the list; remembered.
    void ShowTimeline(bool show);
    TimelineView* GetTimeline() const { return timeline; }
    // The files opened or saved last, newest first, without those that are gone.
    QStringList GetRecentFiles() const;
    // The status line's text.
    QString GetSummaryText() const;

    // Shows state in the editor and the startup box, and brings the selection into view.
    void ShowState(const EditorState& state) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Esc (not taken by a field) is Exit; the close box asks as Exit does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Until the user has chosen, the timeline shows when the window has room for it.
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenu(QMenuBar* menu);
    void BuildLayout();
    // The window's title: the file's name, or "Untitled", with the unsaved-changes mark.
    void UpdateTitle();
    // The timeline follows the editor; many changes in one go are drawn once.
    void ScheduleTimelineUpdate();
    void SetTimelineShown(bool show);
    // A file name to save or export to: asked, the suffix added, and an existing file replaced
    // only when agreed (asked for the final name, so "name" never replaces "name.tvr" unasked).
    // Empty when the user cancels.
    QString AskSaveName(const QString& filter, const QString& suffix);
    QString ReportTitle() const;
    using ExportWriter =
        std::function<bool(const EditorState& state, const QString& fileName, QString& error)>;
    // Asks for the file name and writes the editor's state with write; says why when it fails.
    bool Export(const QString& filter, const QString& suffix, const ExportWriter& write);
    void RememberFile(const QString& fileName);
    void FillRecentMenu();
    // The editor and startup box as they are now.
    EditorState Capture() const;
    // Pushes a step from before to after and shows after.
    void Perform(const QString& name, const EditorState& before, const EditorState& after);
    // Records a change the user made on the rows or the startup box as one step.
    void RecordUserChange();
    // Commits the text being typed in an interval, as leaving it would. False when it was
    // refused; the command that asked must not go on.
    bool CommitPendingEdit();
    // Commits the typing in progress, then gives the selection for a command, or a message
    // saying what to select. needRow: a row, not only a timer.
    bool GetTarget(const QString& command, bool needRow, int& index, int& row);
    // Starts a new history at the program now shown, which is the saved one.
    void ResetHistory();
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
    QLabel* memoryLabel = nullptr;
    QLabel* summaryLabel = nullptr;
    QMenu* recentMenu = nullptr;
    QSplitter* splitter = nullptr;
    TimelineView* timeline = nullptr;
    QAction* timelineAction = nullptr;
    bool timelinePending = false;
    // No choice stored: the timeline follows the room the window has.
    bool timelineAuto = true;
    // Set once the user agreed to leave, so the close that follows goes through.
    bool closing = false;

    QString path;
    TimerListCtrl* timerList = nullptr;
    QUndoStack* history = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    // The editor as the history last left it; a user's change on the rows is the difference.
    EditorState current;
    // Set while a state is being shown, when the editor's notifications are not the user's.
    bool showing = false;
};

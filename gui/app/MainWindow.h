#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

class ClipboardActions;
class EditActions;
class FileActions;
class ProgramDocument;
class ProgramStatus;
class QAction;
class QCheckBox;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QUndoStack;
class ReportActions;
class TimelineView;
class TimerListView;
struct EditorChange;

// The application's one window: the shell that builds the timer list, the startup check box,
// the memory gauge, the status line, the timeline, the buttons and the menus, and connects
// them. The program lives in its ProgramDocument; the views follow it, and the user's actions
// become its changes through the command classes (FileActions, EditActions, ReportActions).
// It can be resized; the list takes the room.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    ProgramDocument& GetDocument() const { return *document; }
    FileActions& Files() const { return *files; }
    EditActions& Edits() const { return *edits; }
    ClipboardActions& Clips() const { return *clips; }
    ReportActions& Reports() const { return *reports; }

    // Opens a timer file as the Open command does after its file dialog (the command line).
    bool OpenFile(const QString& fileName);
    bool IsModified() const;
    QUndoStack* GetHistory() const;
    const QString& GetPath() const;
    TimerListView* GetTimerList() const { return timerList; }
    TimelineView* GetTimeline() const { return timeline; }
    QStringList GetRecentFiles() const;
    // The status line's text.
    QString GetSummaryText() const;

    void OnProgram();
    // Commits the typing, asks about unsaved changes, then closes the window.
    void OnExit();
    void OnHelp();
    void OnAbout();
    // The user's choice to show or hide the timeline under the list; remembered.
    void ShowTimeline(bool show);

protected:
    // The close box asks as Exit does. Esc is no way out: it only takes typing back.
    void closeEvent(QCloseEvent* event) override;
    // Until the user has chosen, the timeline shows when the window has room for it.
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenu(QMenuBar* menu);
    void BuildLayout();
    void ConnectViews();
    // The views show the document's state where change says it differs.
    void FollowDocument(const EditorChange& change);
    // The window's title: the file's name, or "Untitled", with the unsaved-changes mark.
    void UpdateTitle();
    // The timeline follows the document; many changes in one go are drawn once.
    void ScheduleTimelineUpdate();
    void SetTimelineShown(bool show);
    // Until the user has chosen, the timeline shows when the list keeps its first height.
    void FitTimeline();

    ProgramDocument* document = nullptr;
    FileActions* files = nullptr;
    EditActions* edits = nullptr;
    ClipboardActions* clips = nullptr;
    ReportActions* reports = nullptr;
    ProgramStatus* status = nullptr;

    QWidget* client = nullptr;
    QPushButton* addTimerButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* programButton = nullptr;
    QPushButton* addIntervalButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QCheckBox* startupCheck = nullptr;
    QMenu* recentMenu = nullptr;
    QSplitter* splitter = nullptr;
    TimerListView* timerList = nullptr;
    TimelineView* timeline = nullptr;
    QAction* timelineAction = nullptr;
    bool timelinePending = false;
    // No choice stored: the timeline follows the room the window has.
    bool timelineAuto = true;
    // Set once the user agreed to leave, so the close that follows goes through.
    bool closing = false;
};

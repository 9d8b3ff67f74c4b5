#include "gui/app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include "core/DeviceLimits.h"
#include "core/ProgramSummary.h"
#include "core/TimerProgram.h"
#include "core/TransferFrame.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/ClipboardActions.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/HelpDialog.h"
#include "gui/app/HistoryActions.h"
#include "gui/app/LanguageMenu.h"
#include "gui/app/ProgramStatus.h"
#include "gui/common/LabelAccessibility.h"
#include "gui/common/Prompter.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/TimerListView.h"
#include "gui/report/ReportActions.h"
#include "gui/timeline/TimelineView.h"
#include "gui/transfer/ProgramDialog.h"

namespace {

const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kTimelineKey = QStringLiteral("view/timeline");
// Until the user chooses, the timeline shows whenever the list keeps its first height beside it.
constexpr int kTimelineRoom = 140;

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* name,
                        const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    // Enter must not press whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), document(new ProgramDocument(this)) {
    setObjectName(QStringLiteral("mainDialog"));
    InstallLabelAccessibility();
    setWindowIcon(QIcon(QStringLiteral(":/icons/timer-256.png")));
    setAcceptDrops(true);
    client = new QWidget(this);
    setCentralWidget(client);
    timerList = new TimerListView(*document, client);
    files = new FileActions(*document, this, *timerList);
    edits = new EditActions(*document, this);
    clips = new ClipboardActions(*document, this);
    reports = new ReportActions(*document, this, *timerList);

    addTimerButton = MakeButton(client, tr("&Add Timer"), "addTimer",
                                tr("Adds a timer, asking for its number and first interval"));
    addIntervalButton = MakeButton(client, tr("Add &Interval"), "addInterval",
                                   tr("Appends an OFF 00:00:00 interval to the selected timer"));
    deleteButton = MakeButton(client, tr("&Delete"), "delete",
                              tr("Deletes the selected interval, or the selected timer when only "
                                 "its caption is selected"));
    programButton = MakeButton(client, tr("&Program"), "program",
                               tr("Checks the program and sends it to the device"));
    exitButton =
        MakeButton(client, tr("E&xit"), "exit", tr("Closes the window, asking to save changes"));
    startupCheck = new QCheckBox(tr("&Run timer 0 on power up"), client);
    startupCheck->setObjectName(QStringLiteral("startupCheck"));
    startupCheck->setToolTip(tr("The device starts timer 0 by itself when it is switched on"));
    status = new ProgramStatus(client, this);
    statusBar()->addWidget(status->GetLine(), 1);
    BuildMenu(menuBar());

    timeline = new TimelineView(client);
    BuildLayout();
    ConnectViews();
    FollowDocument(WholeChange(EditorState{}, document->GetState()));
    UpdateTitle();

    QSettings settings;
    const QVariant choice = settings.value(kTimelineKey);
    timelineAuto = !choice.isValid();
    SetTimelineShown(choice.isValid() && choice.toBool());
    // The default size is the list's, without the timeline; a larger window makes room for it.
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        resize(sizeHint());
    }
}

MainWindow::~MainWindow() {
    // The document goes with the window's children and clears its history on the way; nothing
    // of the half-destroyed window may hear it.
    document->disconnect(this);
    document->GetHistory()->disconnect();
}

void MainWindow::ConnectViews() {
    // The document's changes reach every view; the user's actions become its changes.
    connect(document, &ProgramDocument::stateChanged, this, &MainWindow::FollowDocument);
    connect(document, &ProgramDocument::pathChanged, this, &MainWindow::UpdateTitle);
    connect(document, &ProgramDocument::modifiedChanged, this, &MainWindow::UpdateTitle);
    connect(edits, &EditActions::stepDone, timerList, &TimerListView::FocusSelection);
    connect(clips, &ClipboardActions::stepDone, timerList, &TimerListView::FocusSelection);
    connect(clips, &ClipboardActions::message, status, &ProgramStatus::ShowNotice);
    connect(edits, &EditActions::refused, status, &ProgramStatus::ShowNotice);
    connect(status, &ProgramStatus::problemsClicked, edits, &EditActions::OnShowProblems);
    connect(timerList, &TimerListView::unreadableChanged, this,
            [this] { status->ShowTypingProblem(timerList->DescribeUnreadableRow()); });

    connect(timerList, &TimerListView::rowTextCommitted, edits, &EditActions::OnRowTextCommitted);
    connect(timerList, &TimerListView::rowSwitched, edits, &EditActions::OnRowSwitched);
    connect(timerList, &TimerListView::blockStartClicked, edits, &EditActions::OnBlockStartClicked);
    connect(timerList, &TimerListView::captionDoubleClicked, edits,
            [this](int panel) { edits->OnChangeTimerNumber(panel); });
    // The box has checked or cleared itself; the document's state puts it right if need be.
    connect(startupCheck, &QCheckBox::clicked, edits, &EditActions::OnStartupClicked);
    connect(timeline, &TimelineView::rowClicked, this, [this](int panel, int row) {
        document->SetSelection({panel, row});
        timerList->EnsureVisible(panel, row);
    });

    connect(addTimerButton, &QPushButton::clicked, edits, &EditActions::OnAddTimer);
    connect(addIntervalButton, &QPushButton::clicked, edits, &EditActions::OnAddInterval);
    connect(deleteButton, &QPushButton::clicked, edits, &EditActions::OnDelete);
    connect(programButton, &QPushButton::clicked, this, &MainWindow::OnProgram);
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::OnExit);
}

void MainWindow::FollowDocument(const EditorChange& change) {
    const EditorState& state = document->GetState();
    if (startupCheck->isChecked() != state.startup) {
        startupCheck->setChecked(state.startup);
    }
    if (change.Program()) {
        status->Show(document->GetFacts().summary, document->GetProblems());
        const bool any = !state.panels.empty();
        programButton->setEnabled(any);
        addIntervalButton->setEnabled(any);
        deleteButton->setEnabled(any);
    }
    ScheduleTimelineUpdate();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A hidden window's layout has not run yet: the splitter's height is not the room it will
    // have. The window decides when it shows.
    if (isVisible()) {
        FitTimeline();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitTimeline();
}

void MainWindow::FitTimeline() {
    if (timelineAuto) {
        const int room = splitter->height() - splitter->handleWidth();
        SetTimelineShown(room >= timerList->sizeHint().height() + kTimelineRoom);
    }
}

void MainWindow::BuildLayout() {
    // Margins, spacing and button sizes are the style's, so they follow the font and scale.
    auto* top = new QHBoxLayout;
    top->addWidget(addTimerButton);
    top->addWidget(addIntervalButton);
    top->addWidget(deleteButton);
    top->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(programButton);
    bottom->addStretch(1);
    bottom->addWidget(exitButton);

    auto* layout = new QVBoxLayout(client);
    layout->addLayout(top);
    layout->addWidget(startupCheck);
    // The list above, the timeline below; the user moves the line between them.
    splitter = new QSplitter(Qt::Vertical, client);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(timerList);
    splitter->addWidget(timeline);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);
    layout->addWidget(status->GetCheckLine());
    layout->addWidget(status->GetGaugeLabel());
    layout->addWidget(status->GetGauge());
    layout->addLayout(bottom);

    // Top to bottom, as the window reads; the rows of the list come between the box and Program.
    setTabOrder(addTimerButton, addIntervalButton);
    setTabOrder(addIntervalButton, deleteButton);
    setTabOrder(deleteButton, startupCheck);
    setTabOrder(startupCheck, timerList);
    setTabOrder(timerList, timeline);
    setTabOrder(timeline, programButton);
    setTabOrder(programButton, exitButton);
}

void MainWindow::BuildMenu(QMenuBar* menu) {
    QMenu* file = menu->addMenu(tr("&File"));
    connect(MakeStandardAction(file, tr("&New"), "fileNew", QKeySequence::New, "Ctrl+N"),
            &QAction::triggered, files, &FileActions::OnFileNew);
    connect(MakeStandardAction(file, tr("&Open..."), "fileOpen", QKeySequence::Open, "Ctrl+O"),
            &QAction::triggered, files, &FileActions::OnFileOpen);
    recentMenu = file->addMenu(tr("Open &Recent"));
    recentMenu->menuAction()->setObjectName(QStringLiteral("fileRecent"));
    connect(recentMenu, &QMenu::aboutToShow, this, [this] { files->FillRecentMenu(recentMenu); });
    file->addSeparator();
    connect(MakeStandardAction(file, tr("&Save"), "fileSave", QKeySequence::Save, "Ctrl+S"),
            &QAction::triggered, files, &FileActions::OnFileSave);
    connect(MakeStandardAction(file, tr("Save &As..."), "fileSaveAs", QKeySequence::SaveAs,
                               "Ctrl+Shift+S"),
            &QAction::triggered, files, &FileActions::OnFileSaveAs);
    file->addSeparator();
    connect(MakeStandardAction(file, tr("&Close"), "fileClose", QKeySequence::Close, "Ctrl+W"),
            &QAction::triggered, files, &FileActions::OnFileClose);
    file->addSeparator();
    connect(MakeStandardAction(file, tr("&Print..."), "filePrint", QKeySequence::Print, "Ctrl+P"),
            &QAction::triggered, reports, &ReportActions::OnPrint);
    QAction* exportPdf = file->addAction(tr("Export as P&DF..."));
    exportPdf->setObjectName(QStringLiteral("fileExportPdf"));
    connect(exportPdf, &QAction::triggered, reports, &ReportActions::OnExportPdf);
    QAction* exportCsv = file->addAction(tr("Export as CS&V..."));
    exportCsv->setObjectName(QStringLiteral("fileExportCsv"));
    connect(exportCsv, &QAction::triggered, reports, &ReportActions::OnExportCsv);
    file->addSeparator();
    connect(MakeStandardAction(file, tr("E&xit"), "exit", QKeySequence::Quit, "Ctrl+Q"),
            &QAction::triggered, this, &MainWindow::OnExit);

    QMenu* edit = menu->addMenu(tr("&Edit"));
    AddHistoryActions(edit, *document->GetHistory(), *edits);
    edit->addSeparator();
    clips->AddActions(edit);
    edit->addSeparator();

    auto addEditAction = [this, edit](const QString& text, const char* name,
                                      const QKeySequence& key) {
        QAction* action = edit->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
        }
        return action;
    };
    connect(addEditAction(tr("Add &Timer..."), "editAddTimer", {}), &QAction::triggered, edits,
            &EditActions::OnAddTimer);
    connect(addEditAction(tr("&Add Interval"), "editAddInterval", {}), &QAction::triggered, edits,
            &EditActions::OnAddInterval);
    connect(
        addEditAction(tr("&Insert Interval"), "editInsertInterval", QKeySequence(Qt::Key_Insert)),
        &QAction::triggered, edits, &EditActions::OnInsertInterval);
    // A text field keeps Delete for its characters: it claims the key before the shortcut.
    connect(addEditAction(tr("&Delete"), "editDelete", QKeySequence(QKeySequence::Delete)),
            &QAction::triggered, edits, &EditActions::OnDelete);
    edit->addSeparator();
    connect(addEditAction(tr("&Move Up"), "editMoveUp", QKeySequence(Qt::ALT | Qt::Key_Up)),
            &QAction::triggered, this, [this] { edits->OnMoveRow(-1); });
    connect(addEditAction(tr("Move Do&wn"), "editMoveDown", QKeySequence(Qt::ALT | Qt::Key_Down)),
            &QAction::triggered, this, [this] { edits->OnMoveRow(1); });
    connect(addEditAction(tr("Mo&ve Timer Up"), "editMoveTimerUp",
                          QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up)),
            &QAction::triggered, this, [this] { edits->OnMoveTimer(-1); });
    connect(addEditAction(tr("Mov&e Timer Down"), "editMoveTimerDown",
                          QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down)),
            &QAction::triggered, this, [this] { edits->OnMoveTimer(1); });
    edit->addSeparator();
    connect(addEditAction(tr("Du&plicate Timer"), "editDuplicateTimer",
                          QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, edits, &EditActions::OnDuplicateTimer);
    connect(addEditAction(tr("Change Timer &Number..."), "editTimerNumber", {}),
            &QAction::triggered, this, [this] { edits->OnChangeTimerNumber(-1); });
    edit->addSeparator();
    edits->AddProblemActions(edit);

    QMenu* view = menu->addMenu(tr("&View"));
    timelineAction = view->addAction(tr("&Timeline"));
    timelineAction->setObjectName(QStringLiteral("viewTimeline"));
    timelineAction->setCheckable(true);
    connect(timelineAction, &QAction::triggered, this, &MainWindow::ShowTimeline);
    QAction* fit = view->addAction(tr("&Fit Timeline"));
    fit->setObjectName(QStringLiteral("viewFit"));
    connect(fit, &QAction::triggered, this, [this] {
        ShowTimeline(true);
        timeline->Fit();
    });
    view->addSeparator();
    connect(new LanguageMenu(view), &LanguageMenu::chosen, status, &ProgramStatus::ShowNotice);

    QMenu* help = menu->addMenu(tr("&Help"));
    connect(MakeStandardAction(help, tr("&How to program the device"), "help",
                               QKeySequence::HelpContents, "F1"),
            &QAction::triggered, this, &MainWindow::OnHelp);
    QMenu* examples = help->addMenu(tr("Open &Example"));
    examples->menuAction()->setObjectName(QStringLiteral("helpExamples"));
    files->AddExamplesMenu(examples);
    help->addSeparator();
    QAction* about = help->addAction(tr("&About"));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, &MainWindow::OnAbout);
}

void MainWindow::ScheduleTimelineUpdate() {
    if (timeline == nullptr || timelinePending) {
        return;
    }
    timelinePending = true;
    QTimer::singleShot(0, this, [this] {
        timelinePending = false;
        if (!timeline->isHidden()) {
            timeline->SetState(document->GetState(), document->GetProblems());
        }
    });
}

void MainWindow::ShowTimeline(bool show) {
    timelineAuto = false;
    QSettings().setValue(kTimelineKey, show);
    SetTimelineShown(show);
}

void MainWindow::SetTimelineShown(bool show) {
    timelineAction->setChecked(show);
    if (show == !timeline->isHidden()) {
        return;
    }
    timeline->setVisible(show);
    if (show) {
        timeline->SetState(document->GetState(), document->GetProblems());
    }
}

void MainWindow::OnProgram() {
    if (!timerList->CommitPendingEdits()) {
        return;
    }
    const TimerProgram program = document->GetProgram();
    // The check the status line counts: problems stop here, warnings go along to the dialog.
    QStringList problems;
    QStringList warnings;
    for (const DeviceProblem& finding : document->GetProblems()) {
        (finding.IsWarning() ? warnings : problems).append(QString::fromStdString(finding.message));
    }
    if (!problems.isEmpty()) {
        Prompter::Current().ShowMessage(this, tr("The device cannot take this program."),
                                        ShortList(problems), problems.join(u'\n'));
        return;
    }
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    ProgramDialog dialog(frame.data(), static_cast<int>(frame.size()), kZeroTimeUs, kOneTimeUs,
                         kSyncTimeUs, this);
    dialog.SetWarnings(warnings);
    dialog.exec();
}

void MainWindow::OnExit() {
    if (!files->MaybeSave(false)) {
        return;
    }
    QSettings().setValue(kGeometryKey, saveGeometry());
    closing = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing) {
        event->accept();
        return;
    }
    event->ignore();
    OnExit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!FileActions::DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString fileName = FileActions::DroppedFile(event->mimeData());
    if (fileName.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over, so a question never runs inside the drag.
    QTimer::singleShot(0, this, [this, fileName] { files->OpenFile(fileName); });
}

void MainWindow::UpdateTitle() {
    const QString& path = document->GetPath();
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    setWindowFilePath(path);
    setWindowTitle(name + QStringLiteral("[*] - ") + tr("Tavrel - Programmable Timer"));
    setWindowModified(document->IsModified());
}

bool MainWindow::OpenFile(const QString& fileName) {
    return files->OpenFile(fileName);
}

bool MainWindow::IsModified() const {
    return document->IsModified();
}

QUndoStack* MainWindow::GetHistory() const {
    return document->GetHistory();
}

const QString& MainWindow::GetPath() const {
    return document->GetPath();
}

QStringList MainWindow::GetRecentFiles() const {
    return files->GetRecentFiles();
}

QString MainWindow::GetSummaryText() const {
    return status->GetText();
}

void MainWindow::OnHelp() {
    HelpDialog help(this);
    help.exec();
}

void MainWindow::OnAbout() {
    AboutDialog about(this);
    about.SetTitle(tr("About Tavrel Programmable Timer"));
    // The maker's lines are the same in every language.
    about.SetBody(tr("Programmable Timer %1").arg(QApplication::applicationVersion()) +
                  QStringLiteral("\n\u00A9 2026 Tavrel\nwww.tavrel.example"));
    about.exec();
}

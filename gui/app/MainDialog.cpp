#include "gui/app/MainDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "core/DeviceLimits.h"
#include "core/ProgramFit.h"
#include "core/ProgramSummary.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "core/TransferFrame.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/EditTimeDialog.h"
#include "gui/app/HelpDialog.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Prompter.h"
#include "gui/common/TimerTexts.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/EditorEvents.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListCtrl.h"
#include "gui/editor/TimerPanel.h"
#include "gui/report/ProgramReport.h"
#include "gui/timeline/TimelineView.h"
#include "gui/transfer/ProgramDialog.h"
#include "res/ControlIds.h"

namespace {

const QString kTitle = QStringLiteral("Tavrel - Programmable Timer");
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kRecentKey = QStringLiteral("recentFiles");
const QString kTimelineKey = QStringLiteral("view/timeline");
// Until the user chooses, the timeline shows whenever the list keeps its first height beside it.
constexpr int kTimelineRoom = 140;
constexpr int kRecentCount = 8;
// A red that reads on light and dark themes alike, with white text on it.
const QColor kWarningColor(0xC6, 0x28, 0x28);
const QString kFileFilter = QStringLiteral("Tavrel Timer Files (*.tvr);;All Files(*.*)");
const QString kSuffix = QStringLiteral("tvr");
// Each step keeps two copies of the editor; a few hundred steps of the largest program stay
// within a few tens of megabytes.
constexpr int kHistoryLimit = 200;

QString TimerName(int number) {
    return QStringLiteral("Timer %1").arg(number);
}
QString RowName(int number, int row) {
    return QStringLiteral("Timer %1 Interval %2").arg(number).arg(row + 1);
}

QPushButton* MakeButton(QWidget* parent, const QString& text, int id, const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setProperty(ControlIds::kProperty, id);
    button->setToolTip(tip);
    // Enter must not press whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

// The platform's keys for a standard command, or the common ones where it binds none.
QAction* MakeAction(QMenu* menu, const QString& text, int id, QKeySequence::StandardKey key,
                    const char* fallback) {
    QAction* action = menu->addAction(text);
    action->setProperty(ControlIds::kProperty, id);
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) {
        keys.append(QKeySequence(QString::fromLatin1(fallback)));
    }
    action->setShortcuts(keys);
    return action;
}

}  // namespace

MainDialog::MainDialog(QWidget* parent) : QMainWindow(parent) {
    setProperty(ControlIds::kProperty, ControlIds::kMainDialog);
    setWindowIcon(QIcon(QStringLiteral(":/icons/timer-256.png")));
    setAcceptDrops(true);

    client = new QWidget(this);
    setCentralWidget(client);

    addTimerButton = MakeButton(client, QStringLiteral("&Add Timer"), ControlIds::kAddTimer,
                                QStringLiteral("Adds a timer, asking for its number and first "
                                               "interval"));
    addIntervalButton =
        MakeButton(client, QStringLiteral("Add &Interval"), ControlIds::kAddInterval,
                   QStringLiteral("Appends an OFF 00:00:00 interval to the selected timer"));
    deleteButton = MakeButton(client, QStringLiteral("&Delete"), ControlIds::kDelete,
                              QStringLiteral("Deletes the selected interval, or the selected "
                                             "timer when only its caption is selected"));
    programButton = MakeButton(client, QStringLiteral("&Program"), ControlIds::kProgram,
                               QStringLiteral("Checks the program and sends it to the device"));
    exitButton = MakeButton(client, QStringLiteral("E&xit"), ControlIds::kExit,
                            QStringLiteral("Closes the window, asking to save changes"));
    startupCheck = new QCheckBox(QStringLiteral("&Run timer 0 on power up"), client);
    startupCheck->setProperty(ControlIds::kProperty, ControlIds::kStartupCheck);
    startupCheck->setToolTip(
        QStringLiteral("The device starts timer 0 by itself when it is switched on"));
    memoryGauge = new QProgressBar(client);
    memoryGauge->setProperty(ControlIds::kProperty, ControlIds::kMemoryGauge);
    memoryGauge->setAccessibleName(QStringLiteral("Device memory used"));
    memoryLabel = new QLabel(QStringLiteral("Device &memory used"), client);
    memoryLabel->setBuddy(memoryGauge);
    summaryLabel = new QLabel(this);
    summaryLabel->setAccessibleName(QStringLiteral("Program summary"));
    // A narrow window shows the line on two lines rather than cutting it.
    summaryLabel->setWordWrap(true);
    statusBar()->addWidget(summaryLabel, 1);

    history = new QUndoStack(this);
    history->setUndoLimit(kHistoryLimit);
    connect(history, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
    BuildMenu(menuBar());

    // The list is made in pixels, 236 by 230 at first; the layout then gives it the room left.
    timerList = new TimerListCtrl(QRect(11, 50, 236, 230), client, ControlIds::kTimerList);
    timerList->setAccessibleName(QStringLiteral("Timers"));
    connect(timerList, &TimerListCtrl::captionDoubleClicked, this,
            [this](int index) { OnChangeTimerNumber(index); });
    connect(timerList, &TimerListCtrl::selectionChanged, this, &MainDialog::ScheduleTimelineUpdate);
    timeline = new TimelineView(client);
    connect(timeline, &TimelineView::rowClicked, this, [this](int panel, int row) {
        timerList->Select(panel, row);
        timerList->EnsureVisible(panel, row);
    });
    BuildLayout();

    memoryGauge->setRange(0, kDeviceMemoryBytes);
    RefreshGauge();
    EnableProgramCommands(false);
    current = Capture();
    UpdateTitle();

    connect(addTimerButton, &QPushButton::clicked, this, &MainDialog::OnAddTimer);
    connect(addIntervalButton, &QPushButton::clicked, this, &MainDialog::OnAddInterval);
    connect(deleteButton, &QPushButton::clicked, this, &MainDialog::OnDelete);
    connect(programButton, &QPushButton::clicked, this, &MainDialog::OnProgram);
    connect(exitButton, &QPushButton::clicked, this, &MainDialog::OnExit);
    // The startup flag is part of the saved file, so changing it is a step of the history.
    connect(startupCheck, &QCheckBox::clicked, this, &MainDialog::RecordUserChange);

    QSettings settings;
    const QVariant choice = settings.value(kTimelineKey);
    timelineAuto = !choice.isValid();
    SetTimelineShown(choice.isValid() && choice.toBool());
    // The default size is the list's, without the timeline; a larger window makes room for it.
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        resize(sizeHint());
    }
}

void MainDialog::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (timelineAuto) {
        const int room = splitter->height() - splitter->handleWidth();
        SetTimelineShown(room >= timerList->sizeHint().height() + kTimelineRoom);
    }
}

void MainDialog::BuildLayout() {
    // Margins and spacing in the template's units of the window's own font, so the layout
    // follows the font size and the screen's scale.
    const DialogUnits du = DialogUnitsOf(this);
    const QSize buttonSize = du.Size(50, 14);
    for (QPushButton* button :
         {addTimerButton, addIntervalButton, deleteButton, programButton, exitButton}) {
        button->setMinimumSize(buttonSize.expandedTo(button->sizeHint()));
    }

    auto* top = new QHBoxLayout;
    top->setSpacing(du.X(4));
    top->addWidget(addTimerButton);
    top->addWidget(addIntervalButton);
    top->addWidget(deleteButton);
    top->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(programButton);
    bottom->addStretch(1);
    bottom->addWidget(exitButton);

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(du.X(7), du.Y(1), du.X(7), du.Y(6));
    layout->setSpacing(du.Y(3));
    layout->addLayout(top);
    layout->addWidget(startupCheck);
    // The list above, the timeline below; the user moves the line between them.
    splitter = new QSplitter(Qt::Vertical, client);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(timerList);
    splitter->addWidget(timeline);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->installEventFilter(this);
    layout->addWidget(splitter, 1);
    layout->addSpacing(du.Y(2));
    layout->addWidget(memoryLabel);
    layout->addWidget(memoryGauge);
    layout->addSpacing(du.Y(2));
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

MainDialog::~MainDialog() {
    // The stack goes with the window's children and announces its clearing; nothing of the
    // half-destroyed window may hear it.
    history->disconnect();
}

void MainDialog::BuildMenu(QMenuBar* menu) {
    QMenu* file = menu->addMenu(QStringLiteral("&File"));
    connect(MakeAction(file, QStringLiteral("&Open..."), ControlIds::kFileOpen, QKeySequence::Open,
                       "Ctrl+O"),
            &QAction::triggered, this, &MainDialog::OnFileOpen);
    recentMenu = file->addMenu(QStringLiteral("Open &Recent"));
    recentMenu->menuAction()->setProperty(ControlIds::kProperty, ControlIds::kFileRecent);
    connect(recentMenu, &QMenu::aboutToShow, this, &MainDialog::FillRecentMenu);
    file->addSeparator();
    connect(MakeAction(file, QStringLiteral("&Save"), ControlIds::kFileSave, QKeySequence::Save,
                       "Ctrl+S"),
            &QAction::triggered, this, &MainDialog::OnFileSave);
    connect(MakeAction(file, QStringLiteral("Save &As..."), ControlIds::kFileSaveAs,
                       QKeySequence::SaveAs, "Ctrl+Shift+S"),
            &QAction::triggered, this, &MainDialog::OnFileSaveAs);
    file->addSeparator();
    connect(MakeAction(file, QStringLiteral("&Close"), ControlIds::kFileClose, QKeySequence::Close,
                       "Ctrl+W"),
            &QAction::triggered, this, &MainDialog::OnFileClose);
    file->addSeparator();
    connect(MakeAction(file, QStringLiteral("&Print..."), ControlIds::kFilePrint,
                       QKeySequence::Print, "Ctrl+P"),
            &QAction::triggered, this, &MainDialog::OnPrint);
    QAction* exportPdf = file->addAction(QStringLiteral("Export as P&DF..."));
    exportPdf->setProperty(ControlIds::kProperty, ControlIds::kFileExportPdf);
    connect(exportPdf, &QAction::triggered, this, &MainDialog::OnExportPdf);
    QAction* exportCsv = file->addAction(QStringLiteral("Export as C&SV..."));
    exportCsv->setProperty(ControlIds::kProperty, ControlIds::kFileExportCsv);
    connect(exportCsv, &QAction::triggered, this, &MainDialog::OnExportCsv);
    file->addSeparator();
    connect(
        MakeAction(file, QStringLiteral("E&xit"), ControlIds::kExit, QKeySequence::Quit, "Ctrl+Q"),
        &QAction::triggered, this, &MainDialog::OnExit);

    QMenu* edit = menu->addMenu(QStringLiteral("&Edit"));
    undoAction = MakeAction(edit, QStringLiteral("&Undo"), ControlIds::kEditUndo,
                            QKeySequence::Undo, "Ctrl+Z");
    redoAction = MakeAction(edit, QStringLiteral("&Redo"), ControlIds::kEditRedo,
                            QKeySequence::Redo, "Ctrl+Shift+Z");
    // Both common redo keys, whichever the platform prefers.
    QList<QKeySequence> redoKeys = redoAction->shortcuts();
    for (const char* key : {"Ctrl+Shift+Z", "Ctrl+Y"}) {
        if (!redoKeys.contains(QKeySequence(QString::fromLatin1(key)))) {
            redoKeys.append(QKeySequence(QString::fromLatin1(key)));
        }
    }
    redoAction->setShortcuts(redoKeys);
    connect(undoAction, &QAction::triggered, this, &MainDialog::OnUndo);
    connect(redoAction, &QAction::triggered, this, &MainDialog::OnRedo);
    auto nameAction = [](QAction* action, const QString& verb, const QString& step) {
        action->setText(step.isEmpty() ? verb : verb + u' ' + step);
    };
    // The actions are the receivers: the stack outlives them when the window is destroyed.
    connect(history, &QUndoStack::undoTextChanged, undoAction,
            [this, nameAction](const QString& step) {
                nameAction(undoAction, QStringLiteral("&Undo"), step);
            });
    connect(history, &QUndoStack::redoTextChanged, redoAction,
            [this, nameAction](const QString& step) {
                nameAction(redoAction, QStringLiteral("&Redo"), step);
            });
    connect(history, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    edit->addSeparator();

    auto addEditAction = [this, edit](const QString& text, int id, const QKeySequence& key) {
        QAction* action = edit->addAction(text);
        action->setProperty(ControlIds::kProperty, id);
        if (!key.isEmpty()) {
            action->setShortcut(key);
        }
        return action;
    };
    connect(addEditAction(QStringLiteral("Add &Timer..."), ControlIds::kEditAddTimer, {}),
            &QAction::triggered, this, &MainDialog::OnAddTimer);
    connect(addEditAction(QStringLiteral("&Add Interval"), ControlIds::kEditAddInterval, {}),
            &QAction::triggered, this, &MainDialog::OnAddInterval);
    connect(addEditAction(QStringLiteral("&Insert Interval"), ControlIds::kEditInsertInterval,
                          QKeySequence(Qt::Key_Insert)),
            &QAction::triggered, this, &MainDialog::OnInsertInterval);
    // A text field keeps Delete for its characters: it claims the key before the shortcut.
    connect(addEditAction(QStringLiteral("&Delete"), ControlIds::kEditDelete,
                          QKeySequence(QKeySequence::Delete)),
            &QAction::triggered, this, &MainDialog::OnDelete);
    edit->addSeparator();
    connect(addEditAction(QStringLiteral("Move &Up"), ControlIds::kEditMoveUp,
                          QKeySequence(Qt::ALT | Qt::Key_Up)),
            &QAction::triggered, this, [this] { OnMoveRow(-1); });
    connect(addEditAction(QStringLiteral("Move Do&wn"), ControlIds::kEditMoveDown,
                          QKeySequence(Qt::ALT | Qt::Key_Down)),
            &QAction::triggered, this, [this] { OnMoveRow(1); });
    edit->addSeparator();
    connect(addEditAction(QStringLiteral("Du&plicate Timer"), ControlIds::kEditDuplicateTimer,
                          QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, &MainDialog::OnDuplicateTimer);
    connect(
        addEditAction(QStringLiteral("Change Timer &Number..."), ControlIds::kEditTimerNumber, {}),
        &QAction::triggered, this, [this] { OnChangeTimerNumber(-1); });

    QMenu* view = menu->addMenu(QStringLiteral("&View"));
    timelineAction = view->addAction(QStringLiteral("&Timeline"));
    timelineAction->setProperty(ControlIds::kProperty, ControlIds::kViewTimeline);
    timelineAction->setCheckable(true);
    connect(timelineAction, &QAction::triggered, this, &MainDialog::ShowTimeline);
    QAction* fit = view->addAction(QStringLiteral("&Fit Timeline"));
    fit->setProperty(ControlIds::kProperty, ControlIds::kViewFit);
    connect(fit, &QAction::triggered, this, [this] {
        ShowTimeline(true);
        timeline->Fit();
    });

    QMenu* help = menu->addMenu(QStringLiteral("&Help"));
    connect(MakeAction(help, QStringLiteral("&How to program the device"), ControlIds::kHelp,
                       QKeySequence::HelpContents, "F1"),
            &QAction::triggered, this, &MainDialog::OnHelp);
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("&About"));
    about->setProperty(ControlIds::kProperty, ControlIds::kAbout);
    connect(about, &QAction::triggered, this, &MainDialog::OnAbout);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    // The list reports to its parent, the splitter it shares with the timeline; its
    // notification is ours.
    if (watched == timerList->parentWidget() && event->type() == WMU_PROGRAM_MODIFIED) {
        RecordUserChange();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainDialog::RefreshGauge() {
    TimerProgram program;
    BuildProgram(program);
    const ProgramSummary summary = SummarizeProgram(program);
    const int used = summary.bytes;
    const bool over = used > kDeviceMemoryBytes;
    // A bar ignores a value outside its range; more than the device holds shows full.
    memoryGauge->setValue(std::min(used, kDeviceMemoryBytes));
    QString text = QStringLiteral("%1 of %2 bytes").arg(used).arg(kDeviceMemoryBytes);
    if (over) {
        text += QStringLiteral(": %1 over").arg(used - kDeviceMemoryBytes);
    }
    memoryGauge->setFormat(text);
    memoryGauge->setToolTip(over ? QStringLiteral("The program needs %1 bytes more than the "
                                                  "device holds. Remove intervals or blocks.")
                                       .arg(used - kDeviceMemoryBytes)
                                 : text + QStringLiteral(" of device memory used"));
    memoryGauge->setAccessibleDescription(text);
    memoryGauge->setProperty("overLimit", over);
    QPalette colors = palette();
    if (over) {
        colors.setColor(QPalette::Highlight, kWarningColor);
        colors.setColor(QPalette::HighlightedText, Qt::white);
    }
    memoryGauge->setPalette(colors);
    // A narrow window may wrap the line, but only between its parts: "17 s" stays together.
    QStringList parts = QString::fromStdString(FormatSummaryLine(summary, kDeviceMemoryBytes))
                            .split(QStringLiteral(" \u00B7 "));
    for (QString& part : parts) {
        part.replace(u' ', QChar(0x00A0));
    }
    summaryLabel->setText(parts.join(QStringLiteral(" \u00B7 ")));
    ScheduleTimelineUpdate();
}

void MainDialog::ScheduleTimelineUpdate() {
    if (timeline == nullptr || timelinePending) {
        return;
    }
    timelinePending = true;
    QTimer::singleShot(0, this, [this] {
        timelinePending = false;
        if (!timeline->isHidden()) {
            timeline->SetState(Capture());
        }
    });
}

void MainDialog::ShowTimeline(bool show) {
    timelineAuto = false;
    QSettings().setValue(kTimelineKey, show);
    SetTimelineShown(show);
}

void MainDialog::SetTimelineShown(bool show) {
    timelineAction->setChecked(show);
    if (show == !timeline->isHidden()) {
        return;
    }
    timeline->setVisible(show);
    if (show) {
        timeline->SetState(Capture());
    }
}

QString MainDialog::ReportTitle() const {
    return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
}

QString MainDialog::AskSaveName(const QString& filter, const QString& suffix) {
    QString fileName = Prompter::Current().GetSaveFileName(this, filter, suffix);
    if (fileName.isEmpty()) {
        return {};
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".") + suffix;
    }
    if (QFileInfo::exists(fileName) &&
        !Prompter::Current().AskYesNo(
            this, QStringLiteral("%1 already exists.\nDo you want to replace it?")
                      .arg(QFileInfo(fileName).fileName()))) {
        return {};
    }
    return fileName;
}

void MainDialog::OnPrint() {
    if (!CommitPendingEdit()) {
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!PrintReport(printer, Capture(), ReportTitle(), error)) {
        Prompter::Current().ShowMessage(this, QStringLiteral("Unable to print"), error);
    }
}

bool MainDialog::Export(const QString& filter, const QString& suffix, const ExportWriter& write) {
    const QString fileName = AskSaveName(filter, suffix);
    if (fileName.isEmpty()) {
        return false;
    }
    QString error;
    if (!write(Capture(), fileName, error)) {
        Prompter::Current().ShowMessage(this, QStringLiteral("Unable to export to file"), error);
        return false;
    }
    return true;
}

bool MainDialog::OnExportPdf() {
    return CommitPendingEdit() &&
           Export(QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf"),
                  [this](const EditorState& state, const QString& fileName, QString& error) {
                      return ExportPdf(state, fileName, ReportTitle(), error);
                  });
}

bool MainDialog::OnExportCsv() {
    // The table holds numbers, so every row must read as an interval, as for Save.
    return CheckRows() &&
           Export(QStringLiteral("CSV Files (*.csv)"), QStringLiteral("csv"), &ExportCsv);
}

void MainDialog::EnableProgramCommands(bool enable) {
    programButton->setEnabled(enable);
    addIntervalButton->setEnabled(enable);
    deleteButton->setEnabled(enable);
}

void MainDialog::OnExit() {
    if (!MaybeSave(false)) {
        return;
    }
    QSettings().setValue(kGeometryKey, saveGeometry());
    closing = true;
    close();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Only an Esc nothing else took reaches the window: a field with typing takes it back first.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        OnExit();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainDialog::closeEvent(QCloseEvent* event) {
    if (closing) {
        event->accept();
        return;
    }
    event->ignore();
    OnExit();
}

namespace {

// The one local timer file among dropped things, or an empty string.
QString DroppedTimerFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedTimerFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainDialog::dropEvent(QDropEvent* event) {
    const QString fileName = DroppedTimerFile(event->mimeData());
    if (fileName.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over, so a question never runs inside the drag.
    QTimer::singleShot(0, this, [this, fileName] { OpenFile(fileName); });
}

void MainDialog::UpdateTitle() {
    const QString name = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    setWindowFilePath(path);
    setWindowTitle(name + QStringLiteral("[*] - ") + kTitle);
    setWindowModified(IsModified());
}

QStringList MainDialog::GetRecentFiles() const {
    QStringList files;
    for (const QString& file : QSettings().value(kRecentKey).toStringList()) {
        if (QFileInfo::exists(file) && !files.contains(file)) {
            files.append(file);
        }
    }
    return files.mid(0, kRecentCount);
}

void MainDialog::RememberFile(const QString& fileName) {
    QStringList files = GetRecentFiles();
    const QString full = QFileInfo(fileName).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    QSettings().setValue(kRecentKey, files.mid(0, kRecentCount));
}

void MainDialog::FillRecentMenu() {
    recentMenu->clear();
    const QStringList files = GetRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        // &1 to &8: each entry has its number as its key.
        QAction* action = recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        action->setToolTip(file);
        action->setData(file);
        connect(action, &QAction::triggered, this, [this, file] { OpenFile(file); });
    }
    if (files.isEmpty()) {
        recentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
    }
    // Gone files are dropped from the stored list too.
    QSettings().setValue(kRecentKey, files);
}

QString MainDialog::GetSummaryText() const {
    return summaryLabel->text().replace(QChar(0x00A0), u' ');
}

EditorState MainDialog::Capture() const {
    EditorState state = timerList->GetState();
    state.startup = startupCheck->isChecked();
    return state;
}

bool MainDialog::IsModified() const {
    return !history->isClean();
}

void MainDialog::ShowState(const EditorState& state) {
    showing = true;
    QWidget* focus = QApplication::focusWidget();
    const bool focusInList = focus == nullptr || timerList->isAncestorOf(focus);
    timerList->SetState(state);
    startupCheck->setChecked(state.startup);
    current = state;
    RefreshGauge();
    EnableProgramCommands(timerList->GetPanelCount() > 0);
    timerList->EnsureVisible(state.selection.panel, state.selection.row);
    // Keyboard work on the rows goes on at the row the step left selected.
    if (focusInList || QApplication::focusWidget() == nullptr) {
        if (TimerPanel* panel = timerList->GetPanel(state.selection.panel)) {
            QWidget* target = panel->GetLabel(state.selection.row);
            if (target == nullptr) {
                target = panel->GetCaption();
            }
            target->setFocus(Qt::OtherFocusReason);
        } else {
            timerList->setFocus(Qt::OtherFocusReason);
        }
    }
    showing = false;
}

void MainDialog::Perform(const QString& name, const EditorState& before, const EditorState& after) {
    history->push(new EditStep(*this, name, before, after, false));
}

void MainDialog::RecordUserChange() {
    if (showing) {
        return;
    }
    EditorState now = Capture();
    if (!now.SameProgram(current)) {
        // Undo goes back to the row the user changed, not where the selection was before.
        EditorState before = current;
        before.selection = now.selection;
        const QString name = QString::fromStdString(DescribeChange(before, now));
        history->push(new EditStep(*this, name, std::move(before), now, true));
    }
    current = std::move(now);
    RefreshGauge();
}

bool MainDialog::CommitPendingEdit() {
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    return edit == nullptr || edit->CommitPendingChange();
}

bool MainDialog::GetTarget(const QString& command, bool needRow, int& index, int& row) {
    if (!CommitPendingEdit()) {
        return false;
    }
    timerList->GetSelection(index, row);
    if (index != -1 && (row != -1 || !needRow)) {
        return true;
    }
    const QString what = needRow ? QStringLiteral("an interval") : QStringLiteral("a timer");
    Prompter::Current().ShowMessage(
        this, QStringLiteral("%1 needs %2 to work on.").arg(command, what),
        needRow ? QStringLiteral("Click an interval's ON/OFF label to select it, then choose "
                                 "%1 again.")
                      .arg(command)
                : QStringLiteral("Click a timer's caption or one of its intervals, then choose "
                                 "%1 again.")
                      .arg(command));
    return false;
}

void MainDialog::ResetHistory() {
    history->clear();
    history->setClean();
    current = Capture();
    UpdateTitle();
}

void MainDialog::OnUndo() {
    // Typing not yet committed is the newest change: undo takes it back first.
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    if (edit != nullptr && edit->HasPendingChange()) {
        edit->RevertPendingChange();
        return;
    }
    history->undo();
}

void MainDialog::OnRedo() {
    if (CommitPendingEdit()) {
        history->redo();
    }
}

namespace {

void ShowTimersFull(QWidget* parent) {
    Prompter::Current().ShowMessage(
        parent, QStringLiteral("The program already has %1 timers.").arg(kEditorMaxTimers),
        QStringLiteral("That is the most the editor holds. Delete a timer before adding "
                       "another one."));
}

void ShowRowsFull(QWidget* parent, int timerNumber, int bytesUsed) {
    // Another timer only helps while the device has memory left for it.
    const QString detail =
        bytesUsed < kDeviceMemoryBytes
            ? QStringLiteral("That is the most one timer holds. Add another timer for more steps.")
            : QStringLiteral(
                  "That is the most one timer holds, and the program already needs "
                  "%1 of the device's %2 bytes, so there is no room for more steps.")
                  .arg(bytesUsed)
                  .arg(kDeviceMemoryBytes);
    Prompter::Current().ShowMessage(
        parent,
        QStringLiteral("Timer %1 already has %2 intervals.").arg(timerNumber).arg(kEditorMaxRows),
        detail);
}

}  // namespace

void MainDialog::OnAddTimer() {
    if (!CommitPendingEdit()) {
        return;
    }
    if (timerList->GetPanelCount() >= kEditorMaxTimers) {
        ShowTimersFull(this);
        return;
    }
    const EditorState before = Capture();
    EditTimeDialog dialog(this);
    QList<int> taken;
    for (const PanelState& panel : before.panels) {
        taken.append(panel.timerNumber);
    }
    dialog.SetTakenNumbers(taken);
    dialog.SetTimerNumber(std::max(0, LowestFreeTimerNumber(before)));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    EditorState after = before;
    AddTimer(after, dialog.GetTimerNumber(), dialog.IsOn(),
             FormatIntervalTime(dialog.GetHours(), dialog.GetMinutes(), dialog.GetSeconds(),
                                dialog.GetTicks()));
    Perform(QStringLiteral("Add ") + TimerName(dialog.GetTimerNumber()), before, after);
}

void MainDialog::OnAddInterval() {
    int index = -1;
    int row = -1;
    if (!GetTarget(QStringLiteral("Add Interval"), false, index, row)) {
        return;
    }
    const EditorState before = Capture();
    EditorState after = before;
    if (!AppendRow(after, index)) {
        ShowRowsFull(this, timerList->GetTimerNumber(index), MemoryBytes(before));
        return;
    }
    Perform(QStringLiteral("Add Interval to ") + TimerName(timerList->GetTimerNumber(index)),
            before, after);
}

void MainDialog::OnInsertInterval() {
    int index = -1;
    int row = -1;
    if (!GetTarget(QStringLiteral("Insert Interval"), true, index, row)) {
        return;
    }
    const EditorState before = Capture();
    EditorState after = before;
    if (!InsertRowBelow(after, index, row)) {
        ShowRowsFull(this, timerList->GetTimerNumber(index), MemoryBytes(before));
        return;
    }
    Perform(QStringLiteral("Insert ") + RowName(timerList->GetTimerNumber(index), row + 1), before,
            after);
}

void MainDialog::OnDelete() {
    int index = -1;
    int row = -1;
    if (!GetTarget(QStringLiteral("Delete"), false, index, row)) {
        return;
    }
    const EditorState before = Capture();
    EditorState after = before;
    const int number = timerList->GetTimerNumber(index);
    // A timer's only interval goes with its timer: a timer without intervals cannot be sent.
    if (row == -1 || timerList->GetRowCount(index) < 2) {
        DeleteTimer(after, index);
        Perform(QStringLiteral("Delete ") + TimerName(number), before, after);
    } else {
        DeleteRow(after, index, row);
        Perform(QStringLiteral("Delete ") + RowName(number, row), before, after);
    }
}

void MainDialog::OnMoveRow(int delta) {
    const QString command = delta < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down");
    int index = -1;
    int row = -1;
    if (!GetTarget(command, true, index, row)) {
        return;
    }
    const EditorState before = Capture();
    EditorState after = before;
    const int number = timerList->GetTimerNumber(index);
    if (!MoveRow(after, index, row, delta)) {
        Prompter::Current().ShowMessage(
            this,
            QStringLiteral("Interval %1 is already the %2 of Timer %3.")
                .arg(row + 1)
                .arg(delta < 0 ? QStringLiteral("first") : QStringLiteral("last"))
                .arg(number),
            QStringLiteral("Intervals move within their timer. To move steps to another timer, "
                           "add them there."));
        return;
    }
    Perform(command + u' ' + RowName(number, row), before, after);
}

void MainDialog::OnDuplicateTimer() {
    int index = -1;
    int row = -1;
    if (!GetTarget(QStringLiteral("Duplicate Timer"), false, index, row)) {
        return;
    }
    if (timerList->GetPanelCount() >= kEditorMaxTimers) {
        ShowTimersFull(this);
        return;
    }
    const EditorState before = Capture();
    const int number = LowestFreeTimerNumber(before);
    if (number == -1) {
        Prompter::Current().ShowMessage(
            this, QStringLiteral("Every timer number from 0 to 31 is in use."),
            QStringLiteral("Delete a timer or change its number before duplicating one."));
        return;
    }
    EditorState after = before;
    DuplicateTimer(after, index, number);
    Perform(QStringLiteral("Duplicate %1 as %2")
                .arg(TimerName(timerList->GetTimerNumber(index)))
                .arg(number),
            before, after);
}

void MainDialog::OnChangeTimerNumber(int index) {
    if (!CommitPendingEdit()) {
        return;
    }
    int row = -1;
    if (index == -1 && !GetTarget(QStringLiteral("Change Timer Number"), false, index, row)) {
        return;
    }
    const EditorState before = Capture();
    const int number = timerList->GetTimerNumber(index);
    const std::vector<int> free = FreeTimerNumbers(before);
    if (free.empty()) {
        Prompter::Current().ShowMessage(
            this, QStringLiteral("Every timer number from 0 to 31 is in use."),
            QStringLiteral("Delete a timer first to free its number."));
        return;
    }
    QList<int> choices(free.begin(), free.end());
    const int chosen = Prompter::Current().AskTimerNumber(
        this, QStringLiteral("New number for Timer %1:").arg(number), choices, choices.front());
    if (chosen < 0 || chosen == number) {
        return;
    }
    if (!choices.contains(chosen)) {
        Prompter::Current().ShowMessage(
            this, QStringLiteral("Timer %1 is already in the program.").arg(chosen),
            QStringLiteral("Each timer number can be used once. Choose a free number."));
        return;
    }
    EditorState after = before;
    RenumberTimer(after, index, chosen);
    Perform(QStringLiteral("Renumber %1 as %2").arg(TimerName(number)).arg(chosen), before, after);
}

void MainDialog::BuildProgram(TimerProgram& program) const {
    timerList->BuildProgram(program);
    if (startupCheck->isChecked()) {
        program.SetStartup(true);
    }
}

bool MainDialog::CheckRows() {
    // A command reached by a shortcut leaves the focus in the edit being typed in; check it as
    // if it had lost the focus. A text the user has not changed since it got the focus (a
    // value from a file) is not refused.
    if (!CommitPendingEdit()) {
        return false;
    }
    int index = -1;
    int row = -1;
    if (timerList->FindUnreadableRow(index, row)) {
        timerList->Select(index, row);
        Prompter::Current().ShowMessage(this, kInvalidIntervalMessage, kInvalidIntervalDetail);
        return false;
    }
    return true;
}

void MainDialog::OnProgram() {
    if (!CheckRows()) {
        return;
    }
    TimerProgram program;
    BuildProgram(program);
    const std::vector<DeviceProblem> problems = CheckDeviceLimits(program);
    if (!problems.empty()) {
        QStringList lines;
        for (const DeviceProblem& problem : problems) {
            lines.append(QString::fromStdString(problem.message));
        }
        Prompter::Current().ShowMessage(
            this, QStringLiteral("The device cannot take this program."), lines.join(u'\n'));
        return;
    }
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    ProgramDialog dialog(frame.data(), static_cast<int>(frame.size()), kZeroTimeUs, kOneTimeUs,
                         kSyncTimeUs, this);
    dialog.exec();
}

bool MainDialog::SaveTo(const QString& fileName) {
    TimerProgram program;
    BuildProgram(program);
    const SaveResult result = WriteTimerFile(fileName.toStdString(), program);
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(this, QStringLiteral("Unable to save to file"),
                                        QString::fromStdString(result.Message()));
        return false;
    }
    history->setClean();
    return true;
}

bool MainDialog::OnFileSave() {
    if (path.isEmpty()) {
        return OnFileSaveAs();
    }
    return CheckRows() && SaveTo(path);
}

bool MainDialog::OnFileSaveAs() {
    if (!CheckRows()) {
        return false;
    }
    const QString fileName = AskSaveName(kFileFilter, kSuffix);
    if (fileName.isEmpty()) {
        return false;
    }
    // The program keeps its old file name until a save under the new one has worked.
    if (!SaveTo(fileName)) {
        return false;
    }
    path = fileName;
    RememberFile(fileName);
    UpdateTitle();
    return true;
}

bool MainDialog::MaybeSave(bool saveAs) {
    if (!IsModified()) {
        return true;
    }
    if (timerList->GetPanelCount() == 0) {
        // Saving cannot succeed, so the only real choices are these two.
        return Prompter::Current().AskDiscard(
            this, QStringLiteral("The program is empty and cannot be saved."),
            QStringLiteral("Every timer was deleted. Discard the change and go on, or cancel "
                           "and use Undo to get the timers back."));
    }
    switch (Prompter::Current().AskYesNoCancel(this, QStringLiteral("Save changes?"))) {
        case Prompter::Answer::Yes:
            return saveAs ? OnFileSaveAs() : OnFileSave();
        case Prompter::Answer::No:
            return true;
        default:
            return false;
    }
}

bool MainDialog::OnFileClose() {
    if (!MaybeSave(true)) {
        return false;
    }
    showing = true;
    timerList->RemoveAllPanels();
    timerList->LayoutPanels();
    timerList->UpdateScrollInfo();
    startupCheck->setChecked(false);
    showing = false;
    RefreshGauge();
    EnableProgramCommands(false);
    // A closed program has no file: a later Save must ask where to, not overwrite this one.
    path.clear();
    ResetHistory();
    return true;
}

void MainDialog::OnFileOpen() {
    const QString fileName = Prompter::Current().GetOpenFileName(this, kFileFilter);
    if (fileName.isEmpty()) {
        return;
    }
    OpenFile(fileName);
}

bool MainDialog::OpenFile(const QString& fileName) {
    TimerProgram program;
    const LoadResult result = ReadTimerFile(fileName.toStdString(), program);
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(this, QStringLiteral("Unable to open file"),
                                        QString::fromStdString(result.Message()));
        return false;
    }
    // Asked only now, with a program ready to take the place of this one.
    if (!MaybeSave(true)) {
        return false;
    }
    showing = true;
    timerList->RemoveAllPanels();
    // Only a file that loaded becomes the program's file, so a later Save never overwrites
    // a file that could not be read.
    path = fileName;
    startupCheck->setChecked(program.GetStartup());
    QStringList leftOut;
    for (const std::string& line :
         DescribeWhatDoesNotFit(program, TimerListCtrl::kMaxPanels, TimerPanel::kMaxRows)) {
        leftOut.append(QString::fromStdString(line));
    }
    timerList->LoadProgram(program);
    showing = false;
    RefreshGauge();
    EnableProgramCommands(timerList->GetPanelCount() > 0);
    ResetHistory();
    RememberFile(fileName);
    const std::string name = QFileInfo(fileName).fileName().toStdString();
    if (result.skippedCount > 0) {
        Prompter::Current().ShowMessage(
            this,
            QStringLiteral("%1 was opened, but not every line of it could be read.")
                .arg(QString::fromStdString(name)),
            QString::fromStdString(FormatSkippedLines(result, name)));
    }
    if (!leftOut.isEmpty()) {
        Prompter::Current().ShowMessage(
            this, QStringLiteral("Part of the program could not be shown."),
            QStringLiteral("The editor holds %1 timers of up to %2 intervals each. Left out:\n")
                    .arg(TimerListCtrl::kMaxPanels)
                    .arg(TimerPanel::kMaxRows) +
                leftOut.join(u'\n') +
                QStringLiteral(
                    "\nThe file itself is unchanged; saving writes only what is shown."));
    }
    return true;
}

void MainDialog::OnHelp() {
    HelpDialog help(this);
    help.exec();
}

void MainDialog::OnAbout() {
    AboutDialog about(this);
    about.SetTitle(QStringLiteral("About Tavrel Programmable Timer"));
    about.SetBody(QStringLiteral("Programmable Timer %1\n"
                                 "\u00A9 2026 Tavrel\n"
                                 "www.tavrel.example")
                      .arg(QApplication::applicationVersion()));
    about.exec();
}

#include "MainDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "ControlIds.h"
#include "DeviceLimits.h"
#include "DialogUnits.h"
#include "EditTimeDialog.h"
#include "EditorEvents.h"
#include "IntervalEdit.h"
#include "ProgramDialog.h"
#include "ProgramFit.h"
#include "Prompter.h"
#include "TimerFile.h"
#include "TimerListCtrl.h"
#include "TimerPanel.h"
#include "TimerProgram.h"
#include "TimerTexts.h"
#include "TransferFrame.h"

namespace {

const QString kTitle = QStringLiteral("Tavrel - Programmable Timer");
const QString kFileFilter = QStringLiteral("Tavrel Timer Files (*.tvr);;All Files(*.*)");
const QString kSuffix = QStringLiteral("tvr");

QPushButton* MakeButton(QWidget* parent, const QString& text, int id, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(rect);
    button->setProperty(ControlIds::kProperty, id);
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

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kTitle);
    setProperty(ControlIds::kProperty, ControlIds::kMainDialog);
    setWindowIcon(QIcon(QStringLiteral(":/icons/timer-256.png")));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menu = new QMenuBar(this);
    layout->setMenuBar(menu);
    client = new QWidget(this);
    client->installEventFilter(this);
    client->setFixedSize(DluRect(0, 0, 172, 220).size());
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Controls in template order, which is also the tab order.
    addTimerButton = MakeButton(client, QStringLiteral("Add Timer"), ControlIds::kAddTimer,
                                DluRect(7, 1, 50, 14));
    exitButton =
        MakeButton(client, QStringLiteral("Exit"), ControlIds::kExit, DluRect(115, 202, 50, 14));
    programButton = MakeButton(client, QStringLiteral("Program"), ControlIds::kProgram,
                               DluRect(7, 202, 50, 14));
    addIntervalButton = MakeButton(client, QStringLiteral("Add Interval"), ControlIds::kAddInterval,
                                   DluRect(61, 1, 50, 14));
    deleteButton =
        MakeButton(client, QStringLiteral("Delete"), ControlIds::kDelete, DluRect(115, 1, 50, 14));
    startupCheck = new QCheckBox(QStringLiteral("Run timer 0 on power up"), client);
    startupCheck->setGeometry(DluRect(7, 19, 148, 9));
    startupCheck->setProperty(ControlIds::kProperty, ControlIds::kStartupCheck);
    memoryGauge = new QProgressBar(client);
    memoryGauge->setGeometry(DluRect(7, 186, 158, 10));
    memoryGauge->setProperty(ControlIds::kProperty, ControlIds::kMemoryGauge);
    memoryGauge->setTextVisible(false);
    auto* memoryLabel = new QLabel(QStringLiteral("Memory Available"), client);
    memoryLabel->setGeometry(DluRect(7, 176, 130, 8));
    memoryLabel->setBuddy(memoryGauge);

    setTabOrder(addTimerButton, exitButton);
    setTabOrder(exitButton, programButton);
    setTabOrder(programButton, addIntervalButton);
    setTabOrder(addIntervalButton, deleteButton);
    setTabOrder(deleteButton, startupCheck);

    BuildMenu(menu);

    // OnInitDialog.
    timerList = new TimerListCtrl(QRect(11, 50, 236, 230), client, ControlIds::kTimerList);
    memoryGauge->setRange(0, kDeviceMemoryBytes);
    RefreshGauge();
    EnableProgramCommands(false);

    connect(addTimerButton, &QPushButton::clicked, this, &MainDialog::OnAddTimer);
    connect(addIntervalButton, &QPushButton::clicked, this, &MainDialog::OnAddInterval);
    connect(deleteButton, &QPushButton::clicked, this, &MainDialog::OnDelete);
    connect(programButton, &QPushButton::clicked, this, &MainDialog::OnProgram);
    connect(exitButton, &QPushButton::clicked, this, &MainDialog::OnExit);
    // The startup flag is part of the saved file, so changing it is an unsaved change.
    connect(startupCheck, &QCheckBox::clicked, this, [this] { modified = true; });
}

MainDialog::~MainDialog() = default;

void MainDialog::BuildMenu(QMenuBar* menu) {
    QMenu* file = menu->addMenu(QStringLiteral("&File"));
    connect(MakeAction(file, QStringLiteral("&Open..."), ControlIds::kFileOpen, QKeySequence::Open,
                       "Ctrl+O"),
            &QAction::triggered, this, &MainDialog::OnFileOpen);
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
    connect(
        MakeAction(file, QStringLiteral("E&xit"), ControlIds::kExit, QKeySequence::Quit, "Ctrl+Q"),
        &QAction::triggered, this, &MainDialog::OnExit);
    QAction* about = menu->addAction(QStringLiteral("&About"));
    about->setProperty(ControlIds::kProperty, ControlIds::kAbout);
    connect(about, &QAction::triggered, this, &MainDialog::OnAbout);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    // The list's parent is the client area under the menu bar; its notification is ours.
    if (watched == client && event->type() == WMU_PROGRAM_MODIFIED) {
        modified = true;
        RefreshGauge();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::RefreshGauge() {
    const int used = timerList->GetMemoryUsed();
    // A bar ignores a value outside its range; more than the device holds shows full.
    memoryGauge->setValue(std::min(used, kDeviceMemoryBytes));
    memoryGauge->setToolTip(
        QStringLiteral("%1 of %2 bytes of device memory used").arg(used).arg(kDeviceMemoryBytes));
}

void MainDialog::EnableProgramCommands(bool enable) {
    programButton->setEnabled(enable);
    addIntervalButton->setEnabled(enable);
    deleteButton->setEnabled(enable);
}

void MainDialog::accept() {}

void MainDialog::reject() {
    OnExit();
}

void MainDialog::OnExit() {
    if (!MaybeSave(false)) {
        return;
    }
    done(0);
}

void MainDialog::OnAddTimer() {
    if (timerList->GetPanelCount() >= TimerListCtrl::kMaxPanels) {
        Prompter::Current().ShowMessage(
            this,
            QStringLiteral("The program already has %1 timers.").arg(TimerListCtrl::kMaxPanels),
            QStringLiteral("That is the most the editor holds. Delete a timer before adding "
                           "another one."));
        return;
    }
    EditTimeDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int index = timerList->AddPanel(dialog.GetTimerNumber());
    timerList->AddRow(index, dialog.IsOn(), dialog.GetHours(), dialog.GetMinutes(),
                      dialog.GetSeconds(), 0, false);
    timerList->LayoutPanels();
    timerList->UpdateScrollInfo();
    timerList->Select(index, -1);
    RefreshGauge();
    EnableProgramCommands(true);
    modified = true;
}

void MainDialog::OnAddInterval() {
    const int index = timerList->GetActivePanel();
    if (index == -1) {
        return;
    }
    if (timerList->GetRowCount(index) >= TimerPanel::kMaxRows) {
        Prompter::Current().ShowMessage(
            this,
            QStringLiteral("Timer %1 already has %2 intervals.")
                .arg(timerList->GetTimerNumber(index))
                .arg(TimerPanel::kMaxRows),
            QStringLiteral("That is the most one timer holds. Add another timer for more steps."));
        return;
    }
    const int row = timerList->AddRow(index, false, 0, 0, 0, 0, false);
    timerList->Select(index, row);
    timerList->LayoutPanels();
    timerList->UpdateScrollInfo();
    RefreshGauge();
    modified = true;
}

void MainDialog::OnDelete() {
    int index = -1;
    int row = -1;
    timerList->GetSelection(index, row);
    if (index == -1) {
        return;
    }
    if (row == -1 || timerList->GetRowCount(index) < 2) {
        timerList->DeletePanel(index);
    } else {
        timerList->DeleteRow(index, row);
    }
    if (timerList->GetPanelCount() == 0) {
        EnableProgramCommands(false);
    }
    RefreshGauge();
    modified = true;
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
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    if (edit != nullptr && edit->text() != edit->GetSavedText() && !edit->CheckText()) {
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
    modified = false;
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
    QString fileName = Prompter::Current().GetSaveFileName(this, kFileFilter, kSuffix);
    if (fileName.isEmpty()) {
        return false;
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".") + kSuffix;
    }
    // Asked here, for the final name, so "name" never replaces an existing "name.tvr" unasked.
    if (QFileInfo::exists(fileName) &&
        !Prompter::Current().AskYesNo(
            this, QStringLiteral("%1 already exists.\nDo you want to replace it?")
                      .arg(QFileInfo(fileName).fileName()))) {
        return false;
    }
    // The program keeps its old file name until a save under the new one has worked.
    if (!SaveTo(fileName)) {
        return false;
    }
    path = fileName;
    return true;
}

bool MainDialog::MaybeSave(bool saveAs) {
    if (!modified) {
        return true;
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
    timerList->RemoveAllPanels();
    timerList->LayoutPanels();
    timerList->UpdateScrollInfo();
    RefreshGauge();
    startupCheck->setChecked(false);
    EnableProgramCommands(false);
    modified = false;
    // A closed program has no file: a later Save must ask where to, not overwrite this one.
    path.clear();
    return true;
}

void MainDialog::OnFileOpen() {
    if ((timerList->GetPanelCount() > 0 || modified) && !OnFileClose()) {
        return;
    }
    const QString fileName = Prompter::Current().GetOpenFileName(this, kFileFilter);
    if (fileName.isEmpty()) {
        return;
    }
    OpenFile(fileName);
}

void MainDialog::OpenFile(const QString& fileName) {
    TimerProgram program;
    const LoadResult result = ReadTimerFile(fileName.toStdString(), program);
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(this, QStringLiteral("Unable to open file"),
                                        QString::fromStdString(result.Message()));
        return;
    }
    // Only a file that loaded becomes the program's file, so a later Save never overwrites
    // a file that could not be read.
    path = fileName;
    modified = false;
    startupCheck->setChecked(program.GetStartup());
    QStringList leftOut;
    for (const std::string& line :
         DescribeWhatDoesNotFit(program, TimerListCtrl::kMaxPanels, TimerPanel::kMaxRows)) {
        leftOut.append(QString::fromStdString(line));
    }
    timerList->LoadProgram(program);
    RefreshGauge();
    EnableProgramCommands(timerList->GetPanelCount() > 0);
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

#include "gui/common/Prompter.h"

#include <QFileInfo>

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

Prompter*& CurrentSlot() {
    static QtPrompter real;
    static Prompter* current = &real;
    return current;
}

QString BoxTitle() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Programmable Timer") : name;
}

// A question about writing over a file: write over it (Replace), Save As (the default, which
// loses nothing) or Cancel.
Prompter::Answer AskWriteOver(QWidget* parent, const QString& text, const QString& detail,
                              const QString& writeOver, const QString& saveAsText) {
    QMessageBox box(QMessageBox::Warning, BoxTitle(), text, QMessageBox::NoButton, parent);
    box.setInformativeText(detail);
    QPushButton* replace = box.addButton(writeOver, QMessageBox::AcceptRole);
    QPushButton* saveAs = box.addButton(saveAsText, QMessageBox::ActionRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(saveAs);
    box.exec();
    if (box.clickedButton() == replace) {
        return Prompter::Answer::Replace;
    }
    return box.clickedButton() == saveAs ? Prompter::Answer::SaveAs : Prompter::Answer::Cancel;
}

}  // namespace

Prompter& Prompter::Current() {
    return *CurrentSlot();
}

Prompter::Override::Override(Prompter& prompter) : previous(CurrentSlot()) {
    CurrentSlot() = &prompter;
}

Prompter::Override::~Override() {
    CurrentSlot() = previous;
}

void QtPrompter::ShowMessage(QWidget* parent, const QString& text, const QString& detail,
                             const QString& fullList) {
    QMessageBox box(QMessageBox::Warning, BoxTitle(), text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    // The details area scrolls, so a list of any length keeps the box on the screen.
    box.setDetailedText(fullList);
    box.exec();
}

Prompter::Answer QtPrompter::AskSaveChanges(QWidget* parent, const QString& text) {
    // Buttons that say what they do: Save, Don't Save, Cancel in the desktop's words.
    QMessageBox box(QMessageBox::Question, BoxTitle(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Answer::Yes;
        case QMessageBox::Discard:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

bool QtPrompter::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, BoxTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompter::AskDiscard(QWidget* parent, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, BoxTitle(), text,
                    QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(detail);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Discard;
}

int QtPrompter::AskTimerNumber(QWidget* parent, const QString& text, const QList<int>& choices,
                               int current) {
    QStringList items;
    for (int number : choices) {
        items.append(QString::number(number));
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, QCoreApplication::translate("Prompter", "Change Timer Number"), text, items,
        std::max<qsizetype>(0, choices.indexOf(current)), false, &ok);
    return ok && !chosen.isEmpty() ? chosen.toInt() : -1;
}

QString QtPrompter::GetOpenFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("Prompter", "Open"),
                                        QString(), filter);
}

QString QtPrompter::GetSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    if (!startPath.isEmpty()) {
        const QFileInfo start(startPath);
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // Native dialogs would ask about the name as typed, before the suffix is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

Prompter::Answer QtPrompter::AskReplaceChanged(QWidget* parent, const QString& text) {
    return AskWriteOver(parent, text,
                        QCoreApplication::translate(
                            "Prompter",
                            "Replace it writes this program over the other change. Save As keeps "
                            "both: this program goes to another file."),
                        QCoreApplication::translate("Prompter", "&Replace it"),
                        QCoreApplication::translate("Prompter", "&Save As\u2026"));
}

Prompter::Answer QtPrompter::AskSaveLosing(QWidget* parent, const QString& text,
                                           const QString& detail) {
    return AskWriteOver(parent, text, detail, QCoreApplication::translate("Prompter", "&Save"),
                        QCoreApplication::translate("Prompter", "Save &As\u2026"));
}

QString ShortList(const QStringList& items) {
    if (items.size() <= kBoxListItems) {
        return items.join(u'\n');
    }
    const auto more = static_cast<int>(items.size()) - kBoxListItems;
    return items.mid(0, kBoxListItems).join(u'\n') + u'\n' +
           QCoreApplication::translate("Prompter", "and %n more", nullptr, more);
}

QString AskSaveName(QWidget* parent, const QString& filter, const QString& suffix,
                    const QString& title, const QString& startPath) {
    const QString shownTitle =
        title.isEmpty() ? QCoreApplication::translate("Prompter", "Save As") : title;
    QString fileName =
        Prompter::Current().GetSaveFileName(parent, shownTitle, startPath, filter, suffix);
    if (fileName.isEmpty()) {
        return {};
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".") + suffix;
    }
    if (QFileInfo::exists(fileName) &&
        !Prompter::Current().AskYesNo(
            parent, QCoreApplication::translate("Prompter",
                                                "%1 already exists.\nDo you want to replace it?")
                        .arg(QFileInfo(fileName).fileName()))) {
        return {};
    }
    return fileName;
}

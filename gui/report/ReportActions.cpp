#include "gui/report/ReportActions.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "gui/common/Prompter.h"
#include "gui/document/PendingEdits.h"
#include "gui/document/ProgramDocument.h"
#include "gui/report/ProgramReport.h"

ReportActions::ReportActions(ProgramDocument& document, QWidget* window, PendingEdits& pending)
    : QObject(window), document(document), window(window), pending(pending) {}

QString ReportActions::Title() const {
    return document.GetPath().isEmpty() ? tr("Untitled") : QFileInfo(document.GetPath()).fileName();
}

void ReportActions::OnPrint() {
    if (!pending.CommitPendingEdits()) {
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!PrintReport(printer, document.GetState(),
                     {Title(), {}, document.IsModified(), document.GetFacts()}, error)) {
        Prompter::Current().ShowMessage(window, tr("Unable to print"), error);
    }
}

bool ReportActions::Export(const QString& title, const QString& filter, const QString& suffix,
                           const Writer& write) {
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    // Beside the program's file, named after it; an untitled program in the working folder.
    const QFileInfo program(document.GetPath());
    const QString baseName =
        document.GetPath().isEmpty() ? tr("Untitled") : program.completeBaseName();
    const QString start =
        (document.GetPath().isEmpty() ? QString() : program.absolutePath() + u'/') + baseName +
        u'.' + suffix;
    const QString fileName = AskSaveName(window, filter, suffix, title, start);
    if (fileName.isEmpty()) {
        return false;
    }
    QString error;
    if (!write(document.GetState(), fileName, error)) {
        Prompter::Current().ShowMessage(window, tr("Unable to export to file"), error);
        return false;
    }
    return true;
}

bool ReportActions::OnExportPdf() {
    return Export(tr("Export as PDF"), tr("PDF Files (*.pdf)"), QStringLiteral("pdf"),
                  [this](const EditorState& state, const QString& fileName, QString& error) {
                      return ExportPdf(state, fileName,
                                       {Title(), {}, document.IsModified(), document.GetFacts()},
                                       error);
                  });
}

bool ReportActions::OnExportCsv() {
    return Export(tr("Export as CSV"), tr("CSV Files (*.csv)"), QStringLiteral("csv"), &ExportCsv);
}

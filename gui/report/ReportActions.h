#pragma once

#include <QObject>
#include <QString>
#include <functional>

class PendingEdits;
class ProgramDocument;
class QWidget;
struct EditorState;

// Print, Export as PDF and Export as CSV: the document's program on paper or in a file. Each
// first commits the typing in progress, so the report shows what is stored.
class ReportActions : public QObject {
    Q_OBJECT

public:
    // window is where dialogs and messages appear; pending is the typing the commands commit
    // first.
    ReportActions(ProgramDocument& document, QWidget* window, PendingEdits& pending);

    void OnPrint();
    // Each asks for a file name. True when the file was written.
    bool OnExportPdf();
    bool OnExportCsv();

private:
    // The file's name, or "Untitled".
    QString Title() const;
    using Writer =
        std::function<bool(const EditorState& state, const QString& fileName, QString& error)>;
    // Asks for the file name in a dialog titled title, proposing the program's folder and base
    // name, and writes the program with write; says why when it fails.
    bool Export(const QString& title, const QString& filter, const QString& suffix,
                const Writer& write);

    ProgramDocument& document;
    QWidget* window;
    PendingEdits& pending;
};

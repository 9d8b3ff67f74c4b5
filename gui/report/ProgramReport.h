#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/ProgramFacts.h"

#include "core/EditorState.h"

class QPagedPaintDevice;
class QPrinter;

// The printed program: on every page a header (the file's name, the date, the device summary
// and the startup setting, and marks for unsaved changes and a program too large for the
// device), then a table of every timer and interval, then the timeline. The paper is whatever
// the device is set to.
struct ReportInfo {
    QString title;         // usually the file's name
    QDateTime printed;     // shown in the header; when not set, the moment the report is made
    bool unsaved = false;  // the program shown differs from its file
    ProgramFacts facts;    // the document's facts about the program shown
};

// The header's marks, one line each: the device check's findings and unsaved changes; none for
// a saved program the device takes as it is.
QStringList ReportMarks(const ProgramFacts& facts, bool unsaved);

// Paints the report onto a fresh paged device and returns the number of pages, 0 when the
// painter could not start (no pages written).
int PaintProgramReport(QPagedPaintDevice& device, const EditorState& state, const ReportInfo& info);

// Writes the report as a PDF on the default paper size; false with a reason in error when the
// file cannot be written.
bool ExportPdf(const EditorState& state, const QString& fileName, const ReportInfo& info,
               QString& error);

// Prints on a printer the user has set up (e.g. through QPrintDialog).
bool PrintReport(QPrinter& printer, const EditorState& state, const ReportInfo& info,
                 QString& error);

// The CSV table of the program as the editor would save it (see ProgramToCsv); false with a
// reason in error when the file cannot be written.
bool ExportCsv(const EditorState& state, const QString& fileName, QString& error);

#pragma once

#include <QObject>
#include <QString>

class ProgramDocument;
class QMenu;
class QMimeData;
class QWidget;
struct ProgramClip;

// Cut, Copy and Paste of timers and intervals through the system clipboard, so they move
// between windows of the application and to and from any text. What is copied and how a paste
// fits into the program is the core's (core/ProgramClipboard); this only moves the data.
class ClipboardActions : public QObject {
    Q_OBJECT

public:
    // window is where questions and messages appear.
    ClipboardActions(ProgramDocument& document, QWidget* window);

    // Cut, Copy and Paste in menu, with the platform's keys.
    void AddActions(QMenu* menu);

    void OnCut();
    void OnCopy();
    void OnPaste();
    // Pastes what data holds; OnPaste passes the clipboard's.
    void Paste(const QMimeData* data);

    // The clipboard's forms of a clip: timer-file text, and the block starts of intervals.
    static QMimeData* MakeMimeData(const ProgramClip& clip);

signals:
    // What a paste did, for the status line.
    void message(const QString& text);
    // A step was taken: keyboard work goes on at the selection it left.
    void stepDone();

private:
    // Commits the typing in progress and says what to select when nothing is.
    bool HasSelection(const QString& command);

    ProgramDocument& document;
    QWidget* window;
};

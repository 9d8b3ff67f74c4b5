#pragma once

#include <QObject>

class QMenu;

// View > Language: the desktop's language or one the application has a catalogue for. The
// choice is kept in the settings and takes effect at the next start, as the menu says.
class LanguageMenu : public QObject {
    Q_OBJECT

public:
    LanguageMenu(QMenu* parent);

signals:
    // A sentence for the status line once the choice is saved.
    void chosen(const QString& notice);
};

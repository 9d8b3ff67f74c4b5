#pragma once

#include <QApplication>
#include <memory>

#include "gui/common/Language.h"

// The application: runs the main window as a modal dialog; when it closes, the process ends.
class TimerApp : public QApplication {
    Q_OBJECT

public:
    TimerApp(int& argc, char** argv);

    // Shows the main window, opening the timer file named on the command line if there is
    // one, and returns when the window has closed.
    int Run();

private:
    // The language chosen under View > Language, or the desktop's.
    std::unique_ptr<AppLanguage> language;
};

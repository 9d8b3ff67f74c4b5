#include "gui/app/TimerApp.h"

#include <QIcon>
#include <QStringList>

#include "gui/app/MainWindow.h"

TimerApp::TimerApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("Tavrel"));
    setApplicationName(QStringLiteral("tavrel-timer"));
    setApplicationDisplayName(QStringLiteral("Programmable Timer"));
    setApplicationVersion(QStringLiteral(TIMER_VERSION));
    setDesktopFileName(QStringLiteral("tavrel-timer"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/timer-256.png")));
    // After the names above: the settings that hold the choice are found by them.
    language = std::make_unique<AppLanguage>(SavedLanguage());
}

int TimerApp::Run() {
    MainWindow window;
    window.show();
    // A file manager passes the file to open as the one argument; nothing else is read.
    const QStringList args = arguments();
    if (args.size() == 2) {
        window.OpenFile(args.at(1));
    }
    exec();
    return 0;
}

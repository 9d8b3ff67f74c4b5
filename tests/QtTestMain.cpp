// main() for the suites that need a QApplication: one per test binary, headless by default.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "gui/common/Language.h"

int main(int argc, char** argv) {
    // ctest may run the binary where there is no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings (window place, recent files) go to a folder of this process's own, never the
    // user's: ctest runs several test processes at once, and one's recent files must not show
    // up in another's.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    if (!settings.isValid()) {
        return 2;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("tavrel-timer-tests"));
    // English whatever the machine's language, as the tests expect its texts; a test that
    // wants German installs it over this.
    const AppLanguage english(QStringLiteral("en"));
    return RUN_ALL_TESTS();
}

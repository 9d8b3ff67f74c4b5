#pragma once

#include <QLocale>
#include <QString>
#include <memory>
#include <vector>

class QTranslator;

// A language the interface can be shown in, named in that language ("Deutsch").
struct LanguageChoice {
    QString code;
    QString name;
};

// The languages the application has a catalogue for, English first.
std::vector<LanguageChoice> AvailableLanguages();

// The language `code` stands for: itself when we have it, else the first of the desktop's
// languages we have ("" means the desktop's), else English.
QString ResolveLanguage(const QString& code, const QStringList& desktopLanguages);

// The user's choice, kept in the settings; "" follows the desktop.
QString SavedLanguage();
void SaveLanguage(const QString& code);

// While it lives, the interface speaks `code` (or the desktop's language when it is empty):
// Qt's own dialogs and buttons, our texts and the core's messages, and the default locale for
// dates and numbers. English always gets its plurals from the "(s)" rule of the core.
class AppLanguage {
public:
    explicit AppLanguage(const QString& code);
    ~AppLanguage();
    AppLanguage(const AppLanguage&) = delete;
    AppLanguage& operator=(const AppLanguage&) = delete;

    // The language in use: "en", "de", ...
    QString Code() const { return code; }

private:
    std::vector<std::unique_ptr<QTranslator>> translators;
    QString code;
    QLocale previousLocale;
};

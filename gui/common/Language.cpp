#include "gui/common/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "core/Translate.h"

namespace {

const QString kLanguageKey = QStringLiteral("language");
const QString kCatalogueFolder = QStringLiteral(":/i18n");
const QString kCataloguePrefix = QStringLiteral("timer_");

// English plurals from the sources' "(s)" marks, so English needs no catalogue of its own.
class EnglishPlurals : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int n) const override {
        if (n < 0 || source == nullptr) {
            return {};
        }
        return QString::fromStdString(EnglishPlural(source, n));
    }
};

int& LiveLanguages() {
    static int count = 0;
    return count;
}

QString PrimaryLanguage(const QString& name) {
    return name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

}  // namespace

std::vector<LanguageChoice> AvailableLanguages() {
    std::vector<LanguageChoice> languages{{QStringLiteral("en"), QStringLiteral("English")}};
    const QStringList catalogues =
        QDir(kCatalogueFolder).entryList({kCataloguePrefix + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString& file : catalogues) {
        const QString code = file.mid(kCataloguePrefix.size()).chopped(3);
        QString name = QLocale(code).nativeLanguageName();
        if (!name.isEmpty()) {
            name[0] = name[0].toUpper();
        }
        languages.push_back({code, name.isEmpty() ? code : name});
    }
    return languages;
}

QString ResolveLanguage(const QString& code, const QStringList& desktopLanguages) {
    const std::vector<LanguageChoice> languages = AvailableLanguages();
    const auto have = [&](const QString& wanted) {
        for (const LanguageChoice& language : languages) {
            if (language.code == wanted) {
                return true;
            }
        }
        return false;
    };
    if (!code.isEmpty()) {
        return have(code) ? code : QStringLiteral("en");
    }
    for (const QString& desktop : desktopLanguages) {
        if (const QString primary = PrimaryLanguage(desktop); have(primary)) {
            return primary;
        }
    }
    return QStringLiteral("en");
}

QString SavedLanguage() {
    return QSettings().value(kLanguageKey).toString();
}

void SaveLanguage(const QString& code) {
    QSettings().setValue(kLanguageKey, code);
}

AppLanguage::AppLanguage(const QString& wanted)
    : code(ResolveLanguage(wanted, QLocale::system().uiLanguages())) {
    auto english = std::make_unique<EnglishPlurals>();
    QCoreApplication::installTranslator(english.get());
    translators.push_back(std::move(english));
    if (code != QStringLiteral("en")) {
        // Qt's own texts (message box buttons, the file dialog) first, so ours take precedence.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + code,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            translators.push_back(std::move(qt));
        }
        auto ours = std::make_unique<QTranslator>();
        if (ours->load(kCataloguePrefix + code, kCatalogueFolder)) {
            QCoreApplication::installTranslator(ours.get());
            translators.push_back(std::move(ours));
        }
    }
    previousLocale = QLocale();
    QLocale::setDefault(QLocale(code));
    SetCoreTranslator(
        [](const char* context, const char* source, const char* disambiguation, int n) {
            return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
        });
    ++LiveLanguages();
}

AppLanguage::~AppLanguage() {
    for (const std::unique_ptr<QTranslator>& translator : translators) {
        QCoreApplication::removeTranslator(translator.get());
    }
    QLocale::setDefault(previousLocale);
    if (--LiveLanguages() == 0) {
        SetCoreTranslator({});
    }
}

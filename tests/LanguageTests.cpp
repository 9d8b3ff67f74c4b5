// Which language the interface speaks, how the choice is kept, and that every catalogue it
// needs is found: ours, Qt's own and the core's texts through them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>

#include "core/Translate.h"
#include "gui/app/LanguageMenu.h"
#include "gui/common/Language.h"

namespace {

QStringList Languages(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) {
        list.append(QString::fromLatin1(name));
    }
    return list;
}

QAction* Entry(QMenu& view, const QString& text) {
    for (QAction* action : view.actions().constFirst()->menu()->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

TEST(LanguageChoice, TheChoiceOrTheDesktopsFirstLanguageWeHaveOrEnglish) {
    EXPECT_EQ(ResolveLanguage(QStringLiteral("de"), Languages({"en-US"})), "de");
    // A language without a catalogue, chosen or the desktop's, gives English.
    EXPECT_EQ(ResolveLanguage(QStringLiteral("fr"), Languages({"de-DE"})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"fr"})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"fr-FR", "de-AT", "en"})), "de");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"en-GB", "de"})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"de_CH"})), "de");
}

TEST(LanguageChoice, EnglishAndGermanAreOfferedEachNamedInItself) {
    QStringList offered;
    for (const LanguageChoice& language : AvailableLanguages()) {
        offered.append(language.code + u'=' + language.name);
    }
    EXPECT_EQ(offered, Languages({"en=English", "de=Deutsch"}));
}

TEST(LanguageChoice, TheMenuKeepsTheChoiceForTheNextStart) {
    QSettings().clear();
    {
        QMenu view;
        LanguageMenu menu(&view);
        QSignalSpy notices(&menu, &LanguageMenu::chosen);
        ASSERT_NE(Entry(view, QStringLiteral("&System")), nullptr);
        EXPECT_TRUE(Entry(view, QStringLiteral("&System"))->isChecked());
        ASSERT_NE(Entry(view, QStringLiteral("&Deutsch")), nullptr);
        Entry(view, QStringLiteral("&Deutsch"))->trigger();
        EXPECT_EQ(SavedLanguage(), "de");
        ASSERT_EQ(notices.count(), 1);
        EXPECT_TRUE(notices.at(0).at(0).toString().contains(QStringLiteral("next start")));
    }
    QMenu view;
    LanguageMenu menu(&view);
    EXPECT_TRUE(Entry(view, QStringLiteral("&Deutsch"))->isChecked());
    EXPECT_FALSE(Entry(view, QStringLiteral("&System"))->isChecked());
    Entry(view, QStringLiteral("&System"))->trigger();
    EXPECT_EQ(SavedLanguage(), "");
}

TEST(AppLanguageTest, GermanReachesQtsOwnTextsOursTheCoresAndTheLocaleUntilItEnds) {
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    const auto ours = [] { return QCoreApplication::translate("LanguageMenu", "&Language"); };
    const auto core = [] { return Translate("LanguageMenu", "&Language"); };
    {
        const AppLanguage german(QStringLiteral("de"));
        EXPECT_EQ(german.Code(), "de");
        EXPECT_EQ(cancel(), "Abbrechen");
        EXPECT_EQ(ours(), "&Sprache");
        EXPECT_EQ(core(), "&Sprache");
        EXPECT_EQ(QLocale().language(), QLocale::German);
    }
    EXPECT_EQ(cancel(), "Cancel");
    EXPECT_EQ(ours(), "&Language");
    EXPECT_EQ(core(), "&Language");
    EXPECT_EQ(QLocale().language(), QLocale::English);
}

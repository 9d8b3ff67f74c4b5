// Which language the interface speaks, how the choice is kept, and that every catalogue it
// needs is found: ours, Qt's own and the core's texts through them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBrowser>

#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/TransferFrame.h"
#include "core/Translate.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/AddTimerDialog.h"
#include "gui/app/HelpDialog.h"
#include "gui/app/LanguageMenu.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Language.h"
#include "gui/document/ProgramDocument.h"
#include "gui/transfer/ProgramDialog.h"

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
    EXPECT_EQ(ResolveLanguage(QString(), Languages({})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"fr-FR", "de-AT", "en"})), "de");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"en-GB", "de"})), "en");
    EXPECT_EQ(ResolveLanguage(QString(), Languages({"de_CH"})), "de");
}

TEST(LanguageChoice, TheMenuKeepsTheChoiceForTheNextStart) {
    QSettings().clear();
    {
        QMenu view;
        LanguageMenu menu(&view);
        QSignalSpy notices(&menu, &LanguageMenu::chosen);
        ASSERT_NE(Entry(view, QStringLiteral("&System")), nullptr);
        EXPECT_TRUE(Entry(view, QStringLiteral("&System"))->isChecked());
        // Each language is offered named in itself.
        ASSERT_NE(Entry(view, QStringLiteral("&English")), nullptr);
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

namespace {

// What an item view paints, shows as tooltips and tells a screen reader, for every item.
void CollectItemTexts(const QAbstractItemModel& model, const QModelIndex& parent,
                      QStringList& texts) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        for (int column = 0; column < model.columnCount(parent); ++column) {
            const QModelIndex index = model.index(row, column, parent);
            for (int role : {Qt::DisplayRole, Qt::ToolTipRole, Qt::AccessibleTextRole,
                             Qt::AccessibleDescriptionRole}) {
                texts << index.data(role).toString();
            }
        }
        CollectItemTexts(model, model.index(row, 0, parent), texts);
    }
}

// Every text the user sees or hears in the windows under root, with the menus filled as they
// are when opened.
void CollectTexts(QWidget* root, QStringList& texts) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (widget->isWindow()) {
            texts << widget->windowTitle();
        }
        texts << widget->toolTip() << widget->statusTip() << widget->accessibleName()
              << widget->accessibleDescription();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            texts << group->title();
        } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            texts << field->placeholderText();
        } else if (auto* page = qobject_cast<QTextBrowser*>(widget)) {
            texts << page->toPlainText().split(u'\n');
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            CollectItemTexts(*view->model(), {}, texts);
        } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
            emit menu->aboutToShow();
        }
        for (QAction* action : widget->actions()) {
            texts << action->text() << action->toolTip() << action->statusTip();
            if (QMenu* menu = action->menu()) {
                emit menu->aboutToShow();
                CollectTexts(menu, texts);
            }
        }
    }
}

// What the user reads in the main window with a program that has problems, its menus, its
// dialogs and the questions it asks, in the language installed now.
QStringList EveryText(const std::string& file) {
    ScriptedPrompter prompter;
    QStringList texts;
    {
        MainWindow window;
        window.show();
        EXPECT_TRUE(window.OpenFile(QString::fromStdString(file)));
        QCoreApplication::processEvents();
        CollectTexts(&window, texts);
        AddTimerDialog editTime(&window);
        CollectTexts(&editTime, texts);
        HelpDialog help(&window);
        CollectTexts(&help, texts);
        AboutDialog about(&window);
        CollectTexts(&about, texts);
        const std::vector<std::uint8_t> frame{0x55, 0x02, 0x81, 0x20, 0xA1};
        ProgramDialog programming(frame.data(), static_cast<int>(frame.size()), kZeroTimeUs,
                                  kOneTimeUs, kSyncTimeUs, &window);
        CollectTexts(&programming, texts);
        // Unsaved typing, then Exit: the question about saving.
        window.GetDocument().Apply(QStringLiteral("Edit"), [](EditorState& state) {
            state.startup = !state.startup;
            return EditRefusal::None;
        });
        prompter.answers.push_back(Prompter::Answer::Cancel);
        window.OnExit();
    }
    texts << prompter.messages << prompter.details << prompter.questions << prompter.filters;
    return texts;
}

// Whether a text carries words of ours, once what is data is taken out: mnemonic marks,
// file names, interval texts, numbers, and words alike in both languages ("Timer", "OK").
bool HasWording(QString text) {
    static const QRegularExpression data(
        QStringLiteral("&|\\S*/\\S*|\\S+\\.tvr\\b|\\d+(:\\d+)+|\\bTimer\\b|\\d+|\\bOK\\b|"
                       "Programmable Timer|Tavrel|English|Deutsch"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    return text.remove(data).contains(word);
}

}  // namespace

// A text left outside tr() stays English under the German catalogue: the German windows must
// show none of the English ones.
TEST(GermanInterface, ShowsNoEnglishTextOfTheWindowsMenusDialogsOrQuestions) {
    testing_support::TempDir dir;
    // Startup on without timer 0, an interval over the device's limit, a line that is skipped.
    testing_support::WriteFile(dir.File("p.tvr"),
                               "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 3\r\nON - 00:00:05\r\n"
                               "OFF - 45:00:00\r\nnonsense\r\n");
    const QStringList english = EveryText(dir.File("p.tvr"));
    ASSERT_TRUE(english.contains(QStringLiteral("Save changes to p.tvr?")))
        << "the walk no longer reaches the question it must check";
    QStringList german;
    {
        const AppLanguage language(QStringLiteral("de"));
        german = EveryText(dir.File("p.tvr"));
    }
    QStringList untranslated;
    for (const QString& text : german) {
        if (HasWording(text) && english.contains(text) && !untranslated.contains(text)) {
            untranslated << text;
        }
    }
    EXPECT_EQ(untranslated, QStringList());
}

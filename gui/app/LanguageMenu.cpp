#include "gui/app/LanguageMenu.h"

#include <QActionGroup>
#include <QLocale>
#include <QMenu>

#include "gui/common/Language.h"

LanguageMenu::LanguageMenu(QMenu* parent) : QObject(parent) {
    QMenu* menu = parent->addMenu(tr("&Language"));
    menu->menuAction()->setObjectName(QStringLiteral("viewLanguage"));
    auto* group = new QActionGroup(menu);
    const QString saved = SavedLanguage();
    const auto add = [&](const QString& text, const QString& code) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(code == saved);
        action->setData(code);
        group->addAction(action);
    };
    add(tr("&System"), QString());
    for (const LanguageChoice& language : AvailableLanguages()) {
        // Each language is named in itself, so a user lost in a foreign one finds their own.
        add(QStringLiteral("&") + language.name, language.code);
    }
    menu->addSeparator();
    menu->addAction(tr("Takes effect at the next start"))->setEnabled(false);
    connect(group, &QActionGroup::triggered, this, [this](QAction* action) {
        const QString code = action->data().toString();
        SaveLanguage(code);
        emit chosen(tr("The new language is used from the next start of the Programmable Timer."));
    });
}

#pragma once

// Helpers for the editor suites: a window to hold the controls, showing it so that focus and
// scrolling work, clicks, and finding controls by their name. The controls report through
// signals, which the suites watch with QSignalSpy.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <vector>

#include "gui/common/LabelAccessibility.h"

// Shows the window and makes it active, so focus changes and scrolling happen as for a user.
inline ::testing::AssertionResult ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        return ::testing::AssertionFailure() << "the window did not become active";
    }
    return ::testing::AssertionSuccess();
}

inline void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// The first object of its type under root named name (its objectName).
template <typename Control = QWidget>
Control* FindByName(QObject* root, const char* name) {
    return root->findChild<Control*>(QString::fromLatin1(name));
}

// A screen reader is present while this lives: controls get their accessible names only then.
class ScreenReaderOn {
public:
    ScreenReaderOn() { QAccessible::setActive(true); }
    ~ScreenReaderOn() { QAccessible::setActive(false); }
    ScreenReaderOn(const ScreenReaderOn&) = delete;
    ScreenReaderOn& operator=(const ScreenReaderOn&) = delete;
};

// The letter Alt reaches a control or menu entry by: the one after a single '&'; null for none.
inline QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

// Every letter more than one of texts is reached by, with the texts: "S: &Save | Export as C&SV".
inline QStringList SharedMnemonics(const QStringList& texts) {
    QStringList shared;
    QStringList seen;
    for (const QString& text : texts) {
        const QChar key = Mnemonic(text);
        if (key.isNull() || seen.contains(QString(key))) {
            continue;
        }
        seen.append(QString(key));
        QStringList holders;
        for (const QString& other : texts) {
            if (Mnemonic(other) == key) {
                holders.append(other);
            }
        }
        if (holders.size() > 1) {
            shared.append(QString(key) + QStringLiteral(": ") +
                          holders.join(QStringLiteral(" | ")));
        }
    }
    return shared;
}

// What a screen reader hears of a control that shows text: its name holds the text, or, for a
// label, its description does. Controls without text, and hidden ones, pass.
inline ::testing::AssertionResult ExposesItsText(QWidget* control) {
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        text = button->text();
    }
    text = WithoutMnemonics(text).simplified();
    if (text.isEmpty() || !control->isVisibleTo(control->window())) {
        return ::testing::AssertionSuccess();
    }
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (accessible == nullptr) {
        return ::testing::AssertionFailure() << "no accessible interface";
    }
    const QString name = accessible->text(QAccessible::Name).simplified();
    const QString description = accessible->text(QAccessible::Description).simplified();
    if (name.contains(text, Qt::CaseInsensitive) ||
        (qobject_cast<QLabel*>(control) != nullptr && description.contains(text))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << control->metaObject()->className() << " shows \"" << text.toStdString()
           << "\" but is named \"" << name.toStdString() << "\", described \""
           << description.toStdString() << "\"";
}

#pragma once

// Helpers for the editor suites: a window to hold the controls, showing it so that focus and
// scrolling work, clicks, and finding controls by their id. The controls report through
// signals, which the suites watch with QSignalSpy.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <vector>

#include "res/ControlIds.h"

// Stands in for the main window: a plain widget holding the control under test.
class HostWindow : public QWidget {
public:
    HostWindow() { resize(300, 400); }
};

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

// The first widget under root carrying the control id.
template <typename Control = QWidget>
Control* FindById(QWidget* root, int id) {
    for (Control* child : root->findChildren<Control*>()) {
        if (child->property(ControlIds::kProperty).toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

// A screen reader is present while this lives: controls get their accessible names only then.
class ScreenReaderOn {
public:
    ScreenReaderOn() { QAccessible::setActive(true); }
    ~ScreenReaderOn() { QAccessible::setActive(false); }
    ScreenReaderOn(const ScreenReaderOn&) = delete;
    ScreenReaderOn& operator=(const ScreenReaderOn&) = delete;
};

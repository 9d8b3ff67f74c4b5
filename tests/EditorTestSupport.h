#pragma once

// Helpers for the editor suites: a receiver that records the editor's notifications, showing a
// window so that focus and scrolling work, clicks, and finding controls by their id.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <vector>

#include "gui/editor/EditorEvents.h"
#include "res/ControlIds.h"

// Stands in for a panel's list or the list's main window. Records WMU_PANEL_ACTIVATING and
// WMU_PROGRAM_MODIFIED in the order they arrive; onEvent may look at the world at that moment.
class EventRecorder : public QWidget {
public:
    EventRecorder() { resize(300, 400); }

    std::vector<QEvent::Type> received;
    std::function<void(QEvent::Type)> onEvent;

    int Count(QEvent::Type type) const {
        return static_cast<int>(std::count(received.begin(), received.end(), type));
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == WMU_PANEL_ACTIVATING || event->type() == WMU_PROGRAM_MODIFIED) {
            received.push_back(event->type());
            if (onEvent) {
                onEvent(event->type());
            }
            return true;
        }
        return QWidget::event(event);
    }
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

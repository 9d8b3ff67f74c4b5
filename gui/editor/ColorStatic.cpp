#include "gui/editor/ColorStatic.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/common/FocusFrame.h"

namespace {

// A ColorStatic as a screen reader sees it: a button that can be pressed.
class AccessibleColorStatic : public QAccessibleWidget {
public:
    explicit AccessibleColorStatic(ColorStatic* control)
        : QAccessibleWidget(control, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        QString result = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && result.isEmpty()) {
            result = Control()->text();
        }
        return result;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            Control()->Press();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == pressAction()) {
            return {QStringLiteral("Space")};
        }
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    ColorStatic* Control() const { return static_cast<ColorStatic*>(widget()); }
};

QAccessibleInterface* MakeAccessibleColorStatic(const QString& className, QObject* object) {
    if (className == QLatin1String("ColorStatic")) {
        if (auto* control = qobject_cast<ColorStatic*>(object)) {
            return new AccessibleColorStatic(control);
        }
    }
    return nullptr;
}

}  // namespace

void InstallColorStaticAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeAccessibleColorStatic);
        return true;
    }();
    (void)installed;
}

ColorStatic::ColorStatic(const QString& text, QWidget* parent) : QWidget(parent), label(text) {
    InstallColorStaticAccessibility();
    // Tab reaches it; a click moves the focus through the owner's handler, in its own order.
    setFocusPolicy(Qt::TabFocus);
}

void ColorStatic::SetBackgroundColor(ColorRef color) {
    backgroundColor = color;
}

void ColorStatic::SetTextColor(ColorRef color) {
    textColor = color;
}

void ColorStatic::setText(const QString& text) {
    if (text == label) {
        return;
    }
    label = text;
    update();
    // A reader that names the control by its text hears the new one.
    if (accessibleName().isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ColorStatic::Press() {
    emit activated();
}

void ColorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, ToQColor(backgroundColor));
    painter.setPen(ToQColor(textColor));
    painter.drawText(area.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        PaintFocusFrame(painter, area, ToQColor(textColor));
    }
    // The one-pixel frame every editor control has.
    painter.setPen(ToQColor(kBlack));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void ColorStatic::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        Press();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColorStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ColorStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed) {
        pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ColorStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    // The release that follows belongs to the double click and is not a click of its own.
    pressed = false;
    event->accept();
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

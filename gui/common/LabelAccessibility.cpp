#include "gui/common/LabelAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocument>

namespace {

class AccessibleLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        const QString shown = Shown();
        const QString name = Label()->accessibleName();
        switch (kind) {
            case QAccessible::Name:
                return name.isEmpty() ? shown : name;
            case QAccessible::Description: {
                const QString own = Label()->accessibleDescription();
                if (!own.isEmpty() || name.isEmpty() || name.contains(shown)) {
                    return own;
                }
                return shown;
            }
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    // A label leads to its buddy, as Qt's own label does.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto result = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Labelled) != 0 && Label()->buddy() != nullptr) {
            if (QAccessibleInterface* buddy =
                    QAccessible::queryAccessibleInterface(Label()->buddy())) {
                result.append({buddy, QAccessible::Labelled});
            }
        }
        return result;
    }

    // The text interface: read-only, no caret, no selection.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString shown = Shown();
        if (startOffset < 0 || endOffset < startOffset || startOffset > shown.size()) {
            return {};
        }
        return shown.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QLabel* Label() const { return static_cast<QLabel*>(widget()); }
    QString Shown() const { return LabelShownText(*Label()); }
};

QAccessibleInterface* MakeAccessibleLabel(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel")) {
        return nullptr;
    }
    // Asked once per label, perhaps before its text is set: an empty label is one too.
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr || !label->pixmap().isNull()) {
        return nullptr;
    }
    return new AccessibleLabel(label);
}

}  // namespace

QString LabelShownText(const QLabel& label) {
    QString text = label.text();
    if (label.textFormat() == Qt::RichText ||
        (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return WithoutMnemonics(text);
}

QString WithoutMnemonics(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

void InstallLabelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeAccessibleLabel);
        return true;
    }();
    (void)installed;
}

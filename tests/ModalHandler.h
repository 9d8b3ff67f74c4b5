#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <functional>

// Runs act on the next modal dialog as soon as it is up (the code under test is then blocked in
// its exec()). Records whether one came at all.
class ModalHandler {
public:
    void Expect(std::function<void(QDialog&)> handler) {
        act = std::move(handler);
        seen = false;
        tries = 0;
        Poll();
    }
    bool Seen() const { return seen; }

private:
    void Poll() {
        // At once at first; then every few milliseconds, for a dialog that opens a moment later
        // (a button pressed by its mnemonic clicks itself after a short delay).
        QTimer::singleShot(tries < 100 ? 0 : 5, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                if (++tries < 1000) {
                    Poll();
                }
                return;
            }
            seen = true;
            act(*dialog);
        });
    }

    std::function<void(QDialog&)> act;
    bool seen = false;
    int tries = 0;
};

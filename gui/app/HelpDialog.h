#pragma once

#include <QDialog>

class QTextBrowser;

// A short page on building a program, blocks and the memory limit, and holding the device to
// the screen.
class HelpDialog : public QDialog {
    Q_OBJECT

public:
    explicit HelpDialog(QWidget* parent = nullptr);

    QString GetText() const;

private:
    // The page in the interface's language.
    static QString PageHtml();

    QTextBrowser* page;
};

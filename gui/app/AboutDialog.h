#pragma once

#include <QDialog>
#include <QString>

class QLabel;

// The About box: icon, a centred three-line text and OK.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void SetTitle(const QString& text);
    void SetBody(const QString& text);

private:
    QLabel* body;
};

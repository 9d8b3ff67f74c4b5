#include "AboutDialog.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "ControlIds.h"
#include "DialogUnits.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    setProperty(ControlIds::kProperty, ControlIds::kAboutDialog);
    setFixedSize(DluRect(0, 0, 167, 73).size());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DluRect(110, 51, 50, 14));
    ok->setDefault(true);
    ok->setProperty(ControlIds::kProperty, ControlIds::kOk);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/timer-256.png")).pixmap(32, 32));
    icon->setGeometry(QRect(DluRect(6, 7, 0, 0).topLeft(), QSize(32, 32)));

    body = new QLabel(this);
    body->setGeometry(DluRect(38, 7, 114, 41));
    body->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    body->setWordWrap(true);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->setProperty(ControlIds::kProperty, ControlIds::kAboutText);
    ok->setFocus();
}

void AboutDialog::SetTitle(const QString& text) {
    setWindowTitle(text);
}

void AboutDialog::SetBody(const QString& text) {
    body->setText(text);
}

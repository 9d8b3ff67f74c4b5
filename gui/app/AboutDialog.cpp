#include "gui/app/AboutDialog.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "gui/common/DialogUnits.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About"));
    setObjectName(QStringLiteral("aboutDialog"));
    // The template's units in the font this dialog really shows.
    const DialogUnits du = DialogUnitsOf(this);
    setFixedSize(du.Rect(0, 0, 167, 73).size());

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(du.Rect(110, 51, 50, 14));
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/timer-256.png")).pixmap(32, 32));
    icon->setGeometry(QRect(du.Rect(6, 7, 0, 0).topLeft(), QSize(32, 32)));

    body = new QLabel(this);
    // A little wider than the template's 114 units: the default font is larger than the one
    // the template was drawn for, and a wrapped line would split the version or the address.
    body->setGeometry(du.Rect(38, 7, 122, 41));
    body->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->setObjectName(QStringLiteral("aboutText"));
    ok->setFocus();
}

void AboutDialog::SetTitle(const QString& text) {
    setWindowTitle(text);
}

void AboutDialog::SetBody(const QString& text) {
    body->setText(text);
}

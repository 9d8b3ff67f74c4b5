#include "gui/app/AboutDialog.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About"));
    setObjectName(QStringLiteral("aboutDialog"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/timer-256.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    body = new QLabel(this);
    body->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->setObjectName(QStringLiteral("aboutText"));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(body, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    // The text's own lines set the width: a version or an address is never wrapped.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void AboutDialog::SetTitle(const QString& text) {
    setWindowTitle(text);
}

void AboutDialog::SetBody(const QString& text) {
    body->setText(text);
}

#include "frontend/tcreditos.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvolinde {

TCreditos::TCreditos(QWidget* parent) : QDialog(parent) {
    setObjectName("Creditos");
    title_ = new QLabel(this);
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title_->setFont(big);
    version_ = new QLabel(this);
    version_->setObjectName("Version");
    credits_ = new QLabel(this);
    credits_->setWordWrap(true);
    licences_ = new QLabel(this);
    licences_->setWordWrap(true);
    licences_->setTextFormat(Qt::RichText);
    ok_ = new QPushButton(this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {title_, version_, credits_}) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(8);
    layout->addWidget(licences_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    Retranslate();
}

void TCreditos::Retranslate() {
    setWindowTitle(tr("Acerca de Tarvolinde"));
    title_->setText(QStringLiteral("Tarvolinde"));
    const QString version = QCoreApplication::applicationVersion();
    version_->setText(version.isEmpty() ? QString() : tr("Versión %1").arg(version));
    version_->setVisible(!version.isEmpty());
    credits_->setText(tr("Emulador de la familia ZX Spectrum: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, "
                         "Pentagon y Scorpion."));
    licences_->setText(tr("<b>Usa:</b><ul>"
                          "<li>OpenSE BASIC (ROM de 48K): GNU GPL</li>"
                          "<li>Qt 6: GNU LGPL 3</li>"
                          "<li>SDL2: licencia zlib</li>"
                          "<li>zlib: licencia zlib</li>"
                          "<li>libzip: licencia BSD de 3 cláusulas</li>"
                          "<li>libpng: licencia libpng</li></ul>"));
    ok_->setText(tr("Aceptar"));
}

void TCreditos::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QDialog::changeEvent(event);
}

}  // namespace tarvolinde

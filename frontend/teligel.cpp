#include "frontend/teligel.h"

#include <QEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/language.h"

namespace tarvolinde {

TEligeL::TEligeL(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("EligeL");
    setWindowTitle(QT_TR_NOOP("Elegir lenguaje"));
    setModal(true);
    struct Button {
        const char* Name;
        const char* Caption;  // each language by its own name, never translated
        uint32_t LocaleId;
    };
    // The Catalan button has a locale number of its own, so that it loads Catalan.
    const Button buttons[] = {{"BitBtn1", "Español", kSpanishLanguage},
                              {"BitBtn2", "English", kEnglishLanguage},
                              {"BitBtn3", "Français", kFrenchLanguage},
                              {"BitBtn4", "Català", kCatalanLanguage}};
    auto* layout = new QVBoxLayout(this);
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.Caption));
        button->setObjectName(b.Name);
        button->setProperty("Tag", b.LocaleId);
        button->setAutoDefault(false);
        button->setMinimumWidth(160);
        connect(button, &QPushButton::clicked, this, [this, button] { Komun(button); });
        layout->addWidget(button);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
    captions_.Remember(this, staticMetaObject.className());
    captions_.Apply();
}

void TEligeL::Komun(QAbstractButton* sender) {
    chosen_ = sender->property("Tag").toUInt();
    accept();
}

void TEligeL::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) captions_.Apply();
    QDialog::changeEvent(event);
}

}  // namespace tarvolinde

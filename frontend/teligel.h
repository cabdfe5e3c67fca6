#pragma once
// TEligeL: the language dialog ("Elegir lenguaje"), a small tool window with
// one button per language, each carrying its locale number. A button closes
// the dialog with OK; the caller applies and keeps the choice.

#include <QDialog>
#include <cstdint>

#include "frontend/captions.h"

class QAbstractButton;

namespace tarvolinde {

class TEligeL : public QDialog {
    Q_OBJECT
public:
    explicit TEligeL(QWidget* parent = nullptr);
    // The locale number of the button pressed; 0 before one is.
    uint32_t Chosen() const { return chosen_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void Komun(QAbstractButton* sender);

    uint32_t chosen_ = 0;
    CaptionMemory captions_;
};

}  // namespace tarvolinde

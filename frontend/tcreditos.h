#pragma once
// TCreditos: the credits window ("Acerca de"): the program, its version, and the
// licences of the libraries and the ROM it comes with.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvolinde {

class TCreditos : public QDialog {
    Q_OBJECT
public:
    explicit TCreditos(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* title_;
    QLabel* version_;
    QLabel* credits_;
    QLabel* licences_;
    QPushButton* ok_;
};

}  // namespace tarvolinde

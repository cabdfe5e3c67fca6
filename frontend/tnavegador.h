#pragma once
// TNavegador: the tape browser. It shows the blocks of a tape as a tree, with
// groups and loops as subtrees, and moves the tape to the block the user picks.
// The caller pauses emulation while it is open, since moving the tape changes
// the state the emulation thread plays from.

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace tarvolinde {

class TCinta;

class TNavegador : public QDialog {
    Q_OBJECT
public:
    // The size it opens at unless the caller gives it another.
    static constexpr QSize kDefaultSize{409, 313};

    // The tape must outlive the dialog.
    explicit TNavegador(TCinta& tape, QWidget* parent = nullptr);
    QTreeWidget* Arbol() const;  // for tests

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FillTree();
    void ChangeToSelectedBlock();
    void SetTexts();

    TCinta& tape_;
    QTreeWidget* arbol_;
    QPushButton* changeButton_;
    QPushButton* leaveButton_;
};

}  // namespace tarvolinde

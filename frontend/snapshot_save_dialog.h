#pragma once
// "Grabar Snapshot": the save dialog of the snapshot formats. It offers FSU,
// SNA, Z80 and SP, but accepts a format only when it can hold the running
// model: choosing one that cannot says so, and the dialog will not close on it.

#include <QFileDialog>

namespace tarvolinde {

class SnapshotSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    SnapshotSaveDialog(int modelIndex, const QString& directory, QWidget* parent = nullptr);

    // Whether the format of filter entry `index` (0 FSU, 1 SNA, 2 Z80, 3 SP) can hold the model.
    bool FilterAllowed(int index) const;
    // The entry of the filter now chosen (-1 if it is none of them).
    int ChosenFilter() const;

    // Refuses to close while the chosen format cannot hold the model.
    void accept() override;

private:
    void FilterChosen(const QString& filter);
    void ShowIncompatible();

    const int modelIndex_;
};

// The formats that can hold the model, for the user ("FSU o SZX").
QString FormatsForModel(int modelIndex);
// "El formato elegido no es compatible con el hardware", naming the formats that are.
void ShowIncompatibleFormat(QWidget* parent, int modelIndex);

}  // namespace tarvolinde

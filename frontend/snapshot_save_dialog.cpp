#include "frontend/snapshot_save_dialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <array>

#include "frontend/file_filters.h"
#include "frontend/messages.h"
#include "snapshots/snapshot.h"

namespace tarvolinde {

namespace {

struct SaveFormat {
    SnapshotKind Kind;
    const char* Suffix;
};

// The entries of the filter, in its order.
constexpr std::array<SaveFormat, 5> kFormats{{
    {SnapshotKind::Fsu, "fsu"},
    {SnapshotKind::Sna, "sna"},
    {SnapshotKind::Z80, "z80"},
    {SnapshotKind::Sp, "sp"},
    {SnapshotKind::Szx, "szx"},
}};

}  // namespace

SnapshotSaveDialog::SnapshotSaveDialog(int modelIndex, const QString& directory, QWidget* parent)
    : QFileDialog(parent, Translated(file_dialogs::kSaveSnapshotTitle), directory,
                  Translated(file_dialogs::kSaveSnapshotFilter)),
      modelIndex_(modelIndex) {
    setObjectName("GrabaSnap");
    // Only our own dialog tells us which type is chosen before it closes.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    selectNameFilter(nameFilters().front());
    setDefaultSuffix(kFormats.front().Suffix);
    connect(this, &QFileDialog::filterSelected, this, &SnapshotSaveDialog::FilterChosen);
}

bool SnapshotSaveDialog::FilterAllowed(int index) const {
    if (index < 0 || index >= int(kFormats.size())) return false;
    return MakeSnapshot(kFormats[size_t(index)].Kind)->CanSave(modelIndex_);
}

int SnapshotSaveDialog::ChosenFilter() const { return int(nameFilters().indexOf(selectedNameFilter())); }

void SnapshotSaveDialog::accept() {
    if (!FilterAllowed(ChosenFilter())) {
        ShowIncompatible();
        return;
    }
    QFileDialog::accept();
}

void SnapshotSaveDialog::FilterChosen(const QString& filter) {
    const int index = int(nameFilters().indexOf(filter));
    if (!FilterAllowed(index)) {
        ShowIncompatible();
        return;
    }
    setDefaultSuffix(kFormats[size_t(index)].Suffix);
}

void SnapshotSaveDialog::ShowIncompatible() { ShowIncompatibleFormat(this, modelIndex_); }

QString FormatsForModel(int modelIndex) {
    QStringList names;
    for (const SaveFormat& format : kFormats)
        if (MakeSnapshot(format.Kind)->CanSave(modelIndex)) names << QString(format.Suffix).toUpper();
    const QString last = names.isEmpty() ? QString() : names.takeLast();
    return names.isEmpty() ? last : names.join(", ") + QCoreApplication::translate("SnapshotSaveDialog", " o ") + last;
}

void ShowIncompatibleFormat(QWidget* parent, int modelIndex) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("SnapshotSaveDialog", "Error"),
                    Translated(file_dialogs::kIncompatibleFormat), QMessageBox::Ok, parent);
    box.setInformativeText(
        QCoreApplication::translate("SnapshotSaveDialog", "Para este modelo, use %1.").arg(FormatsForModel(modelIndex)));
    box.exec();
}

}  // namespace tarvolinde

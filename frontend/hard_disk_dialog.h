#pragma once
// The hard disk of the +3e models: the geometry dialog with which new HDF
// images are created (the "Disco duro" controls: cylinders, heads, sectors,
// capacity and "Capacidad seminominal"), and the opening of the image the
// settings name ("IDE8") when a +3e machine is built.

#include <QDialog>
#include <memory>
#include <string>

#include "machine/disk_ports.h"
#include "storage/hdf_image.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace tarvolinde {

class HardDiskDialog : public QDialog {
    Q_OBJECT
public:
    HardDiskDialog(const HdfGeometry& geometry, bool halved, QWidget* parent = nullptr);

    HdfGeometry Geometry() const;
    bool Halved() const;

private:
    void ShowCapacity();

    QSpinBox* cylinders_;  // U_Cil
    QSpinBox* heads_;      // U_Cab
    QSpinBox* sectors_;    // U_Sec
    QLabel* capacity_;     // L_Cap
    QCheckBox* halved_;    // C_Semi
};

// The hard disk on the image at `path`, or null when the path is empty or names
// no readable and writable HDF image.
std::unique_ptr<IdePorts> OpenHardDiskImage(const std::string& path);

}  // namespace tarvolinde

#include "frontend/function_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <array>

namespace tarvolinde {

namespace {

struct CommandKey {
    Qt::Key Key;
    const char* Action;  // the command's object name
};

// F8 goes to both "Reproducir" and "Detener": the tape enables one at a time.
constexpr std::array<CommandKey, 11> kCommandKeys{{
    {Qt::Key_F1, "Ayuda2"},
    {Qt::Key_F2, "Grabar1"},
    {Qt::Key_F3, "CargarS"},
    {Qt::Key_F5, "PausaB"},
    {Qt::Key_F7, "CargaC"},
    {Qt::Key_F8, "TocaC"},
    {Qt::Key_F8, "PausaC"},
    {Qt::Key_F9, "Reset1"},
    {Qt::Key_F10, "TeclaMenu"},
    {Qt::Key_F11, "P_Pant"},
    {Qt::Key_F12, "Grabar2"},
}};

}  // namespace

void AssignFunctionKeys(QMainWindow& window) {
    auto* menuKey = new QAction(QCoreApplication::translate("tarvolinde::TFondo", "Menú"), &window);
    menuKey->setObjectName("TeclaMenu");
    QObject::connect(menuKey, &QAction::triggered, &window, [&window] {
        QMenuBar* menus = window.menuBar();
        menus->show();  // in full screen too
        if (!menus->actions().isEmpty()) menus->setActiveAction(menus->actions().front());
    });
    for (const CommandKey& command : kCommandKeys) {
        auto* action = window.findChild<QAction*>(command.Action);
        if (!action) continue;
        action->setShortcut(QKeySequence(command.Key));
        // Added to the window itself, the key works while the menus are hidden.
        window.addAction(action);
    }
}

}  // namespace tarvolinde

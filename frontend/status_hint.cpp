#include "frontend/status_hint.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace tarvolinde {

bool HintLeftBehind(const QObject* left, const QWidget& window) {
    if (!qobject_cast<const QMenu*>(left) && !qobject_cast<const QMenuBar*>(left) &&
        !qobject_cast<const QToolButton*>(left))
        return false;
    // Menus are windows of their own, so the owner is found through the parents.
    for (const QObject* owner = left; owner; owner = owner->parent())
        if (owner == &window) return true;
    return false;
}

}  // namespace tarvolinde

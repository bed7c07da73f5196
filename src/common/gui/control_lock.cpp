#include "common/gui/control_lock.h"

#include <QAction>
#include <QWidget>

namespace tvx::gui {

void ControlLock::Lock(QWidget* area, const std::function<bool(QWidget*)>& keep,
                       QObject* actionOwner) {
    locked_ = true;
    for (QWidget* widget : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!widget->isEnabled() || (keep && keep(widget))) continue;
        widget->setEnabled(false);
        widgets_.emplace_back(widget);
    }
    for (QAction* action : actionOwner->findChildren<QAction*>()) {
        if (!action->isEnabled()) continue;
        action->setEnabled(false);
        actions_.emplace_back(action);
    }
}

void ControlLock::Unlock() {
    locked_ = false;
    for (const QPointer<QWidget>& widget : widgets_)
        if (widget) widget->setEnabled(true);
    for (const QPointer<QAction>& action : actions_)
        if (action) action->setEnabled(true);
    widgets_.clear();
    actions_.clear();
}

}  // namespace tvx::gui

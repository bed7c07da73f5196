#pragma once
// A window's controls locked while a long job runs (a search, rows moving step by step): the
// enabled direct children of an area and the enabled actions under an owner are disabled, and
// unlocking enables exactly those again, so that controls disabled for their own reasons stay
// disabled.

#include <QPointer>

#include <functional>
#include <vector>

class QAction;
class QObject;
class QWidget;

namespace tvx::gui {

class ControlLock {
  public:
    // Disables every enabled direct child of `area` for which `keep` is false, then every
    // enabled action under `actionOwner` (so that neither menus nor their shortcuts run). The
    // widgets go first: the focus they lose may reach handlers that update actions.
    void Lock(QWidget* area, const std::function<bool(QWidget*)>& keep, QObject* actionOwner);
    // Enables again what Lock disabled.
    void Unlock();
    // True from the start of Lock until the start of Unlock: focus handlers run by the lock
    // itself can tell that no user is leaving a control.
    bool locked() const { return locked_; }

  private:
    bool locked_ = false;
    std::vector<QPointer<QWidget>> widgets_;
    std::vector<QPointer<QAction>> actions_;
};

}  // namespace tvx::gui

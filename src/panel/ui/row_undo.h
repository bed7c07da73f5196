#pragma once
// "元に戻す" of the main window: one snapshot of the part rows (with their turn flags, which
// travel with them) taken before a command that changes rows as a whole: cut, delete, insert,
// paste, "リセット" and opening a file. Typing into a cell discards it. The window owns it; the
// job holds only what a job file holds.

#include <cstdint>
#include <vector>

#include "panel/model/panel_job.h"

namespace tvx::panel {

class RowUndo {
  public:
    // Keeps rows 0..cutCount-1 of the job, their turn flags and cutCount.
    void Save(const PanelJob& job);
    // Brings the snapshot back (every other row and flag is cleared) and discards it; false
    // without one.
    bool Restore(PanelJob& job);
    void Discard();
    bool ready() const { return ready_; }

  private:
    using TurnFlag = decltype(PanelJob::turnFlag)::value_type;
    std::vector<CutItem> rows_;
    std::vector<TurnFlag> flags_;
    bool ready_ = false;
};

}  // namespace tvx::panel

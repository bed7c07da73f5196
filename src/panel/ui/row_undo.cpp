#include "panel/ui/row_undo.h"

#include <algorithm>
#include <cstddef>

namespace tvx::panel {

void RowUndo::Save(const PanelJob& job) {
    const auto count = static_cast<std::ptrdiff_t>(job.cutCount);
    rows_.assign(job.cutList.begin(), job.cutList.begin() + count);
    flags_.assign(job.turnFlag.begin(), job.turnFlag.begin() + count);
    ready_ = true;
}

bool RowUndo::Restore(PanelJob& job) {
    if (!ready_) return false;
    job.cutList.fill(CutItem{});
    job.turnFlag.fill(TurnFlag{});
    std::copy(rows_.begin(), rows_.end(), job.cutList.begin());
    std::copy(flags_.begin(), flags_.end(), job.turnFlag.begin());
    job.cutCount = static_cast<decltype(job.cutCount)>(rows_.size());
    Discard();
    return true;
}

void RowUndo::Discard() {
    rows_.clear();
    flags_.clear();
    ready_ = false;
}

}  // namespace tvx::panel

#include "bar/output/bar_plan_view.h"

namespace tvx::bar {

BarPlanView CaptureBarPlanView(const BarJob& job) {
    BarPlanView view;
    view.plan = job.plan;
    view.showPartCodes = job.showPartCodes;
    view.displayMode = job.resultDisplayMode == 1 ? 1 : 0;
    view.title = job.jobTitle;
    const BarCutList& list = job.cutList;
    const int rows = std::min<int>(list.rowCount, list.Capacity());
    for (int r = 0; r < rows; ++r) {
        if (!IsValidBarRow(list, r)) continue;
        const auto i = static_cast<std::size_t>(r);
        view.rows.push_back({list.cutLength[i], list.cutQuantity[i], list.cutComment[i]});
    }
    return view;
}

}  // namespace tvx::bar

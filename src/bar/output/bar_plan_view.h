#pragma once
// What a bar plan is shown and printed with: the plan and the inputs it was calculated from
// (the part-code display and the rows with their codes), plus the display mode and title the
// user may change afterwards. The window keeps one of these per calculation, so a later edit
// of rows or switches never alters a plan already on screen. No Qt.

#include <cstdint>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar {

// One valid row of the cut list as it was when the plan was calculated.
struct PlannedRow {
    float length = 0.0f;
    std::int16_t quantity = 0;
    std::string partCode;
};

struct BarPlanView {
    BarPlan plan;
    bool showPartCodes = false;
    std::int16_t displayMode = 0;  // 0: one row per bar; 1: identical neighbours as one row
    std::string title;
    std::vector<PlannedRow> rows;  // the valid rows, in list order
};

// The view of the job's current plan, with the job's switches, title and valid rows.
BarPlanView CaptureBarPlanView(const BarJob& job);

}  // namespace tvx::bar

#pragma once
// One CBC solve with the settings every model of the optimising calculation uses: no output,
// CBC's own threads off, fixed seeds (so a job always gets the same plan), the time left until
// the deadline as CBC's elapsed-time limit, and optimality proven up to an absolute gap only.

#include <limits>

#include "common/search_control.h"

class CbcModel;

namespace tvx::bar::optimal {

struct CbcSolveSettings {
    int seed = 0;
    SearchControl::Clock::time_point deadline;
    // Absolute gap at which CBC may call its incumbent optimal: below the smallest step
    // between two plans' costs.
    double allowableGap = 1e-9;
    // Plans of this cost or more are not searched for (infinite: no cutoff).
    double cutoff = std::numeric_limits<double>::infinity();
    // CBC's preprocessing of the model; off where a solve that ends early with a start
    // solution must not reach its postprocessing.
    bool preprocess = true;
};

// Runs CBC's standard solve on `model` (its solver, handlers and any start solution already in
// place). The caller reads the result from the model.
void RunCbcSolve(CbcModel& model, const CbcSolveSettings& settings);

}  // namespace tvx::bar::optimal

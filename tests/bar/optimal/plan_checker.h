#pragma once
// An independent check of a bar plan against the job it was made for, written apart from
// both engines: it reads the lengths, codes, prices and limits from the job itself, adds
// lengths in exact decimal arithmetic, and recomputes the cost. Used by the tests of the
// optimising calculation.

#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar::test {

struct PlanCheck {
    std::vector<std::string> problems;  // empty when the plan is sound
    double cost = 0.0;                  // the cost recomputed from the job
    long long bars = 0;
    bool Sound() const { return problems.empty(); }
    std::string Text() const;
};

// Checks that every bar's pieces plus a kerf between neighbours fit its stock length exactly
// as entered, that the pieces of every (length, part code) are cut exactly as often as the
// valid rows ask, that no count limit is exceeded, that the plan's counts agree with its
// bars, that pieces run longest first and bars come grouped longest type first, and that the
// plan's cost equals the recomputed one.
PlanCheck CheckPlan(const BarJob& job, const BarPlan& plan);

// Whether pieces of these entered lengths fit a stock bar of the entered length with one kerf
// between neighbours, in exact decimal arithmetic.
bool PiecesFit(float stock, float kerf, const std::vector<float>& pieces);

}  // namespace tvx::bar::test

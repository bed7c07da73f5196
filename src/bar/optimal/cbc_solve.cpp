#include "bar/optimal/cbc_solve.h"

#include <CbcModel.hpp>
#include <CbcSolver.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace tvx::bar::optimal {
namespace {

// A number as CBC's command reader takes it, without losing digits (std::to_string would
// write 1e-9 as "0.000000").
std::string ExactText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

}  // namespace

void RunCbcSolve(CbcModel& model, const CbcSolveSettings& settings) {
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    data.useSignalHandler_ = false;
    CbcMain0(model, data);
    model.setRandomSeed(settings.seed);
    // CBC's own limit as well, for the stretches between the handlers' checks.
    const std::chrono::duration<double> left = settings.deadline - SearchControl::Clock::now();
    const std::string seconds = std::to_string(std::max(left.count(), 0.001));
    const std::string seedText = std::to_string(settings.seed);
    const std::string gapText = ExactText(settings.allowableGap);
    const std::string cutoffText = ExactText(settings.cutoff);
    std::vector<const char*> args = {"optimal",
                                     "-log",
                                     "0",
                                     "-slog",
                                     "0",
                                     "-threads",
                                     "0",
                                     "-timeMode",
                                     "elapsed",
                                     "-sec",
                                     seconds.c_str(),
                                     "-randomSeed",
                                     seedText.c_str(),
                                     "-randomCbcSeed",
                                     seedText.c_str(),
                                     "-ratioGap",
                                     "0",
                                     "-allowableGap",
                                     gapText.c_str()};
    if (std::isfinite(settings.cutoff)) {
        args.push_back("-cutoff");
        args.push_back(cutoffText.c_str());
    }
    if (!settings.preprocess) {
        args.push_back("-preprocess");
        args.push_back("off");
    }
    args.push_back("-solve");
    args.push_back("-quit");
    CbcMain1(
        static_cast<int>(args.size()), args.data(), model, [](CbcModel*, int) { return 0; }, data);
}

}  // namespace tvx::bar::optimal

#include "bar/optimal/flow_solver.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Relays CBC's events: stops the solve when the control asks for it and reports the best
// objective and the bound when they improve.
class ControlEvents : public CbcEventHandler {
  public:
    ControlEvents(const SearchControl& control, const FlowProgress& progress)
        : control_(control), progress_(progress) {}
    ControlEvents(const ControlEvents&) = default;
    CbcEventHandler* clone() const override { return new ControlEvents(*this); }

    CbcAction event(CbcEvent whichEvent) override {
        if (model_ != nullptr && progress_) {
            const double best = model_->getSolutionCount() > 0 ? model_->getObjValue() : NAN;
            const double bound = model_->getBestPossibleObjValue();
            const bool better =
                (!std::isnan(best) && !(best >= best_)) || (std::isfinite(bound) && bound > bound_);
            if (better && whichEvent != endSearch) {
                if (!std::isnan(best)) best_ = std::min(best_, best);
                if (std::isfinite(bound)) bound_ = std::max(bound_, bound);
                progress_(best, bound);
            }
        }
        if (whichEvent != endSearch && control_.ShouldStop()) return stop;
        return noAction;
    }

  private:
    const SearchControl& control_;
    const FlowProgress& progress_;
    double best_ = kInfinity;
    double bound_ = -kInfinity;
};

// The seconds left until the control's deadline, within the time limit.
double SecondsLeft(const SearchControl& control, double timeLimitSeconds) {
    double left = timeLimitSeconds > 0.0 ? timeLimitSeconds : 1e9;
    if (const auto deadline = control.Deadline()) {
        const std::chrono::duration<double> until = *deadline - SearchControl::Clock::now();
        left = std::min(left, until.count());
    }
    return std::max(left, 0.001);
}

}  // namespace

FlowSolution SolveFlowProblem(const FlowProblem& problem, double timeLimitSeconds, int seed,
                              const SearchControl& control, const FlowProgress& progress) {
    const std::size_t types = problem.graphs.size();
    const std::size_t groups = problem.demand.size();

    // Columns: each type's arcs, then its bar count. Rows: one balance row per node of each
    // type (flow in minus flow out, plus the bars at the source, minus them at the sink),
    // then one row per length group (demand).
    std::vector<std::size_t> firstColumn(types + 1, 0);
    std::vector<std::size_t> firstRow(types + 1, 0);
    for (std::size_t t = 0; t < types; ++t) {
        firstColumn[t + 1] = firstColumn[t] + problem.graphs[t].arcs.size() + 1;
        firstRow[t + 1] = firstRow[t] + static_cast<std::size_t>(problem.graphs[t].nodeCount);
    }
    const std::size_t columns = firstColumn[types];
    const std::size_t demandRow = firstRow[types];
    const std::size_t rows = demandRow + groups;

    CoinPackedMatrix matrix(true, 0, 0);  // column ordered
    matrix.setDimensions(static_cast<int>(rows), 0);
    std::vector<double> columnLower(columns, 0.0), columnUpper(columns, kInfinity);
    std::vector<double> objective(columns, 0.0);
    std::vector<double> rowLower(rows, 0.0), rowUpper(rows, 0.0);
    for (std::size_t t = 0; t < types; ++t) {
        const ArcFlowGraph& graph = problem.graphs[t];
        auto nodeRow = [&](std::int32_t node) {
            return static_cast<int>(firstRow[t] + static_cast<std::size_t>(node));
        };
        for (std::size_t a = 0; a < graph.arcs.size(); ++a) {
            const FlowArc& arc = graph.arcs[a];
            int index[3];
            double value[3];
            int n = 0;
            // Out of `from` (-1), into `to` (+1).
            index[n] = nodeRow(arc.from);
            value[n++] = -1.0;
            index[n] = nodeRow(arc.to);
            value[n++] = 1.0;
            if (arc.group >= 0) {
                index[n] = static_cast<int>(demandRow + static_cast<std::size_t>(arc.group));
                value[n++] = 1.0;
                columnUpper[firstColumn[t] + a] =
                    static_cast<double>(problem.demand[static_cast<std::size_t>(arc.group)]);
            }
            matrix.appendCol(n, index, value);
        }
        // The bar count feeds the source: flow out of the source equals the bars.
        const std::size_t bars = firstColumn[t] + graph.arcs.size();
        const int sourceIndex[2] = {nodeRow(graph.source), nodeRow(graph.sink)};
        const double sourceValue[2] = {1.0, -1.0};
        matrix.appendCol(2, sourceIndex, sourceValue);
        objective[bars] = problem.barWeight[t];
        if (problem.barLimit[t] > 0) columnUpper[bars] = static_cast<double>(problem.barLimit[t]);
        if (graph.source == graph.sink) columnUpper[bars] = 0.0;  // nothing fits this type
    }
    for (std::size_t g = 0; g < groups; ++g) {
        rowLower[demandRow + g] = static_cast<double>(problem.demand[g]);
        rowUpper[demandRow + g] = kInfinity;
    }

    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                       rowLower.data(), rowUpper.data());
    for (std::size_t c = 0; c < columns; ++c) solver.setInteger(static_cast<int>(c));

    CbcModel model(solver);
    model.messageHandler()->setLogLevel(0);
    ControlEvents events(control, progress);
    model.passInEventHandler(&events);
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    data.useSignalHandler_ = false;
    CbcMain0(model, data);
    model.setRandomSeed(seed);
    const std::string seconds = std::to_string(SecondsLeft(control, timeLimitSeconds));
    const std::string seedText = std::to_string(seed);
    const char* argv[] = {
        "optimal",        "-log",          "0",           "-threads",       "0",
        "-sec",           seconds.c_str(), "-randomSeed", seedText.c_str(), "-randomCbcSeed",
        seedText.c_str(), "-ratioGap",     "0",           "-allowableGap",  "0.5",
        "-solve",         "-quit"};
    CbcMain1(
        static_cast<int>(std::size(argv)), argv, model, [](CbcModel*, int) { return 0; }, data);

    FlowSolution result;
    result.bound = model.getBestPossibleObjValue();
    const double* best = model.bestSolution();
    if (best != nullptr && model.getSolutionCount() > 0) {
        result.hasSolution = true;
        result.objective = model.getObjValue();
        result.arcFlow.resize(types);
        for (std::size_t t = 0; t < types; ++t) {
            const std::size_t arcs = problem.graphs[t].arcs.size();
            result.arcFlow[t].resize(arcs);
            for (std::size_t a = 0; a < arcs; ++a)
                result.arcFlow[t][a] =
                    static_cast<std::int64_t>(std::llround(best[firstColumn[t] + a]));
        }
    }
    if (model.isProvenOptimal() && result.hasSolution) {
        result.status = FlowSolution::Status::kOptimal;
        result.bound = std::max(result.bound, result.objective);
    } else if (model.isProvenInfeasible() && !result.hasSolution) {
        result.status = FlowSolution::Status::kInfeasible;
    } else {
        result.status = FlowSolution::Status::kStopped;
    }
    return result;
}

}  // namespace tvx::bar::optimal

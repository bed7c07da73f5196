#include "bar/optimal/flow_solver.h"

#include "bar/optimal/cbc_solve.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <ClpEventHandler.hpp>
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

// The best integer solution seen in the main search, in the columns of the model as built.
// CBC hands its incumbent back through the model it was given only on some paths; a solve
// stopped at the wrong moment (inside preprocessing or a heuristic) may hand back none even
// though it had one, so the handler keeps its own copy.
struct KeptIncumbent {
    std::vector<double> values;
    double objective = kInfinity;
};

// Relays CBC's events: stops the solve when the control asks for it, keeps the incumbent and
// reports the best objective and the bound when they improve. Sub-searches that CBC's
// heuristics run on smaller models (they have a parent model) only get the stop; their
// solutions are not solutions of the whole problem.
class ControlEvents : public CbcEventHandler {
  public:
    ControlEvents(const SearchControl& control, const FlowProgress& progress,
                  SearchControl::Clock::time_point deadline, KeptIncumbent& kept, int columns)
        : control_(control),
          progress_(progress),
          deadline_(deadline),
          kept_(&kept),
          columns_(columns) {}
    ControlEvents(const ControlEvents&) = default;
    CbcEventHandler* clone() const override { return new ControlEvents(*this); }

    CbcAction event(CbcEvent whichEvent) override {
        if (model_ != nullptr && model_->parentModel() == nullptr) {
            Keep();
            if (progress_) Report(whichEvent);
        }
        if (whichEvent != endSearch &&
            (control_.ShouldStop() || SearchControl::Clock::now() >= deadline_))
            return stop;
        return noAction;
    }

  private:
    void Keep() {
        const double* best = model_->bestSolution();
        if (best == nullptr || model_->getSolutionCount() <= 0) return;
        if (model_->solver() == nullptr || model_->solver()->getNumCols() != columns_) return;
        const double objective = model_->getObjValue();
        if (!(objective < kept_->objective)) return;
        kept_->values.assign(best, best + columns_);
        kept_->objective = objective;
    }

    void Report(CbcEvent whichEvent) {
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

    const SearchControl& control_;
    const FlowProgress& progress_;
    SearchControl::Clock::time_point deadline_;
    KeptIncumbent* kept_;
    int columns_;
    double best_ = kInfinity;
    double bound_ = -kInfinity;
};

// Ends the LP solves themselves (CLP's iterations) on a stop request or at the deadline. The
// first LP of a large model runs long before CBC raises any event of its own; without this
// it could not be interrupted. `fired` records that an LP was cut short: the search's verdict
// is then no proof of anything.
class DeadlineLpEvents : public ClpEventHandler {
  public:
    DeadlineLpEvents(const SearchControl& control, SearchControl::Clock::time_point deadline,
                     bool& fired)
        : control_(&control), deadline_(deadline), fired_(&fired) {}
    DeadlineLpEvents(const DeadlineLpEvents&) = default;
    DeadlineLpEvents& operator=(const DeadlineLpEvents&) = default;
    ClpEventHandler* clone() const override { return new DeadlineLpEvents(*this); }

    int event(Event whichEvent) override {
        if (whichEvent != endOfIteration) return -1;
        if (!control_->ShouldStop() && SearchControl::Clock::now() < deadline_) return -1;
        *fired_ = true;
        return 0;  // stops this LP solve
    }

  private:
    const SearchControl* control_;
    SearchControl::Clock::time_point deadline_;
    bool* fired_;
};

// Whether `values`, rounded, is an integer solution of the model as built.
bool SolvesTheModel(const CoinPackedMatrix& matrix, const std::vector<double>& values,
                    const std::vector<double>& columnLower, const std::vector<double>& columnUpper,
                    const std::vector<double>& rowLower, const std::vector<double>& rowUpper) {
    std::vector<double> rounded(values.size());
    for (std::size_t c = 0; c < values.size(); ++c) {
        rounded[c] = std::round(values[c]);
        if (std::fabs(rounded[c] - values[c]) > 1e-6) return false;
        if (rounded[c] < columnLower[c] - 1e-9 || rounded[c] > columnUpper[c] + 1e-9) return false;
    }
    std::vector<double> activity(rowLower.size(), 0.0);
    matrix.times(rounded.data(), activity.data());
    for (std::size_t r = 0; r < activity.size(); ++r)
        if (activity[r] < rowLower[r] - 1e-9 || activity[r] > rowUpper[r] + 1e-9) return false;
    return true;
}

}  // namespace

FlowSolution SolveFlowProblem(const FlowProblem& problem, SearchControl::Clock::time_point deadline,
                              int seed, const SearchControl& control,
                              const FlowProgress& progress) {
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
    const bool capped = !problem.capWeight.empty();
    const std::size_t capRow = demandRow + groups;
    const std::size_t rows = capRow + (capped ? 1 : 0);

    // The matrix column by column in plain arrays, handed over at once (appending columns
    // one by one copies the matrix over and over).
    std::vector<CoinBigIndex> start;
    std::vector<int> length;
    std::vector<int> rowIndex;
    std::vector<double> element;
    start.reserve(columns);
    length.reserve(columns);
    auto appendColumn = [&](int n, const int* index, const double* value) {
        start.push_back(static_cast<CoinBigIndex>(rowIndex.size()));
        length.push_back(n);
        rowIndex.insert(rowIndex.end(), index, index + n);
        element.insert(element.end(), value, value + n);
    };
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
            appendColumn(n, index, value);
        }
        // The bar count feeds the source: flow out of the source equals the bars.
        const std::size_t bars = firstColumn[t] + graph.arcs.size();
        const int sourceIndex[3] = {nodeRow(graph.source), nodeRow(graph.sink),
                                    static_cast<int>(capRow)};
        const double sourceValue[3] = {1.0, -1.0, capped ? problem.capWeight[t] : 0.0};
        appendColumn(capped ? 3 : 2, sourceIndex, sourceValue);
        objective[bars] = problem.barWeight[t];
        if (problem.barLimit[t] > 0) columnUpper[bars] = static_cast<double>(problem.barLimit[t]);
        if (graph.source == graph.sink) columnUpper[bars] = 0.0;  // nothing fits this type
    }
    for (std::size_t g = 0; g < groups; ++g) {
        rowLower[demandRow + g] = static_cast<double>(problem.demand[g]);
        rowUpper[demandRow + g] = kInfinity;
    }

    if (capped) {
        rowLower[capRow] = -kInfinity;
        rowUpper[capRow] = problem.capValue;
    }

    const CoinPackedMatrix matrix(true, static_cast<int>(rows), static_cast<int>(columns),
                                  static_cast<CoinBigIndex>(element.size()), element.data(),
                                  rowIndex.data(), start.data(), length.data());
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                       rowLower.data(), rowUpper.data());
    for (std::size_t c = 0; c < columns; ++c) solver.setInteger(static_cast<int>(c));
    bool lpCutShort = false;
    const DeadlineLpEvents lpEvents(control, deadline, lpCutShort);
    solver.getModelPtr()->passInEventHandler(&lpEvents);

    CbcModel model(solver);
    model.messageHandler()->setLogLevel(0);
    KeptIncumbent kept;
    ControlEvents events(control, progress, deadline, kept, static_cast<int>(columns));
    model.passInEventHandler(&events);
    RunCbcSolve(model, {.seed = seed,
                        .deadline = deadline,
                        .allowableGap = problem.allowableGap,
                        .cutoff = problem.cutoff});

    FlowSolution result;
    result.bound = model.getBestPossibleObjValue();
    const double* best = model.bestSolution();
    double bestObjective = best != nullptr ? model.getObjValue() : kInfinity;
    // A model that presolve solves outright reports no solution count, but has its solution.
    // Without one handed back, the incumbent the handler kept, once checked against the model.
    // After an LP was cut short, whatever CBC hands back is checked against the model too.
    if (best != nullptr && lpCutShort &&
        !SolvesTheModel(matrix, std::vector<double>(best, best + columns), columnLower, columnUpper,
                        rowLower, rowUpper))
        best = nullptr;
    if (best == nullptr && !kept.values.empty() &&
        SolvesTheModel(matrix, kept.values, columnLower, columnUpper, rowLower, rowUpper)) {
        best = kept.values.data();
        bestObjective = 0.0;
        for (std::size_t c = 0; c < columns; ++c)
            bestObjective += objective[c] * std::round(kept.values[c]);
    }
    if (best != nullptr) {
        result.hasSolution = true;
        result.objective = bestObjective;
        result.arcFlow.resize(types);
        result.barCount.resize(types);
        for (std::size_t t = 0; t < types; ++t) {
            const std::size_t arcs = problem.graphs[t].arcs.size();
            result.arcFlow[t].resize(arcs);
            result.barCount[t] =
                static_cast<std::int64_t>(std::llround(best[firstColumn[t] + arcs]));
            for (std::size_t a = 0; a < arcs; ++a)
                result.arcFlow[t][a] =
                    static_cast<std::int64_t>(std::llround(best[firstColumn[t] + a]));
        }
    }
    if (lpCutShort) {
        // An LP stopped part way proves neither optimality nor infeasibility, nor its bound.
        result.status = FlowSolution::Status::Stopped;
        result.bound = -kInfinity;
    } else if (model.isProvenOptimal() && result.hasSolution) {
        result.status = FlowSolution::Status::Optimal;
        result.bound = std::max(result.bound, result.objective);
    } else if (model.isProvenInfeasible() && !result.hasSolution) {
        result.status = FlowSolution::Status::Infeasible;
    } else {
        result.status = FlowSolution::Status::Stopped;
    }
    return result;
}

}  // namespace tvx::bar::optimal

#if defined(__SANITIZE_ADDRESS__)
// CoinUtils' presolve keeps a few small buffers to the end of the process; without this the
// leak check of sanitized builds fails every program that solves.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libCoinUtils\n";
}
#endif

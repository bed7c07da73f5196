#include "bar/optimal/pattern_dive.h"

#include <algorithm>
#include <cmath>

#include "bar/optimal/pattern_completion.h"

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A relaxation's value this close to a whole number counts as whole.
constexpr double kWhole = 1e-6;

// A pattern of the relaxation and the whole number of bars a dive would fix of it.
struct Candidate {
    std::size_t column = 0;
    double value = 0.0;
    std::int64_t bars = 0;
    double distance = 0.0;  // |bars - value|
};

class Diver {
  public:
    Diver(const PatternProblem& problem, MasterLp& master, const DiveSettings& settings,
          double bound, const BoundForPlan& boundForPlan, SearchControl::Clock::time_point deadline,
          SearchControl::Clock::time_point firstPlanDeadline, const SearchControl& control)
        : problem_(problem),
          master_(master),
          settings_(settings),
          bound_(bound),
          boundForPlan_(boundForPlan),
          deadline_(deadline),
          firstPlanDeadline_(std::max(deadline, firstPlanDeadline)),
          control_(control) {}

    DivePlan Run() {
        const MasterLp::Residual start = master_.Save();
        Path(0, {}, 0.0);
        master_.Restore(start);
        plan_.count.resize(master_.columns().size(), 0);
        return plan_;
    }

  private:
    // Until the first plan, the search may run on to the later deadline.
    SearchControl::Clock::time_point Deadline() const {
        return plan_.found ? deadline_ : firstPlanDeadline_;
    }

    // The rounding slack of sums of doubles near `value`.
    static double Slack(double value) { return 1e-9 * std::fabs(value) + 1e-6; }

    bool ReachesBound(double objective) const {
        if (!std::isfinite(bound_)) return false;
        return problem_.wholeWeights ? std::round(objective) <= std::ceil(bound_ - Slack(bound_))
                                     : objective <= bound_ + Slack(bound_);
    }

    // Whether no plan whose objective is at least `lower` beats the best plan so far.
    bool CannotImprove(double lower) const {
        if (!plan_.found) return false;
        return problem_.wholeWeights
                   ? std::ceil(lower - Slack(lower)) >= std::round(plan_.objective)
                   : lower >= plan_.objective - Slack(plan_.objective);
    }

    // One path from the current residual: fixes bars until nothing is left, the residual has
    // no plan, or it cannot beat the best plan; at its first decisions it turns aside as well.
    void Path(int depth, std::vector<std::size_t> tabu, double fixedCost) {
        double fewBars = settings_.endGameBars;
        while (!stop_) {
            if (TimeIsUp(control_, Deadline())) {
                stop_ = true;
                break;
            }
            if (master_.Done()) {
                Record();
                break;
            }
            double residualBound = -kInfinity;
            if (!master_.Generate(control_, Deadline(), residualBound)) {
                stop_ = stop_ || TimeIsUp(control_, Deadline());
                break;
            }
            if (master_.Artificial() > kWhole) break;  // the fixed bars leave no plan
            if (CannotImprove(fixedCost + residualBound)) break;
            if (EndGame(fixedCost, fewBars)) break;
            // What is left fits on one bar: that bar ends the path when it costs no more than
            // the residual's bound.
            if (const auto last = master_.AddLastBar()) {
                const double weight = problem_.weight[master_.columns()[*last].type];
                const bool enough = problem_.wholeWeights
                                        ? weight <= std::ceil(residualBound - Slack(residualBound))
                                        : weight <= residualBound + Slack(residualBound);
                if (enough) {
                    FixBars(*last, 1, fixedCost);
                    continue;
                }
            }
            std::vector<Candidate> candidates = Candidates(tabu);
            // Patterns the relaxation already uses a whole number of times: all of them at
            // once, which keeps the relaxation's solution optimal for what is left.
            bool fixedWhole = false;
            for (const Candidate& candidate : candidates)
                if (candidate.distance <= kWhole) {
                    FixBars(candidate.column, candidate.bars, fixedCost);
                    fixedWhole = true;
                }
            if (fixedWhole) continue;
            if (candidates.empty()) break;  // only set-aside patterns are left
            const bool turnsAside = depth < settings_.maxDepth &&
                                    static_cast<int>(tabu.size()) < settings_.maxDiscrepancy;
            if (!turnsAside) {
                FixBars(candidates.front().column, candidates.front().bars, fixedCost);
                ++depth;
                continue;
            }
            const MasterLp::Residual here = master_.Save();
            const std::size_t fixedHere = fixed_.size();
            for (std::size_t i = 0; i < candidates.size() && !stop_; ++i) {
                if (i > 0) {
                    if (static_cast<int>(tabu.size()) >= settings_.maxDiscrepancy) break;
                    tabu.push_back(candidates[i - 1].column);
                    master_.Restore(here);
                    fixed_.resize(fixedHere);
                }
                double cost = fixedCost;
                FixBars(candidates[i].column, candidates[i].bars, cost);
                Path(depth + 1, tabu, cost);
            }
            return;
        }
        ++plan_.paths;
    }

    // When the relaxation needs at most `fewBars` more bars: the cheapest completion of the
    // residual within reach (below the best plan, and at most `endGameReach` of the dearest bar
    // above the residual's bound), which ends the path. The reach grows in doubling steps from
    // a sixteenth of that, since short reaches list few patterns and a plan found there is the
    // cheapest. False when the path should go on diving; then `fewBars` drops below the
    // relaxation's bars, so that the next try waits until at least one more bar is fixed.
    bool EndGame(double fixedCost, double& fewBars) {
        double bars = 0.0;
        for (std::size_t c = 0; c < master_.columns().size(); ++c) bars += master_.Value(c);
        if (bars > fewBars) return false;
        fewBars = bars - 1.0;
        const RoundDuals& duals = master_.duals();
        double dearest = 0.0;
        for (const double w : problem_.weight) dearest = std::max(dearest, w);
        double cap = duals.bound + settings_.endGameReach * dearest;
        bool belowBest = false;
        if (plan_.found) {
            // Only plans strictly cheaper than the best are of use.
            const double below = problem_.wholeWeights
                                     ? std::round(plan_.objective) - 1.0 - fixedCost
                                     : plan_.objective - Slack(plan_.objective) - fixedCost;
            if (below <= cap) {
                cap = below;
                belowBest = true;
            }
        }
        const MasterLp::Residual residual = master_.Save();
        bool settled = true;
        for (double share = 1.0 / 16.0;; share *= 2.0) {
            double reach = std::min(cap, duals.bound + share * settings_.endGameReach * dearest);
            if (problem_.wholeWeights) reach = std::floor(reach + Slack(reach));
            const Completion completion =
                CompleteResidual(problem_, residual, duals, reach, settings_.endGamePatterns,
                                 settings_.endGameNodes, Deadline(), control_);
            if (completion.status == Completion::Status::Found) {
                for (std::size_t i = 0; i < completion.patterns.size(); ++i)
                    FixBars(master_.AddPattern(completion.patterns[i]), completion.count[i],
                            fixedCost);
                if (master_.Done()) Record();
                return true;
            }
            // Not settled (too many patterns or nodes) or none within this reach: the next
            // reach, unless this was the whole reach.
            settled = settled && completion.status == Completion::Status::NoneWithinReach;
            if (TimeIsUp(control_, Deadline())) {
                stop_ = true;
                return true;
            }
            if (reach >= cap - Slack(cap) || share >= 1.0) break;
        }
        // Nothing cheaper than the best below this path when every reach was settled.
        return settled && belowBest;
    }

    // The patterns the relaxation uses and that are not set aside, nearest a whole count
    // first (then the most used, then the oldest).
    std::vector<Candidate> Candidates(const std::vector<std::size_t>& tabu) const {
        std::vector<Candidate> candidates;
        for (std::size_t c = 0; c < master_.columns().size(); ++c) {
            const double value = master_.Value(c);
            if (value <= kWhole || std::find(tabu.begin(), tabu.end(), c) != tabu.end()) continue;
            const std::int64_t bars = std::max<std::int64_t>(1, std::llround(value));
            candidates.push_back({c, value, bars, std::fabs(static_cast<double>(bars) - value)});
        }
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            if (a.distance != b.distance) return a.distance < b.distance;
            if (a.value != b.value) return a.value > b.value;
            return a.column < b.column;
        });
        return candidates;
    }

    // Takes `bars` bars of pattern c out of the residual, one at a time, each cut down to the
    // pieces still needed and filled up with needed pieces (longest first).
    void FixBars(std::size_t c, std::int64_t bars, double& fixedCost) {
        for (std::int64_t b = 0; b < bars && !master_.Done(); ++b) {
            const std::size_t trimmed = master_.AddTrimmed(c);
            master_.Fix(trimmed, 1);
            fixed_.push_back(trimmed);
            fixedCost += problem_.weight[master_.columns()[trimmed].type];
        }
    }

    // The bars fixed along this path make a plan: kept when it is checked and better.
    void Record() {
        std::vector<std::int64_t> count(master_.columns().size(), 0);
        for (const std::size_t c : fixed_) ++count[c];
        double objective = 0.0;
        if (!CheckCounts(problem_, master_.columns(), count, objective)) return;
        if (plan_.found && objective >= plan_.objective - Slack(plan_.objective)) return;
        plan_.found = true;
        plan_.count = std::move(count);
        plan_.objective = objective;
        if (boundForPlan_) bound_ = std::max(bound_, boundForPlan_(objective));
        if (ReachesBound(objective)) stop_ = true;
    }

    const PatternProblem& problem_;
    MasterLp& master_;
    const DiveSettings settings_;
    double bound_;
    const BoundForPlan& boundForPlan_;
    const SearchControl::Clock::time_point deadline_;
    const SearchControl::Clock::time_point firstPlanDeadline_;
    const SearchControl& control_;
    std::vector<std::size_t> fixed_;  // one entry per bar fixed along the current path
    DivePlan plan_;
    bool stop_ = false;
};

}  // namespace

DivePlan DiveForPlan(const PatternProblem& problem, MasterLp& master, const DiveSettings& settings,
                     double bound, const BoundForPlan& boundForPlan,
                     SearchControl::Clock::time_point deadline,
                     SearchControl::Clock::time_point firstPlanDeadline,
                     const SearchControl& control) {
    return Diver(problem, master, settings, bound, boundForPlan, deadline, firstPlanDeadline,
                 control)
        .Run();
}

}  // namespace tvx::bar::optimal

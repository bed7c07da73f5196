#include "bar/optimal/pattern_completion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "bar/optimal/pattern_enumeration.h"

namespace tvx::bar::optimal {
namespace {

// A listed pattern with what the search needs of it.
struct Listed {
    Column column;
    double weight = 0.0;
    double reduced = 0.0;  // its reduced cost under the duals, at least 0
};

// Depth-first search for the cheapest multiset of listed patterns covering the need: the next
// bar always holds a piece of the longest group still needed, and while that group stays the
// same, bars come in list order (so each multiset is met once). A branch ends when its reduced
// costs use up the slack (no plan within reach below it) or when its weight, plus the length
// still needed at the least weight per length, cannot beat the best.
class CompletionSearch {
  public:
    CompletionSearch(const PatternProblem& problem, const std::vector<Listed>& listed,
                     const MasterLp::Residual& residual, double bound, double reach,
                     std::int64_t nodeBudget, SearchControl::Clock::time_point deadline,
                     const SearchControl& control)
        : problem_(problem),
          listed_(listed),
          need_(residual.need),
          room_(residual.room),
          bound_(bound),
          reach_(reach),
          nodesLeft_(nodeBudget),
          deadline_(deadline),
          control_(control) {
        holding_.resize(need_.size());
        for (std::size_t p = 0; p < listed.size(); ++p)
            for (std::size_t g = 0; g < need_.size(); ++g)
                if (listed[p].column.perGroup[g] > 0) holding_[g].push_back(p);
        // The least weight per unit of length of any type with a bar left.
        rate_ = std::numeric_limits<double>::infinity();
        for (std::size_t t = 0; t < problem.capacity.size(); ++t)
            if (problem.limit[t] == 0 || room_[t] > 0)
                rate_ =
                    std::min(rate_, problem.weight[t] / static_cast<double>(problem.capacity[t]));
        if (!std::isfinite(rate_)) rate_ = 0.0;
        rate_ *= 1.0 - 1e-9;  // rounding: never above the true rate
    }

    // False when the search was cut short (nodes, deadline or stop request).
    bool Run() {
        std::int64_t length = 0, pieces = 0;
        for (std::size_t g = 0; g < need_.size(); ++g) {
            length += need_[g] * problem_.width[g];
            pieces += need_[g];
        }
        // Every bar holds at least one needed piece, so a completion has at most that many.
        taken_.assign(static_cast<std::size_t>(pieces + 1) * need_.size(), 0);
        Search(0, 0, 0.0, 0.0, length);
        return !cutShort_;
    }
    bool found() const { return found_; }
    double bestWeight() const { return bestWeight_; }
    const std::vector<std::size_t>& best() const { return best_; }

  private:
    // The most a completion may weigh: within reach, and below the best one found.
    double Ceiling() const {
        if (!found_) return reach_;
        const double step = problem_.wholeWeights ? 1.0 : 1e-9 * std::max(1.0, bestWeight_);
        return std::min(reach_, bestWeight_ - step);
    }

    // `from`: where in the list of patterns holding `lastGroup` the bars may continue.
    void Search(std::size_t from, std::size_t lastGroup, double weight, double reduced,
                std::int64_t length) {
        if (cutShort_) return;
        std::size_t group = 0;
        while (group < need_.size() && need_[group] == 0) ++group;
        if (group == need_.size()) {
            if (found_ && weight >= bestWeight_) return;
            found_ = true;
            bestWeight_ = weight;
            best_ = chosen_;
            return;
        }
        const double margin = 1e-9 * std::max(1.0, std::fabs(bound_)) + 1e-6;
        const std::vector<std::size_t>& holding = holding_[group];
        for (std::size_t i = group == lastGroup ? from : 0; i < holding.size(); ++i) {
            if (--nodesLeft_ < 0 || ((nodesLeft_ & 1023) == 0 && TimeIsUp(control_, deadline_))) {
                cutShort_ = true;
                return;
            }
            const Listed& bar = listed_[holding[i]];
            const double ceiling = Ceiling();  // lower once a child finds a plan
            // Listed by reduced cost: the rest cost no less.
            if (bound_ + reduced + bar.reduced > ceiling + margin) break;
            const std::size_t type = bar.column.type;
            if (problem_.limit[type] > 0 && room_[type] == 0) continue;
            std::int64_t cut = 0;
            for (std::size_t g = 0; g < need_.size(); ++g)
                cut += std::min(need_[g], bar.column.perGroup[g]) * problem_.width[g];
            // What is still needed after this bar costs at least its length at the least rate.
            const double after = weight + bar.weight + static_cast<double>(length - cut) * rate_;
            if (after > ceiling + margin) continue;
            std::int64_t* taken = &taken_[chosen_.size() * need_.size()];
            for (std::size_t g = 0; g < need_.size(); ++g) {
                taken[g] = std::min(need_[g], bar.column.perGroup[g]);
                need_[g] -= taken[g];
            }
            if (problem_.limit[type] > 0) --room_[type];
            chosen_.push_back(holding[i]);
            Search(i, group, weight + bar.weight, reduced + bar.reduced, length - cut);
            chosen_.pop_back();
            if (problem_.limit[type] > 0) ++room_[type];
            for (std::size_t g = 0; g < need_.size(); ++g) need_[g] += taken[g];
            if (cutShort_) return;
        }
    }

    const PatternProblem& problem_;
    const std::vector<Listed>& listed_;
    std::vector<std::int64_t> need_;
    std::vector<std::int64_t> room_;
    const double bound_;
    const double reach_;
    std::int64_t nodesLeft_;
    const SearchControl::Clock::time_point deadline_;
    const SearchControl& control_;
    std::vector<std::vector<std::size_t>> holding_;  // per group: the patterns holding it
    double rate_ = 0.0;
    std::vector<std::int64_t> taken_;  // per bar on the path: the pieces it took, per group
    std::vector<std::size_t> chosen_;
    std::vector<std::size_t> best_;
    double bestWeight_ = std::numeric_limits<double>::infinity();
    bool found_ = false;
    bool cutShort_ = false;
};

}  // namespace

Completion CompleteResidual(const PatternProblem& problem, const MasterLp::Residual& residual,
                            const RoundDuals& duals, double reach, std::size_t most,
                            std::int64_t nodeBudget, SearchControl::Clock::time_point deadline,
                            const SearchControl& control) {
    Completion result;
    if (!duals.valid || TimeIsUp(control, deadline)) return result;
    const double slack = reach - duals.bound;
    if (slack < 0.0) {
        result.status = Completion::Status::NoneWithinReach;
        return result;
    }
    std::vector<Listed> listed;
    for (std::size_t t = 0; t < problem.capacity.size(); ++t) {
        if (!std::isfinite(duals.emptyCost[t])) continue;  // no bar of the type left
        const auto patterns =
            EnumeratePatterns({problem.capacity[t], duals.emptyCost[t]}, problem.width,
                              residual.need, duals.price, slack, most - listed.size());
        if (!patterns) return result;
        for (const auto& perGroup : *patterns) {
            double value = 0.0;
            for (std::size_t g = 0; g < perGroup.size(); ++g)
                value += duals.price[g] * static_cast<double>(perGroup[g]);
            listed.push_back(
                {{t, perGroup}, problem.weight[t], std::max(0.0, duals.emptyCost[t] - value)});
        }
    }
    // By reduced cost, then weight; the listing order breaks ties, so the search is the same
    // every time.
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        if (a.reduced != b.reduced) return a.reduced < b.reduced;
        return a.weight < b.weight;
    });
    CompletionSearch search(problem, listed, residual, duals.bound, reach, nodeBudget, deadline,
                            control);
    const bool complete = search.Run();
    if (search.found()) {
        std::vector<std::size_t> chosen = search.best();
        std::sort(chosen.begin(), chosen.end());
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (i > 0 && chosen[i] == chosen[i - 1]) {
                ++result.count.back();
                continue;
            }
            result.patterns.push_back(listed[chosen[i]].column);
            result.count.push_back(1);
        }
        result.objective = search.bestWeight();
        result.status = Completion::Status::Found;
    } else if (complete) {
        result.status = Completion::Status::NoneWithinReach;
    }
    return result;
}

}  // namespace tvx::bar::optimal

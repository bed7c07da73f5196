#pragma once
// The improvement phase: empty the weakest panel. Each step takes the panel with the least
// piece area and one to three other panels, and refills the others' sizes with all their
// pieces. When everything fits, the weak panel is gone; otherwise the step is kept when the
// pieces left over fit one panel of the weak panel's size and cover less area than before,
// so the weakest panel keeps shrinking until it can be emptied.

#include <cstdint>
#include <functional>

#include "panel/engine/optimize/packing_problem.h"

namespace tvx::panel::optimize {

// A small deterministic generator (splitmix64), the same on every platform.
class SearchRandom {
  public:
    explicit SearchRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1; 0 when bound is 0.
    std::size_t Below(std::size_t bound) {
        return bound == 0 ? 0 : static_cast<std::size_t>(Next() % bound);
    }

  private:
    std::uint64_t state_;
};

struct EliminationLimits {
    std::int64_t steps = 0;      // steps at most
    std::int64_t costBound = 0;  // stop when the packing costs no more than this
    // Stop after this many steps without a cheaper packing or a weakest panel lighter than
    // any since the last cheaper packing.
    std::int64_t patience = 0;
};

// Improves the packing in place; the packing stays complete and within the sheet limits.
// Returns the number of steps taken. `shouldStop` is polled every few steps; `onStep` (may be
// empty) sees the step count and the cost after every step that changed the packing.
std::int64_t EliminateWeakPanels(const PackingProblem& problem, Packing& packing,
                                 const EliminationLimits& limits, SearchRandom& random,
                                 const std::function<bool()>& shouldStop,
                                 const std::function<void(std::int64_t, std::int64_t)>& onStep);

}  // namespace tvx::panel::optimize

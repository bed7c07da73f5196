#include "lower_bounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace tvx::panel::optimize {
namespace {

// One dual feasible function over lengths up to `length`, scaled to whole numbers:
// Apply(x) for a piece side, Full() for the panel side.
struct LengthFunction {
    enum class Kind { Identity, Threshold, Staircase } kind = Kind::Identity;
    std::int64_t length = 0;
    std::int64_t parameter = 0;  // the threshold, or k of the staircase

    std::int64_t Apply(std::int64_t x) const {
        switch (kind) {
            case Kind::Identity:
                return x;
            case Kind::Threshold:
                // Sides above length - e take the whole panel, sides below e vanish.
                if (x > length - parameter) return length;
                return x < parameter ? 0 : x;
            case Kind::Staircase: {
                // k * u_k(x): k x where (k + 1) x is a multiple of the length, else
                // floor((k + 1) x / length) * length.
                const std::int64_t k = parameter;
                if (((k + 1) * x) % length == 0) return k * x;
                return ((k + 1) * x / length) * length;
            }
        }
        return x;
    }
    std::int64_t Full() const { return kind == Kind::Staircase ? parameter * length : length; }
};

std::vector<LengthFunction> FunctionsFor(std::int64_t length, const std::set<std::int64_t>& sides) {
    std::vector<LengthFunction> functions;
    functions.push_back({LengthFunction::Kind::Identity, length, 0});
    for (const std::int64_t side : sides)
        if (side >= 1 && 2 * side <= length)
            functions.push_back({LengthFunction::Kind::Threshold, length, side});
    for (std::int64_t k = 1; k <= 6; ++k)
        functions.push_back({LengthFunction::Kind::Staircase, length, k});
    return functions;
}

struct Oriented {
    std::int64_t width, height;
};

// The orientations in which each piece fits the panel.
std::vector<std::vector<Oriented>> FittingOrientations(const PackingProblem& problem,
                                                       const BinType& type) {
    std::vector<std::vector<Oriented>> result;
    for (const Piece& piece : problem.pieces) {
        std::vector<Oriented> ways;
        if (piece.width <= type.width && piece.height <= type.height)
            ways.push_back({piece.width, piece.height});
        if (piece.canTurn && piece.height <= type.width && piece.width <= type.height)
            ways.push_back({piece.height, piece.width});
        if (!ways.empty()) result.push_back(std::move(ways));
    }
    return result;
}

// ceil(sum / full) with a margin against rounding in the floating sum: never above the
// exact value.
std::int64_t RoundedUpQuotient(long double sum, long double full) {
    if (full <= 0) return 0;
    const long double q = sum / full;
    return static_cast<std::int64_t>(std::ceil(q - 1e-9L * std::max<long double>(1, q)));
}

}  // namespace

std::int64_t PanelCountBound(const PackingProblem& problem, const BinType& type) {
    const std::vector<std::vector<Oriented>> pieces = FittingOrientations(problem, type);
    if (pieces.empty() || type.width <= 0 || type.height <= 0) return 0;
    std::set<std::int64_t> widths, heights;
    for (const auto& ways : pieces) {
        for (const Oriented& o : ways) {
            widths.insert(o.width);
            heights.insert(o.height);
        }
    }
    const std::vector<LengthFunction> fs = FunctionsFor(type.width, widths);
    const std::vector<LengthFunction> gs = FunctionsFor(type.height, heights);
    std::int64_t best = 0;
    for (const LengthFunction& f : fs) {
        for (const LengthFunction& g : gs) {
            long double sum = 0;
            for (const auto& ways : pieces) {
                long double least = -1;
                for (const Oriented& o : ways) {
                    const long double v =
                        static_cast<long double>(f.Apply(o.width)) * g.Apply(o.height);
                    if (least < 0 || v < least) least = v;
                }
                sum += least;
            }
            const long double full = static_cast<long double>(f.Full()) * g.Full();
            best = std::max(best, RoundedUpQuotient(sum, full));
        }
    }
    return best;
}

std::int64_t CostBound(const PackingProblem& problem) {
    if (problem.pieces.empty() || problem.types.empty()) return 0;
    if (problem.types.size() == 1)
        return PanelCountBound(problem, problem.types.front()) * problem.types.front().cost;
    long double sum = 0;
    for (const Piece& piece : problem.pieces) {
        long double bestRate = -1;
        for (const BinType& type : problem.types) {
            if (!problem.Fits(piece, type) || type.area() <= 0) continue;
            const long double rate = static_cast<long double>(type.cost) / type.area();
            if (bestRate < 0 || rate < bestRate) bestRate = rate;
        }
        if (bestRate > 0) sum += bestRate * piece.area();
    }
    return RoundedUpQuotient(sum, 1);
}

}  // namespace tvx::panel::optimize

// Listing patterns by reduced cost: on small random types the list is exactly the set of
// maximal patterns within the threshold that a plain walk through every pattern finds, and a
// list longer than allowed is refused rather than cut short.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "bar/optimal/pattern_enumeration.h"

namespace tvx::bar::optimal {
namespace {

using Pattern = std::vector<std::int64_t>;

struct SmallType {
    PricedType type;
    std::vector<std::int64_t> width, demand;
    std::vector<double> price;
};

// Every pattern within the demand and the capacity, with at least one piece, that no further
// demanded piece fits into, and whose reduced cost is at most the threshold.
std::set<Pattern> EveryPatternWithin(const SmallType& small, double threshold) {
    std::set<Pattern> found;
    Pattern current(small.width.size(), 0);
    auto walk = [&](auto&& self, std::size_t g, std::int64_t room) -> void {
        if (g == small.width.size()) {
            std::int64_t pieces = 0;
            double value = 0.0;
            bool maximal = true;
            for (std::size_t k = 0; k < current.size(); ++k) {
                pieces += current[k];
                value += small.price[k] * static_cast<double>(current[k]);
                maximal = maximal && (current[k] == small.demand[k] || small.width[k] > room);
            }
            if (pieces > 0 && maximal && small.type.emptyCost - value <= threshold + 1e-9)
                found.insert(current);
            return;
        }
        for (std::int64_t n = 0; n <= small.demand[g] && n * small.width[g] <= room; ++n) {
            current[g] = n;
            self(self, g + 1, room - n * small.width[g]);
        }
        current[g] = 0;
    };
    walk(walk, 0, small.type.capacity);
    return found;
}

SmallType RandomType(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    SmallType small;
    small.type.capacity = pick(20, 120);
    const int groups = pick(1, 6);
    double best = 0.0;
    for (int g = 0; g < groups; ++g) {
        small.width.push_back(pick(3, 70));
        small.demand.push_back(pick(0, 5));
        // Prices roughly by width, some zero, as the duals of a relaxation come out.
        const double price =
            pick(0, 4) == 0 ? 0.0 : static_cast<double>(small.width.back()) * pick(5, 15) / 10.0;
        small.price.push_back(price);
        best = std::max(best, price / static_cast<double>(small.width.back()));
    }
    small.type.emptyCost = best * static_cast<double>(small.type.capacity) * pick(9, 12) / 10.0;
    return small;
}

TEST(PatternEnumeration, ListsExactlyTheMaximalPatternsWithinTheThreshold) {
    std::mt19937 random(4242);
    int nonEmpty = 0, partial = 0;
    for (int round = 0; round < 300; ++round) {
        const SmallType small = RandomType(random);
        const auto all = EveryPatternWithin(small, 1e18);
        // Thresholds from below the cheapest pattern to above the dearest.
        for (const double share : {-0.1, 0.0, 0.05, 0.2, 0.5, 1.0, 10.0}) {
            const double threshold = share * small.type.emptyCost;
            const auto listed = EnumeratePatterns(small.type, small.width, small.demand,
                                                  small.price, threshold, 100000);
            ASSERT_TRUE(listed.has_value());
            const std::set<Pattern> got(listed->begin(), listed->end());
            SCOPED_TRACE("round " + std::to_string(round) + " share " + std::to_string(share));
            EXPECT_EQ(got.size(), listed->size()) << "a pattern listed twice";
            EXPECT_EQ(got, EveryPatternWithin(small, threshold));
            nonEmpty += !got.empty();
            partial += !got.empty() && got.size() < all.size();
        }
    }
    // The random types reach both short and complete lists.
    EXPECT_GT(nonEmpty, 300);
    EXPECT_GT(partial, 100);
}

TEST(PatternEnumeration, RefusesAListLongerThanAllowed) {
    // Four groups of width 10, up to 3 of each, on a bar of 60: 6 pieces fill it exactly.
    const PricedType type{60, 6.0};
    const std::vector<std::int64_t> width(4, 10), demand(4, 3);
    const std::vector<double> price(4, 1.0);
    const auto all = EnumeratePatterns(type, width, demand, price, 0.0, 1000);
    ASSERT_TRUE(all.has_value());
    ASSERT_GT(all->size(), 3u);
    EXPECT_TRUE(EnumeratePatterns(type, width, demand, price, 0.0, all->size()).has_value());
    EXPECT_FALSE(EnumeratePatterns(type, width, demand, price, 0.0, all->size() - 1).has_value());
    for (const Pattern& pattern : *all) {
        std::int64_t pieces = 0;
        for (const std::int64_t n : pattern) pieces += n;
        EXPECT_EQ(pieces, 6);
    }
}

TEST(PatternEnumeration, NothingFitsNothingListed) {
    const PricedType type{50, 0.0};
    const auto listed = EnumeratePatterns(type, {60, 70}, {2, 2}, {5.0, 5.0}, 100.0, 10);
    ASSERT_TRUE(listed.has_value());
    EXPECT_TRUE(listed->empty());
}

}  // namespace
}  // namespace tvx::bar::optimal

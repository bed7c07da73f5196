// The stop flag, the deadline and progress forwarding of SearchControl.
#include "common/search_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace tvx {
namespace {

TEST(SearchControl, StopRequestFromAnotherThreadIsSeenAndCanBeCleared) {
    SearchControl control;
    EXPECT_FALSE(control.ShouldStop());
    std::thread other([&control] { control.RequestStop(); });
    other.join();
    EXPECT_TRUE(control.StopRequested());
    EXPECT_TRUE(control.ShouldStop());
    control.ClearStop();
    EXPECT_FALSE(control.ShouldStop());
}

TEST(SearchControl, DeadlineStopsOnlyOnceItHasPassed) {
    SearchControl control;
    control.SetTimeLimit(3600.0);
    ASSERT_TRUE(control.Deadline().has_value());
    EXPECT_FALSE(control.ShouldStop());
    control.SetDeadline(SearchControl::Clock::now() - std::chrono::milliseconds(1));
    EXPECT_TRUE(control.DeadlinePassed());
    EXPECT_TRUE(control.ShouldStop());
    EXPECT_FALSE(control.StopRequested());
}

TEST(SearchControl, NonPositiveOrNonFiniteLimitMeansNoDeadline) {
    SearchControl control;
    for (double limit : {0.0, -5.0, std::nan(""), 1e300}) {
        control.SetDeadline(SearchControl::Clock::now());
        control.SetTimeLimit(limit);
        EXPECT_FALSE(control.Deadline().has_value()) << limit;
        EXPECT_FALSE(control.ShouldStop()) << limit;
    }
}

TEST(SearchControl, ReportsReachTheCallbackInOrder) {
    SearchControl control;
    control.Report({1, std::nullopt, std::nullopt});  // no callback: nothing happens
    std::vector<std::int64_t> seen;
    control.onProgress = [&seen](const SearchProgress& p) { seen.push_back(p.iteration); };
    control.Report({10, 5.0, 4.0});
    control.Report({20, std::nullopt, std::nullopt});
    EXPECT_EQ(seen, (std::vector<std::int64_t>{10, 20}));
}

}  // namespace
}  // namespace tvx

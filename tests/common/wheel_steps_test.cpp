#include "common/wheel_steps.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(WheelSteps, CountsOneStepPerNotchWithDirectionAndModifiers) {
    WheelSteps wheel;
    EXPECT_EQ(wheel.Add(120), 1);    // away from the user
    EXPECT_EQ(wheel.Add(-120), -1);  // towards the user
    EXPECT_EQ(wheel.Add(360), 3);
    // Fine wheels and touchpads: small deltas gather until a whole notch.
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(50), 1);
    EXPECT_EQ(wheel.pending(), 10);
    // Turning back drops what gathered the other way.
    EXPECT_EQ(wheel.Add(-100), 0);
    EXPECT_EQ(wheel.Add(-20), -1);
    EXPECT_EQ(wheel.Add(0), 0);
    EXPECT_EQ(WheelModifiers(true, true), 3);
    EXPECT_EQ(WheelModifiers(false, true), 2);
    EXPECT_EQ(WheelModifiers(true, false), 1);
}

}  // namespace
}  // namespace tvx

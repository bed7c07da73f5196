#pragma once
// Turns raw mouse-wheel deltas into whole wheel steps. A classic wheel notch reports 120; fine
// wheels and touchpads report many small deltas, which are summed until a full ±120 is
// reached, so one notch's worth of movement is always one step. Direction +1 = turned away
// from the user (positive delta), -1 = towards the user.

#include <cstdint>

namespace tvx {

inline constexpr int kWheelNotch = 120;

// The modifier sum reported with a wheel step: 1 for Shift plus 2 for Ctrl.
inline int WheelModifiers(bool shift, bool ctrl) {
    return (shift ? 1 : 0) + (ctrl ? 2 : 0);
}

class WheelSteps {
  public:
    // Adds a delta and returns the whole steps it completes: positive away from the user,
    // negative towards the user, 0 while less than a notch has gathered. A change of
    // direction drops what was gathered the other way.
    int Add(int delta) {
        if ((delta > 0 && pending_ < 0) || (delta < 0 && pending_ > 0)) pending_ = 0;
        pending_ += delta;
        const std::int64_t steps = pending_ / kWheelNotch;
        pending_ -= steps * kWheelNotch;
        return static_cast<int>(steps);
    }
    void Reset() { pending_ = 0; }
    int pending() const { return static_cast<int>(pending_); }

  private:
    std::int64_t pending_ = 0;
};

}  // namespace tvx

// Wheel turns come in units of 120 a notch; touchpads and smooth wheels send
// parts of a notch. A WheelAccumulator keeps what is left over between turns,
// so that many small turns add up to the steps one notch would give.
#pragma once

namespace plat {

// The wheel's units in one notch.
constexpr int kWheelDelta = 120;

class WheelAccumulator {
public:
    // Adds `delta` and gives the whole steps of `unit` it completes (toward
    // zero, with the sign of the turn), keeping the rest. A turn the other
    // way drops the rest first, so that a reversal acts at once.
    int Take(int delta, int unit) {
        if (unit <= 0) return 0;
        if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
        long long sum = static_cast<long long>(rest_) + delta;
        long long steps = sum / unit;
        rest_ = static_cast<int>(sum - steps * unit);
        return static_cast<int>(steps);
    }
    void Reset() { rest_ = 0; }
    int Rest() const { return rest_; }

private:
    int rest_ = 0;
};

}  // namespace plat

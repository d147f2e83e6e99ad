#include "input/PadRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace PadRules {

bool StickPushed(bool wasPushed, int value) { return wasPushed ? value > kStickOff : value >= kStickOn; }

int PointerStep(int value, int elapsedMs, double& carry)
{
    const int magnitude = std::min(std::abs(value), 32767);
    if (magnitude <= kPointerDeadZone) {
        carry = 0;
        return 0;
    }
    // Squared, so that a small push places the pointer finely.
    const double reach = double(magnitude - kPointerDeadZone) / (32767 - kPointerDeadZone);
    const double ms = std::clamp(elapsedMs, 0, kPointerMaxGapMs);
    carry += (value < 0 ? -1 : 1) * reach * reach * kPointerSpeed * ms / 1000.0;
    const double whole = std::trunc(carry);
    carry -= whole;
    return static_cast<int>(whole);
}

int ChooseSeat(const SSeat (&seats)[2], const std::string& pad)
{
    for (int s = 0; s < 2; ++s)
        if (!seats[s].taken && !seats[s].lastPad.empty() && seats[s].lastPad == pad)
            return s;
    for (int s = 0; s < 2; ++s)
        if (!seats[s].taken && seats[s].lastPad.empty())
            return s;
    for (int s = 0; s < 2; ++s)
        if (!seats[s].taken)
            return s;
    return -1;
}

} // namespace PadRules

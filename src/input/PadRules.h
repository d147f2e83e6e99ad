#pragma once
#include <string>

// The arithmetic of pads, without any device: the stick's threshold with
// its hysteresis, the pointer's pace under the right stick, and which
// player a pad that is plugged in steers.
namespace PadRules {

// A half axis counts as pushed past about half way and stays pushed until
// it falls back under three eighths, so a stick resting near the
// threshold does not chatter.
constexpr int kStickOn = 16384;
constexpr int kStickOff = 12288;
bool StickPushed(bool wasPushed, int value);

// The right stick moves the pointer: nothing inside the dead zone, then
// faster the further it is pushed, up to kPointerSpeed frame pixels a
// second. carry keeps the fraction of a pixel for the next poll; the
// elapsed time counts at most kPointerMaxGapMs (a stalled frame does not
// throw the pointer across the screen).
constexpr int kPointerDeadZone = 8000;
constexpr double kPointerSpeed = 900.0;
constexpr int kPointerMaxGapMs = 50;
int PointerStep(int value, int elapsedMs, double& carry);

// A player seat: whether a pad holds it now, and which kind of pad held it
// last (its mapping id), so that a pad plugged in again gets its player
// back.
struct SSeat {
    bool taken = false;
    std::string lastPad;
};
// The seat a newly plugged pad takes, or -1 when both are taken: the free
// seat it held last, else a seat never used, else any free seat (lowest
// first).
int ChooseSeat(const SSeat (&seats)[2], const std::string& pad);

} // namespace PadRules

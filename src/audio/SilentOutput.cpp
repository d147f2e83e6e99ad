#include "audio/SilentOutput.h"

#include "app/TickTimer.h"

namespace {
constexpr int kHalves = 2; // like a voice: one half playing, one being filled
} // namespace

CSilentOutput::CSilentOutput(int frames, int channels, int rate)
    : frames(frames), rate(rate), startHsec(CTickTimer::Now()), buffer(static_cast<std::size_t>(frames) * channels * 2)
{
}

int64_t CSilentOutput::Due(int32_t now) const
{
    return kHalves + static_cast<int64_t>(now - startHsec) * rate / (100LL * frames);
}

unsigned char* CSilentOutput::Buffer()
{
    const int32_t now = CTickTimer::Now();
    if (now < startHsec) {
        // The clock was set back (a pause): count from here.
        startHsec = now;
        handedOut = 0;
    }
    const int64_t due = Due(now);
    if (handedOut >= due)
        return nullptr;
    // A voice fed too late loops over what it had; skip what it would have missed.
    if (due - handedOut > kHalves)
        handedOut = due - kHalves;
    ++handedOut;
    return buffer.data();
}

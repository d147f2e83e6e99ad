#pragma once
#include <cstdint>
#include <vector>

#include "audio/PcmOutput.h"

// Stands in for a voice when no sound driver is installed: asks for buffers
// as fast as a voice would play them, by the hundredths clock, and drops
// them. Volume, pan and speed change nothing.
class CSilentOutput : public CPcmOutput {
public:
    CSilentOutput(int frames, int channels, int rate);

    unsigned char* Buffer() override;
    void Release() override {}
    void Adjust(int, int, int) override {}
    int DrainBuffers() const override { return 2; }

private:
    int64_t Due(int32_t now) const;

    int frames;                        // frames per buffer
    int rate;                          // frames per second
    int32_t startHsec;                 // hundredths clock when playing began
    int64_t handedOut = 0;             // buffers asked for since startHsec
    std::vector<unsigned char> buffer; // scratch that is never heard
};

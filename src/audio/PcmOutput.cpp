#include "audio/PcmOutput.h"

#include <allegro.h>

#include "audio/SilentOutput.h"
#include "audio/VoiceOutput.h"

std::unique_ptr<CPcmOutput> MakePcmOutput(int frames, int channels, int rate, int vol, int pan)
{
    // A voice of Allegro's null driver never advances, so the track would
    // never end; only a real driver gets a voice.
    if (digi_driver && digi_driver->id != DIGI_NONE)
        if (auto voice = CVoiceOutput::Start(frames, channels, rate, vol, pan))
            return voice;
    return std::make_unique<CSilentOutput>(frames, channels, rate);
}

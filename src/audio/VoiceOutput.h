#pragma once
#include "audio/PcmOutput.h"

struct AUDIOSTREAM;

// Music played on an Allegro audio stream (16-bit unsigned samples).
class CVoiceOutput : public CPcmOutput {
public:
    // Null when the driver gives no voice.
    static std::unique_ptr<CVoiceOutput> Start(int frames, int channels, int rate, int vol, int pan);
    ~CVoiceOutput() override;

    unsigned char* Buffer() override;
    void Release() override;
    void Adjust(int vol, int pan, int speed) override;
    int DrainBuffers() const override;
    bool Park() override;
    bool Resume() override;

private:
    CVoiceOutput(AUDIOSTREAM* stream, int rate) : stream(stream), rate(rate) {}

    AUDIOSTREAM* stream;  // owned
    int rate;             // frames per second at speed 1000
    bool started = false; // a buffer has been handed back, which starts the voice
};

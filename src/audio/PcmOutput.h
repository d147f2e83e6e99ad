#pragma once
#include <memory>

// Where decoded music goes: buffers of a fixed number of frames are asked
// for, filled and handed back, at the pace at which they are heard.
class CPcmOutput {
public:
    virtual ~CPcmOutput() = default;
    // The next buffer to fill, or null while none is free yet.
    virtual unsigned char* Buffer() = 0;
    // Hands the buffer got from Buffer() back to be played.
    virtual void Release() = 0;
    // Volume and pan 0..255, speed in thousandths of the normal rate.
    virtual void Adjust(int vol, int pan, int speed) = 0;
    // How many more buffers are asked for after the one holding the last
    // sound before that sound has surely been heard.
    virtual int DrainBuffers() const = 0;
    // The stream feeding this output has given its last sound: keep playing
    // what was given, then fall silent unless Resume() comes first. False
    // when the output cannot be carried on by another stream.
    virtual bool Park() { return false; }
    // Taken up again by the next stream; false when it has fallen silent.
    virtual bool Resume() { return false; }
};

// An Allegro voice when a real sound driver is installed, otherwise a silent
// output paced by the hundredths clock, so a track still takes its time to
// play out (and is not restarted every frame).
std::unique_ptr<CPcmOutput> MakePcmOutput(int frames, int channels, int rate, int vol, int pan);

#include "audio/OggStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {
constexpr int kMinBufferFrames = 256;     // below this a voice would be refilled too often
constexpr uint16_t kSilence = 0x8000;     // the middle of Allegro's unsigned samples

// The output of a stream that played out with its last buffer still open.
// The next stream played in the same format takes it over and fills that
// buffer on from where the last sound ended, so the music restarted right
// after its end goes on without a gap. Any other play lets it go. Not freed
// at exit: by then Allegro has taken its voice back itself.
struct SParked {
    CPcmOutput* output = nullptr;
    unsigned char* buffer = nullptr; // null when the last buffer went back whole
    int filled = 0;                  // frames of buffer already filled
    int channels = 0;
    int rate = 0;
    int frames = 0;
} s_parked;

void DropParked()
{
    delete s_parked.output;
    s_parked = SParked{};
}

} // namespace

COggStream::~COggStream()
{
    if (!parked || !output)
        return;
    DropParked();
    s_parked = {output.release(), openBuffer, openFrames, decoder.Channels(), decoder.Rate(), frames};
}

bool COggStream::Create(const void* block, int bytes, bool lastBlock)
{
    return decoder.Open(block, bytes, lastBlock);
}

int COggStream::Play(int bufferBytes, int vol, int pan)
{
    volume = std::clamp(vol, 0, 255);
    this->pan = std::clamp(pan, 0, 255);
    if (output) {
        // Already playing: a second call only re-applies volume and pan.
        output->Adjust(volume, this->pan, speed);
        return kOggOk;
    }
    frames = std::max(kMinBufferFrames, bufferBytes / decoder.BytesPerFrame());
    if (s_parked.output && s_parked.channels == decoder.Channels() && s_parked.rate == decoder.Rate() &&
        s_parked.frames == frames && s_parked.output->Resume()) {
        output.reset(s_parked.output);
        openBuffer = s_parked.buffer;
        openFrames = s_parked.filled;
        s_parked = SParked{};
        output->Adjust(volume, this->pan, speed);
    } else {
        DropParked();
        output = MakePcmOutput(frames, decoder.Channels(), decoder.Rate(), volume, this->pan);
        if (speed != 1000)
            output->Adjust(volume, this->pan, speed);
    }
    tailBuffers = 0;
    ended = false;
    return kOggOk;
}

void COggStream::Stop()
{
    // A parked output is already on its way out, or to the next stream.
    if (!parked)
        output.reset();
}

int COggStream::Poll()
{
    if (!output)
        return kOggNotPlaying;
    while (!ended) {
        // A buffer that the stream before this one began is carried on first.
        unsigned char* buffer = std::exchange(openBuffer, nullptr);
        const int from = std::exchange(openFrames, 0);
        if (!buffer) {
            buffer = output->Buffer();
            if (!buffer)
                break;
            if (decoder.Finished() && ++tailBuffers >= output->DrainBuffers())
                ended = true;
        }
        const int filled = from + decoder.Read(buffer + from * decoder.BytesPerFrame(), frames - from);
        PadWithSilence(buffer, filled);
        if (filled < frames && decoder.Finished() && !ended && output->Park()) {
            // The last sound is in: the rest of this buffer is left open for
            // whatever plays next, and stays silent if nothing does.
            openBuffer = buffer;
            openFrames = filled;
            ended = parked = true;
            break;
        }
        output->Release();
    }
    return ended ? kOggPlayedOut : kOggOk;
}

void COggStream::PadWithSilence(unsigned char* buffer, int fromFrame) const
{
    // Whatever the decoder cannot give yet (or ever) is silence.
    const int bytesPerFrame = decoder.BytesPerFrame();
    for (int i = fromFrame * bytesPerFrame; i < frames * bytesPerFrame; i += 2)
        std::memcpy(buffer + i, &kSilence, 2);
}

void COggStream::Adjust(int vol, int pan, int speed)
{
    volume = std::clamp(vol, 0, 255);
    this->pan = std::clamp(pan, 0, 255);
    this->speed = std::max(1, speed);
    if (output)
        output->Adjust(volume, this->pan, this->speed);
}

COggStream* alogg_create_oggstream(const void* block, int bytes, int lastBlock)
{
    auto stream = std::make_unique<COggStream>();
    if (!stream->Create(block, bytes, lastBlock != 0))
        return nullptr;
    return stream.release();
}

int alogg_play_oggstream(COggStream* stream, int bufferBytes, int vol, int pan)
{
    return stream ? stream->Play(bufferBytes, vol, pan) : kOggNotPlaying;
}

int alogg_poll_oggstream(COggStream* stream) { return stream ? stream->Poll() : kOggNotPlaying; }

void* alogg_get_oggstream_buffer(COggStream* stream) { return stream ? stream->RefillBuffer() : nullptr; }

void alogg_free_oggstream_buffer(COggStream* stream, int bytesUsed)
{
    if (stream)
        stream->CommitRefill(bytesUsed);
}

int alogg_is_playing_oggstream(COggStream* stream) { return stream && stream->IsPlaying() ? 1 : 0; }

void alogg_adjust_oggstream(COggStream* stream, int vol, int pan, int speed)
{
    if (stream)
        stream->Adjust(vol, pan, speed);
}

void alogg_stop_oggstream(COggStream* stream)
{
    if (stream)
        stream->Stop();
}

void alogg_destroy_oggstream(COggStream* stream) { delete stream; }

#include "audio/OggStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
constexpr int kMinBufferFrames = 256;     // below this a voice would be refilled too often
constexpr uint16_t kSilence = 0x8000;     // the middle of Allegro's unsigned samples
} // namespace

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
    output = MakePcmOutput(frames, decoder.Channels(), decoder.Rate(), volume, this->pan);
    if (speed != 1000)
        output->Adjust(volume, this->pan, speed);
    tailBuffers = 0;
    ended = false;
    return kOggOk;
}

int COggStream::Poll()
{
    if (!output)
        return kOggNotPlaying;
    while (!ended) {
        unsigned char* buffer = output->Buffer();
        if (!buffer)
            break;
        if (decoder.Finished() && ++tailBuffers >= output->DrainBuffers())
            ended = true;
        Fill(buffer);
        output->Release();
    }
    return ended ? kOggPlayedOut : kOggOk;
}

void COggStream::Fill(unsigned char* buffer)
{
    // Whatever the decoder cannot give yet (or ever) is silence.
    const int bytesPerFrame = decoder.BytesPerFrame();
    const int got = decoder.Read(buffer, frames);
    for (int i = got * bytesPerFrame; i < frames * bytesPerFrame; i += 2)
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

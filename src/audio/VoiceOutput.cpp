#include "audio/VoiceOutput.h"

#include <allegro.h>

#include <algorithm>

std::unique_ptr<CVoiceOutput> CVoiceOutput::Start(int frames, int channels, int rate, int vol, int pan)
{
    AUDIOSTREAM* stream = play_audio_stream(frames, 16, channels == 2, rate, vol, pan);
    if (!stream)
        return nullptr;
    return std::unique_ptr<CVoiceOutput>(new CVoiceOutput(stream, rate));
}

CVoiceOutput::~CVoiceOutput() { stop_audio_stream(stream); }

unsigned char* CVoiceOutput::Buffer() { return static_cast<unsigned char*>(get_audio_stream_buffer(stream)); }

void CVoiceOutput::Release()
{
    free_audio_stream_buffer(stream);
    started = true;
}

void CVoiceOutput::Adjust(int vol, int pan, int speed)
{
    voice_set_volume(stream->voice, vol);
    voice_set_pan(stream->voice, pan);
    voice_set_frequency(stream->voice, std::max(1, static_cast<int>(static_cast<long long>(rate) * speed / 1000)));
}

// The stream hands out the fragments of one half while the other half plays:
// the last sound may sit in the first fragment of a half, so it is heard once
// the rest of that half and all of the next have been asked for.
int CVoiceOutput::DrainBuffers() const { return 2 * stream->bufcount; }

// A parked voice stops at the end of its sample instead of wrapping round to
// play its older half again; Resume() makes it loop once more. A voice starts
// with its first buffer handed back, so one not yet started is still usable.
bool CVoiceOutput::Park()
{
    voice_set_playmode(stream->voice, PLAYMODE_PLAY);
    return true;
}

bool CVoiceOutput::Resume()
{
    if (started && voice_get_position(stream->voice) < 0)
        return false;
    voice_set_playmode(stream->voice, PLAYMODE_LOOP);
    return true;
}

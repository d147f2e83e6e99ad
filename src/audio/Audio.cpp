#include "audio/Audio.h"

// Placeholder until the sound driver and music stream land: silent.
CAudio g_audio;

void CAudio::Init() {}
void CAudio::SaveSettings() {}
int CAudio::StartMusic() { return 0; }
void CAudio::Update() { FlushSounds(); }
void CAudio::FlushSounds() { pendingSounds.clear(); }
void CAudio::SelectTrack(int index)
{
    if (index != -1 && index == currentTrack)
        return;
    if (index != -1)
        currentTrack = index;
}

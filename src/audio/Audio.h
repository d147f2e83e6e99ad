#pragma once
#include <set>
#include <string>

// Sound effects queued by tag and played once per frame, the three volumes
// of settings.ini, and the choice of music track.
class CAudio {
public:
    void Init();
    void SaveSettings();
    int StartMusic();
    void PlaySound(const std::string& name) { pendingSounds.insert(name); }
    void Update();
    void FlushSounds();
    void SelectTrack(int index);

    std::set<std::string> pendingSounds; // requested since the last frame
    int masterVolume = 230;              // 0..255, scales music only
    int soundVolume = 160;               // 0..255
    int musicVolume = 127;               // 0..255
    int currentTrack = -1;               // -1 none, else 0..10
};

extern CAudio g_audio;

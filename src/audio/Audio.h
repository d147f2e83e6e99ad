#pragma once
#include <functional>
#include <set>
#include <string>

struct SAMPLE;

// Sound effects queued by tag and played once per frame, the three volumes
// of settings.ini, and the choice of music track.
class CAudio {
public:
    static constexpr int kTrackCount = 11;

    void Init();
    void SaveSettings();
    int StartMusic();
    void PlaySound(const std::string& name) { pendingSounds.insert(name); }
    void Update();
    void FlushSounds();
    void SelectTrack(int index);

    // The calls that reach the sound library, replaceable so that tests can
    // see what would be installed and played without a sound card.
    struct Hooks {
        std::function<int(int driver)> install;                        // 0 when a real driver came up
        std::function<SAMPLE*(const std::string& name)> find;           // the registry's sample, or null
        std::function<void(SAMPLE*, int vol, int pan, int freq)> play; // start one voice, no looping
    };
    static Hooks LibraryHooks();

    std::set<std::string> pendingSounds; // requested since the last frame
    // The player's volumes, also in a silent run, so that a change made in
    // the menu is the one saved.
    int masterVolume = 230;              // 0..255, scales music only
    int soundVolume = 160;               // 0..255
    int musicVolume = 127;               // 0..255
    int currentTrack = -1;               // -1 none, else 0..10
    bool silent = false;                 // no driver came up: everything plays at volume 0
    Hooks hooks = LibraryHooks();        // the sound library unless a test says otherwise

private:
    void ReadVolumes();
    const char* InstallDriver(); // the name of the driver that came up, or "NONE"
};

extern CAudio g_audio;

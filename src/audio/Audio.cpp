#include "audio/Audio.h"

#include <allegro.h>

#include "app/ConfigFile.h"
#include "app/Random.h"
#include "app/SettingsFile.h"
#include "assets/Asset.h"
#include "audio/AlsaErrors.h"
#include "audio/MusicStream.h"

CAudio g_audio;

namespace {

constexpr const char* kSection = "audio";
constexpr int kFirstVoices = 64;    // digital voices reserved before the first attempt
// How loud the mix is. Allegro halves every voice by default, which with
// the default volumes (music 114 of 255, effects 160) left the music 13 dB
// below the level it was mixed at. A centred voice now plays at full scale
// (Allegro's per-voice scale 0), trimmed by 7/8 so that the five loudest
// effects at once over the loudest music clip hardly a sample: the title
// music then plays about 8 dB below its file, some -22 dBFS RMS a loop.
constexpr int kVolumePerVoice = 0;
constexpr int kMixVolume = 224;     // Allegro's overall digital volume, 0..255
constexpr int kPitchLow = 900;      // play_sample frequency, 1000 = the sample's own pitch
constexpr int kPitchHigh = 1100;    // exclusive
constexpr int kCentrePan = 127;

struct DriverRow {
    const char* name; // what "lastUsed" receives
    int id;           // Allegro digital driver
    int voices;       // digital voices to reserve, -1 the driver's default
};

// The platform's own drivers in Allegro's order of preference, then
// whatever automatic detection finds.
const DriverRow kDrivers[] = {
    {"DIGI_ALSA", DIGI_ALSA, 64},
    {"DIGI_OSS", DIGI_OSS, 64},
    {"DIGI_JACK", DIGI_JACK, 64},
    {"DIGI_ESD", DIGI_ESD, 64},
    {"DIGI_AUTODETECT", DIGI_AUTODETECT, -1},
};

const char* const kTracks[CAudio::kTrackCount] = {
    "data//ogg//r31.ogg", "data//ogg//r32.ogg", "data//ogg//r33.ogg", "data//ogg//r34.ogg",
    "data//ogg//r35.ogg", "data//ogg//r36.ogg", "data//ogg//r37.ogg", "data//ogg//r38.ogg",
    "data//ogg//r39.ogg", "data//ogg//r40.ogg", "data//ogg//rcoll.ogg",
};

int InstallSound(int driver)
{
    QuietAlsaErrors();
    set_volume_per_voice(kVolumePerVoice);
    if (install_sound(driver, MIDI_NONE, "") != 0)
        return -1;
    // Allegro answers a driver this build lacks with its null driver and
    // success; that is no sound, so the next row gets its turn.
    if (digi_card != DIGI_NONE) {
        set_volume(kMixVolume, -1);
        return 0;
    }
    remove_sound();
    return -1;
}

} // namespace

CAudio::Hooks CAudio::LibraryHooks()
{
    return Hooks{
        InstallSound,
        [](const std::string& name) { return g_sounds.Get(name); },
        [](SAMPLE* sample, int vol, int pan, int freq) { play_sample(sample, vol, pan, freq, 0); },
    };
}

void CAudio::Init()
{
    OpenConfigFile(kSettingsFile);
    ReadVolumes();
    set_config_file("release");
    SettingsFile::Write(kSettingsFile, {{kSection, "lastUsed", InstallDriver()}});
}

void CAudio::ReadVolumes()
{
    soundVolume = get_config_int(kSection, "maxvolumesounds", soundVolume);
    musicVolume = get_config_int(kSection, "maxvolumemusic", musicVolume);
    masterVolume = get_config_int(kSection, "maxvolumemaster", masterVolume);
    soundVolume &= 255;
    musicVolume &= 255;
    masterVolume &= 255;
}

const char* CAudio::InstallDriver()
{
    silent = false;
    int voices = kFirstVoices;
    reserve_voices(voices, -1);
    for (const DriverRow& row : kDrivers) {
        if (row.voices != voices) {
            voices = row.voices;
            reserve_voices(voices, -1);
        }
        if (hooks.install(row.id) == 0)
            return row.name;
    }
    // No sound at all: everything plays at volume 0, while the volume
    // fields stay the player's, so that a run while the sound system is down
    // neither loses them nor throws away a change made in the menu.
    silent = true;
    return "NONE";
}

void CAudio::SaveSettings()
{
    SettingsFile::Write(kSettingsFile, {{kSection, "maxvolumemaster", std::to_string(masterVolume)},
                                        {kSection, "maxvolumesounds", std::to_string(soundVolume)},
                                        {kSection, "maxvolumemusic", std::to_string(musicVolume)}});
    g_music.Close();
}

int CAudio::StartMusic()
{
    // Held stopped: the next frame's update starts it again from its
    // beginning, unless a state has chosen its own track by then.
    g_music.Open(kTracks[1]);
    g_music.Stop();
    return 0;
}

void CAudio::Update()
{
    for (const std::string& name : pendingSounds) {
        SAMPLE* sample = hooks.find(name);
        if (!sample)
            continue;
        hooks.play(sample, silent ? 0 : soundVolume, kCentrePan, RandomBetween(kPitchLow, kPitchHigh));
    }
    FlushSounds();
}

void CAudio::FlushSounds()
{
    g_music.Update();
    pendingSounds.clear();
}

void CAudio::SelectTrack(int index)
{
    if (index != -1) {
        if (index == currentTrack)
            return;
        currentTrack = index;
    }
    if (index >= 0 && index < kTrackCount)
        g_music.Open(kTracks[index]);
    g_music.SetVolume(silent ? 0 : (musicVolume * masterVolume) >> 8);
}

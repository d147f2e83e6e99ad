#pragma once
#include <string>

#include "audio/OggStream.h"

struct PACKFILE;

// The background music: one Ogg Vorbis file streamed from disk block by
// block, restarted from its beginning whenever it has played out.
class CMusicStream {
public:
    static constexpr int kBlockSize = COggDecoder::kBlockSize; // bytes read per block
    static constexpr int kPlayBuffer = 65536;                  // bytes of the play buffer

    int Open(const std::string& name);
    void Close();
    void Play();
    void Stop();
    int Refill();
    void Update();
    void SetVolume(int value);

    PACKFILE* file = nullptr;     // the open music file
    COggStream* stream = nullptr; // none while no music is loaded
    std::string currentFile;      // the file now playing (or last opened)
    int volume = 255;             // 0..255
    int pan = 128;                // 0..255, 128 centre
    int speed = 1000;             // thousandths of the normal rate
};

extern CMusicStream g_music;

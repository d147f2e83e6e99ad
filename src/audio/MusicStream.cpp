#include "audio/MusicStream.h"

#include <allegro.h>

#include <vector>

#include "app/Paths.h"

CMusicStream g_music;

int CMusicStream::Open(const std::string& name)
{
    currentFile = name;
    speed = 1000;
    if (file || stream)
        Close();
    file = pack_fopen(YkPath(currentFile).c_str(), "r");
    if (!file) {
        Close();
        return -1;
    }
    std::vector<char> block(kBlockSize);
    const long got = pack_fread(block.data(), kBlockSize, file);
    if (got <= 0) {
        Close();
        return -1;
    }
    // A file that fits in the first block is handed over whole.
    const bool whole = got < kBlockSize;
    stream = alogg_create_oggstream(block.data(), static_cast<int>(got), whole ? -1 : 0);
    if (!stream) {
        Close();
        return -1;
    }
    Play();
    return 0;
}

void CMusicStream::Close()
{
    if (stream) {
        alogg_stop_oggstream(stream);
        alogg_destroy_oggstream(stream);
        stream = nullptr;
    }
    if (file) {
        pack_fclose(file);
        file = nullptr;
    }
}

void CMusicStream::Play() { alogg_play_oggstream(stream, kPlayBuffer, volume, pan); }

void CMusicStream::Stop()
{
    if (stream)
        alogg_stop_oggstream(stream);
}

int CMusicStream::Refill()
{
    if (void* buffer = alogg_get_oggstream_buffer(stream)) {
        const long got = file ? pack_fread(buffer, kBlockSize, file) : 0;
        // A short block is the last one.
        alogg_free_oggstream_buffer(stream, got == kBlockSize ? -1 : static_cast<int>(got < 0 ? 0 : got));
    }
    return alogg_poll_oggstream(stream);
}

void CMusicStream::Update()
{
    if (!stream)
        return;
    Refill();
    if (alogg_is_playing_oggstream(stream))
        return;
    // Played out or stopped: start the same track again from its beginning.
    const std::string name = currentFile;
    if (Open(name) == 0)
        Play();
}

void CMusicStream::SetVolume(int value)
{
    volume = value;
    alogg_adjust_oggstream(stream, volume, pan, speed);
}

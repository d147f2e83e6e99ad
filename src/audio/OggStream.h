#pragma once
#include <memory>

#include "audio/OggDecoder.h"
#include "audio/PcmOutput.h"

// Our Ogg Vorbis streaming layer for Allegro. The caller reads the file and
// hands its data in block by block (COggDecoder::kBlockSize bytes); the layer
// decodes it and plays it on a voice, or paces it silently when there is no
// sound driver.
//
// What callers can rely on:
// - creation copies the first block (the caller's buffer may be temporary)
//   and gives null for data it cannot play;
// - a refill buffer holds up to one block; handing it back with a count
//   other than -1 marks the last block;
// - the playing query is false once everything has been heard, after a stop,
//   and after bad data cut the track short; on a voice, already once the
//   last sound is queued: the voice plays it out and carries straight on
//   with the next stream started in the same format, so a track started
//   again at once loops without a gap;
// - volume and pan run 0..255 (other values are clamped), speed 1000 is normal;
// - every call accepts a null stream and then does nothing.
class COggStream {
public:
    COggStream() = default;
    COggStream(const COggStream&) = delete;
    COggStream& operator=(const COggStream&) = delete;
    ~COggStream();

    bool Create(const void* block, int bytes, bool lastBlock);
    int Play(int bufferBytes, int vol, int pan);
    void Stop();
    int Poll();
    void* RefillBuffer() { return decoder.RefillBuffer(); }
    void CommitRefill(int bytes) { decoder.CommitRefill(bytes); }
    bool IsPlaying() const { return output && !ended; }
    void Adjust(int vol, int pan, int speed);

    const COggDecoder& Decoder() const { return decoder; }
    int Volume() const { return volume; }

private:
    void PadWithSilence(unsigned char* buffer, int fromFrame) const;

    COggDecoder decoder;                 // compressed blocks in, PCM out
    std::unique_ptr<CPcmOutput> output;  // none before Play and after Stop
    int frames = 0;                      // frames per output buffer
    int volume = 255;                    // 0..255
    int pan = 128;                       // 0..255, 128 centre
    int speed = 1000;                    // thousandths of the normal rate
    int tailBuffers = 0;                 // buffers asked for since the decoder finished
    bool ended = false;                  // the last sound has been heard (or queued, when parked)
    bool parked = false;                 // ended with the output waiting for the next stream
    unsigned char* openBuffer = nullptr; // got from the output, not yet handed back
    int openFrames = 0;                  // frames of openBuffer already filled
};

// Results of alogg_play_oggstream and alogg_poll_oggstream.
constexpr int kOggOk = 0;          // playing
constexpr int kOggPlayedOut = 1;   // everything has been heard
constexpr int kOggNotPlaying = -1; // no stream, never played or stopped

COggStream* alogg_create_oggstream(const void* block, int bytes, int lastBlock);
int alogg_play_oggstream(COggStream* stream, int bufferBytes, int vol, int pan);
int alogg_poll_oggstream(COggStream* stream);
void* alogg_get_oggstream_buffer(COggStream* stream);
void alogg_free_oggstream_buffer(COggStream* stream, int bytesUsed);
int alogg_is_playing_oggstream(COggStream* stream);
void alogg_adjust_oggstream(COggStream* stream, int vol, int pan, int speed);
void alogg_stop_oggstream(COggStream* stream);
void alogg_destroy_oggstream(COggStream* stream);

#pragma once
#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Turns Ogg Vorbis data handed in block by block into 16-bit PCM in
// Allegro's sample format (unsigned, interleaved). Knows nothing about
// voices or drivers, so it can be driven and checked without a sound card.
class COggDecoder {
public:
    static constexpr int kBlockSize = 131072; // bytes of compressed data per block

    explicit COggDecoder(int blockSize = kBlockSize);
    ~COggDecoder();
    COggDecoder(const COggDecoder&) = delete;
    COggDecoder& operator=(const COggDecoder&) = delete;

    // Copies the first block and reads the headers. Fails on data that is
    // not Ogg Vorbis, on more than two channels, and on a stream that is
    // complete yet holds no sound at all (which would otherwise restart
    // without end).
    bool Open(const void* data, int bytes, bool lastBlock);

    // A buffer of one block to fill, or null while enough data is queued or
    // once the last block has come.
    void* RefillBuffer();
    // -1: a full block was written; any other count: the last block's size.
    void CommitRefill(int bytes);

    // Writes up to `frames` frames; fewer when data is missing or at the end.
    int Read(unsigned char* out, int frames);

    bool Finished() const { return finished; }
    bool Failed() const { return failed; }
    bool HasLastBlock() const { return lastBlockIn; }
    int Channels() const { return channels; }
    int Rate() const { return rate; }
    int BytesPerFrame() const { return channels * 2; }
    int64_t FramesDecoded() const { return framesDecoded; }
    std::size_t BytesQueued() const { return queued.size() - readPos; }

private:
    static std::size_t ReadCallback(void* ptr, std::size_t size, std::size_t count, void* self);
    std::size_t Take(void* ptr, std::size_t bytes);
    int Decode(unsigned char* out, int bytes);
    bool Prime();

    int blockSize;                         // bytes per block
    OggVorbis_File vf{};                   // libvorbisfile state
    bool vfOpen = false;                   // vf needs ov_clear
    std::vector<unsigned char> queued;     // compressed bytes not yet read (from readPos)
    std::size_t readPos = 0;               // bytes of `queued` already given to libvorbisfile
    std::vector<unsigned char> refill;     // the block handed out for refilling
    bool refillOut = false;                // `refill` is with the caller
    bool lastBlockIn = false;              // no more compressed data will come
    std::vector<unsigned char> primed;     // PCM decoded at Open, played first
    std::size_t primedPos = 0;             // bytes of `primed` already read
    bool finished = false;                 // the end or bad data was reached
    bool failed = false;                   // the end came from bad data
    int channels = 0;                      // 1 or 2
    int rate = 0;                          // frames per second
    int bitstream = -1;                    // chain link being decoded
    int64_t framesDecoded = 0;             // frames handed out by Read
};

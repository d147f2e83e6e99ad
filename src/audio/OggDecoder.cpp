#include "audio/OggDecoder.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

namespace {
constexpr int kPrimeBytes = 4096; // PCM decoded at Open to prove there is sound
constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;
} // namespace

COggDecoder::COggDecoder(int blockSize) : blockSize(blockSize > 0 ? blockSize : kBlockSize) {}

COggDecoder::~COggDecoder()
{
    if (vfOpen)
        ov_clear(&vf);
}

bool COggDecoder::Open(const void* data, int bytes, bool lastBlock)
{
    if (vfOpen || !data || bytes <= 0)
        return false;
    const auto* p = static_cast<const unsigned char*>(data);
    queued.assign(p, p + std::min(bytes, blockSize));
    lastBlockIn = lastBlock;
    // No seek callback: the data only ever moves forward, like a pipe.
    const ov_callbacks callbacks{&COggDecoder::ReadCallback, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(this, &vf, nullptr, 0, callbacks) != 0)
        return false;
    vfOpen = true;
    const vorbis_info* info = ov_info(&vf, -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0)
        return false;
    channels = info->channels;
    rate = static_cast<int>(info->rate);
    bitstream = ov_streams(&vf) > 0 ? 0 : -1;
    return Prime();
}

bool COggDecoder::Prime()
{
    primed.resize(kPrimeBytes);
    int got = 0;
    while (got == 0 && !finished) {
        const int n = Decode(primed.data(), kPrimeBytes);
        if (n <= 0 && !finished)
            break; // waiting for the next block
        got += n;
    }
    primed.resize(got);
    return got > 0 || !finished;
}

void* COggDecoder::RefillBuffer()
{
    if (!vfOpen || lastBlockIn || BytesQueued() >= static_cast<std::size_t>(blockSize))
        return nullptr;
    refill.resize(blockSize);
    refillOut = true;
    return refill.data();
}

void COggDecoder::CommitRefill(int bytes)
{
    if (!refillOut)
        return;
    refillOut = false;
    const int count = bytes == -1 ? blockSize : std::clamp(bytes, 0, blockSize);
    if (bytes != -1)
        lastBlockIn = true;
    queued.erase(queued.begin(), queued.begin() + static_cast<std::ptrdiff_t>(readPos));
    readPos = 0;
    queued.insert(queued.end(), refill.begin(), refill.begin() + count);
}

int COggDecoder::Read(unsigned char* out, int frames)
{
    if (!vfOpen || frames <= 0)
        return 0;
    const int want = frames * BytesPerFrame();
    const int fromPrimed = std::min<int>(want, static_cast<int>(primed.size() - primedPos));
    std::memcpy(out, primed.data() + primedPos, fromPrimed);
    primedPos += fromPrimed;
    int got = fromPrimed;
    while (got < want && !finished) {
        const int n = Decode(out + got, want - got);
        if (n <= 0)
            break;
        got += n;
    }
    const int whole = got / BytesPerFrame();
    framesDecoded += whole;
    return whole;
}

int COggDecoder::Decode(unsigned char* out, int bytes)
{
    int link = 0;
    const long n = ov_read(&vf, reinterpret_cast<char*>(out), bytes, kBigEndian, 2, 0, &link);
    if (n == 0) {
        // Out of data: the end if nothing more will come, else wait for a block.
        finished = lastBlockIn && BytesQueued() == 0;
        return 0;
    }
    if (n < 0) {
        // A hole, a bad link or a broken packet: the track ends here.
        finished = failed = true;
        return 0;
    }
    if (link != bitstream) {
        const vorbis_info* info = ov_info(&vf, -1);
        if (!info || info->channels != channels || info->rate != rate) {
            finished = true; // a chained part in another format cannot share the voice
            return 0;
        }
        bitstream = link;
    }
    return static_cast<int>(n);
}

std::size_t COggDecoder::ReadCallback(void* ptr, std::size_t size, std::size_t count, void* self)
{
    // libvorbisfile takes 0 bytes with errno set as a read error, so clear it.
    errno = 0;
    if (size == 0)
        return 0;
    auto* decoder = static_cast<COggDecoder*>(self);
    const std::size_t items = std::min(count, decoder->BytesQueued() / size);
    return decoder->Take(ptr, items * size) / size;
}

std::size_t COggDecoder::Take(void* ptr, std::size_t bytes)
{
    const std::size_t n = std::min(bytes, BytesQueued());
    std::memcpy(ptr, queued.data() + readPos, n);
    readPos += n;
    return n;
}

// Our Ogg layer: the decoder fed in small blocks, and the stream as the
// music player drives it (one block, silent output paced by the clock).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzHome.h"
#include "app/TickTimer.h"
#include "audio/OggDecoder.h"
#include "audio/OggStream.h"

namespace {
constexpr int kSmallBlock = 4096;
constexpr int kMaxSteps = 400; // a stream that never ends is cut off here, not reported
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInFuzzHome here;
    const int total = static_cast<int>(std::min<size_t>(size, 1 << 20));
    {
        COggDecoder decoder(kSmallBlock);
        int pos = std::min(total, kSmallBlock);
        if (decoder.Open(data, pos, pos == total)) {
            std::vector<unsigned char> pcm(4096 * decoder.BytesPerFrame());
            for (int step = 0; step < kMaxSteps && !decoder.Finished(); ++step) {
                if (void* buffer = decoder.RefillBuffer()) {
                    const int n = std::min(total - pos, kSmallBlock);
                    std::memcpy(buffer, data + pos, n);
                    pos += n;
                    decoder.CommitRefill(pos == total ? n : -1);
                }
                decoder.Read(pcm.data(), 4096);
            }
        }
    }
    CTickTimer::SetNow(0);
    if (COggStream* stream = alogg_create_oggstream(data, total, 1)) {
        alogg_play_oggstream(stream, 8192, 255, 128);
        for (int step = 1; step < kMaxSteps && alogg_is_playing_oggstream(stream); ++step) {
            CTickTimer::SetNow(step * 10);
            alogg_poll_oggstream(stream);
        }
        alogg_destroy_oggstream(stream);
    }
    return 0;
}

// The high-score file reader.
#include <cstddef>
#include <cstdint>

#include "FuzzHome.h"
#include "play/HighScores.h"
#include "play/StatePlay.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInFuzzHome here;
    WriteInput(CHighScores::kFile, data, size);
    int32_t scores[kBestScoreSlots] = {};
    CHighScores::Read(scores);
    return 0;
}

// The level-file reader: a state file loaded as level set-up loads it
// (parent chain, tunables), then its egg, toy and boss sections.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FuzzHome.h"
#include "play/LevelFile.h"
#include "play/StatePlay.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string& home = MakeFuzzHome();
    // The campaign's files beside the input, so that a parent chain can
    // lead into them (without their image sets, which are not read here).
    if (const char* states = std::getenv("YK_FUZZ_STATES"))
        for (const auto& e : std::filesystem::directory_iterator(states))
            std::filesystem::copy_file(e.path(), home + "/data/states/" + e.path().filename().string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInFuzzHome here;
    WriteInput("data/states/fuzz.yks", data, size);
    auto play = std::make_unique<CStatePlay>();
    if (play->LoadState("fuzz", 1) == 0) {
        const SArena arena = ArenaOfFrame();
        const std::string file = "data/states/fuzz.yks";
        ReadEggSets(*play, arena, file);
        ReadToySets(arena, file);
        ReadBossPlace(arena, file).Problem();
    }
    play->CloseConfig();
    return 0;
}

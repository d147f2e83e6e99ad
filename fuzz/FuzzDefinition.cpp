// The definition-file reader (data\NAME.ykd) of each of the three registries.
#include <cstddef>
#include <cstdint>

#include "FuzzHome.h"
#include "assets/Asset.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInFuzzHome here;
    WriteInput("data/fuzz.ykd", data, size);
    CAsset<BITMAP>::DefinitionType("fuzz");
    g_bitmaps.Init("fuzz");
    g_bitmaps.LoadDefinitions();
    g_bitmaps.ReleaseAll();
    g_sounds.Init();
    g_sounds.SetDefinitionName("fuzz");
    g_sounds.LoadDefinitions();
    g_sounds.ReleaseAll();
    g_fonts.Init();
    g_fonts.SetDefinitionName("fuzz");
    g_fonts.LoadDefinitions();
    g_fonts.ReleaseAll();
    return 0;
}

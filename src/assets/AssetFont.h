#pragma once
#include <string>

#include "assets/Asset.h"

struct ALFONT_FONT;

// TrueType fonts by tag, each set to the size its definition gives.
class CAssetFont : public CAsset<ALFONT_FONT> {
public:
    int Init() override;
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;

protected:
    int Kind() const override { return kTypeFont; }
    const char* KindName() const override { return "font"; }
    ALFONT_FONT* LoadFile(const std::string& section, const std::string& path, const std::string& ext) override;
    void Destroy(ALFONT_FONT* object) override;
};

extern CAssetFont g_fonts;

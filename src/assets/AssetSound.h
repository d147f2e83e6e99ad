#pragma once
#include <string>

#include "assets/Asset.h"

struct SAMPLE;

// Sound effect samples by tag.
class CAssetSound : public CAsset<SAMPLE> {
public:
    int Init() override;
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;

protected:
    int Kind() const override { return kTypeSound; }
    const char* KindName() const override { return "sound"; }
    SAMPLE* LoadFile(const std::string& section, const std::string& path, const std::string& ext) override;
    void Destroy(SAMPLE* object) override;
};

extern CAssetSound g_sounds;

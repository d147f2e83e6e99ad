#pragma once
#include <map>
#include <string>
#include <vector>

#include "assets/Asset.h"

struct BITMAP;

// Images by tag, with animation frames cut out of them as sub-bitmaps.
class CAssetBitmap : public CAsset<BITMAP> {
public:
    int Init() override;
    int Init(const std::string& name);
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;
    // Frame index (0-based) of the tag; null for unknown tags or indices.
    BITMAP* GetFrame(const std::string& tag, int index) const;
    int GetFrameCount(const std::string& tag) const;

protected:
    int Kind() const override { return kTypeImage; }
    const char* KindName() const override { return "image"; }
    BITMAP* LoadFile(const std::string& section, const std::string& path, const std::string& ext) override;
    void Destroy(BITMAP* object) override;

private:
    std::vector<BITMAP*> CutFrames(const std::string& section, const std::string& tag, BITMAP* image) const;

    std::map<std::string, std::vector<BITMAP*>> m_frames; // by tag, frame 1 first
};

extern CAssetBitmap g_bitmaps;

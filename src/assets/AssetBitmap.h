#pragma once
#include <cstdint>
#include <filesystem>
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

    // While one is open, the images the registry releases are kept, and a
    // load of the same file, unchanged on disk, takes its image back instead
    // of decoding it again; what is not taken is freed when the last scope
    // closes. A level's set-up releases and reloads its image sets as it
    // always has, without a restart stalling on the decoders.
    class CReuseScope {
    public:
        CReuseScope();
        ~CReuseScope();
        CReuseScope(const CReuseScope&) = delete;
        CReuseScope& operator=(const CReuseScope&) = delete;
    };

protected:
    int Kind() const override { return kTypeImage; }
    const char* KindName() const override { return "image"; }
    BITMAP* LoadFile(const std::string& section, const std::string& path, const std::string& ext) override;
    void Destroy(BITMAP* object) override;

private:
    std::vector<BITMAP*> CutFrames(const std::string& section, const std::string& tag, BITMAP* image) const;

    // What a loaded image was decoded from, to know it again.
    struct SFileStamp {
        std::string path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        bool operator==(const SFileStamp&) const = default;
    };
    static bool StampOf(const std::string& path, SFileStamp& stamp);
    void Forget(BITMAP* image, bool keep);
    void FreeKept();

    std::map<std::string, std::vector<BITMAP*>> m_frames; // by tag, frame 1 first
    std::map<BITMAP*, SFileStamp> m_loadedFrom;            // loaded images
    std::multimap<std::string, std::pair<SFileStamp, BITMAP*>> m_kept; // released in a scope, by path
    int m_reuseScopes = 0;
};

extern CAssetBitmap g_bitmaps;

#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct BITMAP;
struct SAMPLE;
struct ALFONT_FONT;

// A registry of loaded assets of one kind, reached by tag ("TITLE_IMG").
// Sets are read from "data\" + name + ".ykd" definition files.
template <class T>
class CAsset {
public:
    virtual ~CAsset() = default;
    virtual int Init() = 0;
    virtual void ReleaseAll() = 0;
    virtual void OnAssetLoaded(std::string section, std::string tag) = 0;

    void SetDefinitionName(const std::string& name) { m_file = "data\\" + name + ".ykd"; }
    int LoadDefinitions();
    // The object registered under the tag; null for unknown tags.
    T* Get(const std::string& tag) const
    {
        auto it = m_assets.find(tag);
        return it == m_assets.end() ? nullptr : it->second;
    }

protected:
    virtual T* LoadFile(const std::string& path, const std::string& ext) = 0;

    int32_t m_type = 0;                 // 0 unknown, 1 image, 2 sound, 3 music, 4 font
    int32_t m_size = 0;                 // "size" of the font read most recently
    std::string m_file;                 // definition file to read next
    std::map<std::string, T*> m_assets; // by tag; entries may be null
};

class CAssetBitmap : public CAsset<BITMAP> {
public:
    int Init() override;
    int Init(const std::string& name);
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;
    BITMAP* GetFrame(const std::string& tag, int index) const;
    int GetFrameCount(const std::string& tag) const;

protected:
    BITMAP* LoadFile(const std::string& path, const std::string& ext) override;

private:
    std::map<std::string, std::vector<BITMAP*>> m_frames; // frame 1 first
};

class CAssetFont : public CAsset<ALFONT_FONT> {
public:
    int Init() override;
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;

protected:
    ALFONT_FONT* LoadFile(const std::string& path, const std::string& ext) override;
};

class CAssetSound : public CAsset<SAMPLE> {
public:
    int Init() override;
    void ReleaseAll() override;
    void OnAssetLoaded(std::string section, std::string tag) override;

protected:
    SAMPLE* LoadFile(const std::string& path, const std::string& ext) override;
};

extern CAssetBitmap g_bitmaps;
extern CAssetFont g_fonts;
extern CAssetSound g_sounds;

#pragma once
#include <cstdint>
#include <map>
#include <string>

// A registry of loaded assets of one kind, reached by tag ("TITLE_IMG").
// Sets are read from "data\" + name + ".ykd" definition files; the registry
// owns every object it loaded until ReleaseAll().
template <class T>
class CAsset {
public:
    virtual ~CAsset() = default;
    virtual int Init() = 0;
    virtual void ReleaseAll() = 0;
    virtual void OnAssetLoaded(std::string section, std::string tag) = 0;

    void SetDefinitionName(const std::string& name) { m_file = DefinitionFile(name); }
    static std::string DefinitionFile(const std::string& name) { return "data\\" + name + ".ykd"; }
    // The kType... a set's definition file declares, read without loading the set.
    static int DefinitionType(const std::string& name);
    int LoadDefinitions();
    // The object registered under the tag; null for unknown tags.
    T* Get(const std::string& tag) const
    {
        auto it = m_assets.find(tag);
        return it == m_assets.end() ? nullptr : it->second;
    }
    const std::string& GetDefinitionFile() const { return m_file; }
    // Changes whenever assets were loaded or released, so that whoever keeps
    // pointers to them knows when to look them up again.
    uint32_t Generation() const { return m_generation; }
    int GetType() const { return m_type; }

    // Values of the "type" key.
    static constexpr int kTypeUnknown = 0;
    static constexpr int kTypeImage = 1;
    static constexpr int kTypeSound = 2;
    static constexpr int kTypeMusic = 3;
    static constexpr int kTypeFont = 4;

protected:
    // The type of set this registry loads; other sets give null entries.
    virtual int Kind() const = 0;
    virtual const char* KindName() const = 0;
    // Loads one file; null when it cannot be read, with the reason in
    // m_refusal when the loader knows one.
    virtual T* LoadFile(const std::string& section, const std::string& path, const std::string& ext) = 0;
    virtual void Destroy(T* object) = 0;
    void Changed() { ++m_generation; }

    int32_t m_type = 0;                 // 0 unknown, 1 image, 2 sound, 3 music, 4 font
    int32_t m_size = 0;                 // "size" of the font read most recently, pixels
    std::string m_file;                 // definition file to read next
    std::map<std::string, T*> m_assets; // by tag; entries may be null
    uint32_t m_generation = 0;          // counts loads and releases
    std::string m_refusal;              // why the last LoadFile gave null, if known

private:
    void LoadAsset(const std::string& section, const std::string& assetDir, const std::string& defaultExt);
    void WarnWrongType(const std::string& typeName) const;
};

// Including this header gives all three registries.
#include "assets/AssetBitmap.h"
#include "assets/AssetFont.h"
#include "assets/AssetSound.h"

#include "assets/Asset.h"

#include <allegro.h>
#include <strings.h>

#include <cstdio>
#include <filesystem>

#include "app/ConfigFile.h"
#include "app/Paths.h"

namespace {

constexpr const char* kGuidelines = "guidelines"; // section naming the set's assets
constexpr const char* kNoEntry = "___";          // default that ends the asset list

std::string ConfigString(const std::string& section, const std::string& key, const std::string& def)
{
    const char* v = get_config_string(section.c_str(), key.c_str(), def.c_str());
    return v ? v : def;
}

int TypeFromName(const std::string& name)
{
    static const struct {
        const char* name;
        int type;
    } kTypes[] = {{"image", CAsset<BITMAP>::kTypeImage},
                  {"sound", CAsset<BITMAP>::kTypeSound},
                  {"music", CAsset<BITMAP>::kTypeMusic},
                  {"font", CAsset<BITMAP>::kTypeFont}};
    for (const auto& t : kTypes)
        if (strcasecmp(name.c_str(), t.name) == 0)
            return t.type;
    return CAsset<BITMAP>::kTypeUnknown;
}

// Makes a definition file the current configuration. Allegro takes a folder
// in a file's place for a file of the folder's size and parses whatever
// memory it got: anything but a plain file reads as empty.
void OpenDefinition(const std::string& file) { OpenConfigFile(file); }

} // namespace

template <class T>
int CAsset<T>::LoadDefinitions()
{
    const std::string path = YkPath(m_file);
    std::error_code ec;
    // A missing set reads as empty; say so, or nothing shows and nobody knows why.
    if (!std::filesystem::is_regular_file(path, ec))
        std::fprintf(stderr, "%s: %s set is missing; its %ss stay empty\n", path.c_str(), KindName(), KindName());
    OpenDefinition(path);
    const std::string typeName = ConfigString(kGuidelines, "type", "unknown");
    m_type = TypeFromName(typeName);
    const std::string assetDir = ConfigString(kGuidelines, "assetdir", "");
    const std::string defaultExt = ConfigString(kGuidelines, "defaultext", "xxx");
    for (int i = 1;; ++i) {
        const std::string section = ConfigString(kGuidelines, "asset" + std::to_string(i), kNoEntry);
        if (strcasecmp(section.c_str(), kNoEntry) == 0) {
            if (i == 1 && !ec && std::filesystem::is_regular_file(path, ec))
                std::fprintf(stderr, "%s: %s set names no assets (no asset1 in [%s])\n", path.c_str(), KindName(),
                             kGuidelines);
            break;
        }
        if (i == 1 && m_type != Kind())
            WarnWrongType(typeName);
        LoadAsset(section, assetDir, defaultExt);
    }
    // Later configuration reads must not see the definition file.
    set_config_file("release");
    Changed();
    return 0;
}

template <class T>
int CAsset<T>::DefinitionType(const std::string& name)
{
    OpenDefinition(YkPath(DefinitionFile(name)));
    const int type = TypeFromName(ConfigString(kGuidelines, "type", "unknown"));
    set_config_file("release");
    return type;
}

template <class T>
void CAsset<T>::LoadAsset(const std::string& section, const std::string& assetDir, const std::string& defaultExt)
{
    const std::string tag = ConfigString(section, "tag", kNoEntry);
    const std::string nameOverride = ConfigString(section, "filenameoverride", "");
    const std::string ext = ConfigString(section, "ext", defaultExt);
    const std::string path = YkPath(assetDir + "\\" + (nameOverride.empty() ? section : nameOverride) + "." + ext);
    T* object = nullptr;
    if (m_type == Kind()) {
        m_refusal.clear();
        object = LoadFile(section, path, ext);
        if (!object)
            std::fprintf(stderr, "%s: %s %s could not be loaded from \"%s\"%s%s\n", YkPath(m_file).c_str(),
                         KindName(), tag.c_str(), path.c_str(), m_refusal.empty() ? "" : ": ", m_refusal.c_str());
    }
    // A duplicate tag keeps its first object; the new one could never be reached.
    if (!m_assets.emplace(tag, object).second && object)
        Destroy(object);
    OnAssetLoaded(section, tag);
}

template <class T>
void CAsset<T>::WarnWrongType(const std::string& typeName) const
{
    std::fprintf(stderr, "%s: type \"%s\" is not a %s set; its assets stay empty\n", YkPath(m_file).c_str(),
                 typeName.c_str(), KindName());
}

template class CAsset<BITMAP>;
template class CAsset<ALFONT_FONT>;
template class CAsset<SAMPLE>;

#include "assets/AssetSound.h"

#include <allegro.h>

CAssetSound g_sounds;

int CAssetSound::Init()
{
    SetDefinitionName("sfx-1");
    return 0;
}

SAMPLE* CAssetSound::LoadFile(const std::string& section, const std::string& path, const std::string& ext)
{
    return load_wav(path.c_str());
}

void CAssetSound::Destroy(SAMPLE* object) { destroy_sample(object); }

void CAssetSound::OnAssetLoaded(std::string section, std::string tag) {}

void CAssetSound::ReleaseAll()
{
    for (auto& [tag, sample] : m_assets) {
        if (sample)
            destroy_sample(sample);
        sample = nullptr;
    }
    m_assets.clear();
}

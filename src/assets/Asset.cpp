#include "assets/Asset.h"

// Placeholder until the definition-file loader lands: every set is empty.
CAssetBitmap g_bitmaps;
CAssetFont g_fonts;
CAssetSound g_sounds;

template <class T>
int CAsset<T>::LoadDefinitions()
{
    return 0;
}
template class CAsset<BITMAP>;
template class CAsset<ALFONT_FONT>;
template class CAsset<SAMPLE>;

int CAssetBitmap::Init() { return Init("bitmap-1"); }
int CAssetBitmap::Init(const std::string& name) { SetDefinitionName(name); return 0; }
void CAssetBitmap::ReleaseAll() { m_frames.clear(); m_assets.clear(); }
void CAssetBitmap::OnAssetLoaded(std::string, std::string) {}
BITMAP* CAssetBitmap::GetFrame(const std::string&, int) const { return nullptr; }
int CAssetBitmap::GetFrameCount(const std::string&) const { return 0; }
BITMAP* CAssetBitmap::LoadFile(const std::string&, const std::string&) { return nullptr; }

int CAssetFont::Init() { SetDefinitionName("font-1"); return 0; }
void CAssetFont::ReleaseAll() { m_assets.clear(); }
void CAssetFont::OnAssetLoaded(std::string, std::string) {}
ALFONT_FONT* CAssetFont::LoadFile(const std::string&, const std::string&) { return nullptr; }

int CAssetSound::Init() { SetDefinitionName("sfx-1"); return 0; }
void CAssetSound::ReleaseAll() { m_assets.clear(); }
void CAssetSound::OnAssetLoaded(std::string, std::string) {}
SAMPLE* CAssetSound::LoadFile(const std::string&, const std::string&) { return nullptr; }

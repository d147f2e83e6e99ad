#include "assets/AssetFont.h"

#include <allegro.h>

#include "text/Ttf.h"

CAssetFont g_fonts;

int CAssetFont::Init()
{
    ttf_init();
    ttf_text_mode(-1);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    text_mode(-1);
#pragma GCC diagnostic pop
    SetDefinitionName("font-1");
    return 0;
}

ALFONT_FONT* CAssetFont::LoadFile(const std::string& section, const std::string& path, const std::string& ext)
{
    ALFONT_FONT* font = ttf_load_font(path.c_str());
    m_size = get_config_int(section.c_str(), "size", 50);
    return font;
}

void CAssetFont::Destroy(ALFONT_FONT* object) { ttf_destroy_font(object); }

// Runs right after each load, so every font gets its own section's size.
void CAssetFont::OnAssetLoaded(std::string section, std::string tag) { ttf_set_font_size(Get(tag), m_size); }

void CAssetFont::ReleaseAll()
{
    for (auto& [tag, font] : m_assets)
        ttf_destroy_font(font);
    m_assets.clear();
}

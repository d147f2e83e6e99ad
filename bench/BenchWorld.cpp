#include "BenchWorld.h"

#include <allegro.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/Display.h"
#include "app/GameApp.h"
#include "assets/Asset.h"
#include "play/StatePlay.h"

namespace fs = std::filesystem;

namespace {

fs::path s_oldDir;
fs::path s_dir;
std::unique_ptr<CStatePlay> s_play;
std::unique_ptr<CGameApp> s_app;
BITMAP* s_screenCopy = nullptr; // stands in for the screen
bool s_artLoaded = false;

} // namespace

void BenchWorld::Open()
{
    s_oldDir = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "yk-bench-XXXXXX").string();
    s_dir = mkdtemp(pattern.data());
    fs::create_directory_symlink(fs::path(YK_DATA_DIR), s_dir / "data"); // as ./yk play links it
    fs::current_path(s_dir);
    g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
    s_screenCopy = create_bitmap(kScreenW, kScreenH);
    g_display.SetPresentTarget(s_screenCopy);
    s_play = std::make_unique<CStatePlay>();
    s_app = std::make_unique<CGameApp>();
}

void BenchWorld::Close()
{
    ReleaseArt();
    s_play.reset();
    s_app.reset();
    g_display.SetPresentTarget(nullptr);
    destroy_bitmap(s_screenCopy);
    destroy_bitmap(g_display.backBuffer);
    g_display.backBuffer = nullptr;
    fs::current_path(s_oldDir);
    std::error_code ec;
    fs::remove_all(s_dir, ec);
}

fs::path BenchWorld::DataDir() { return s_dir / "data"; }

void BenchWorld::LoadPlayArt()
{
    if (s_artLoaded)
        return;
    for (const char* set : {"bitmap-1", "bitmap-level", "bitmap-nervous"}) {
        g_bitmaps.Init(set);
        g_bitmaps.LoadDefinitions();
    }
    g_sounds.Init();
    g_sounds.LoadDefinitions();
    g_fonts.Init();
    g_fonts.LoadDefinitions();
    s_artLoaded = true;
}

void BenchWorld::ReleaseArt()
{
    g_bitmaps.ReleaseAll();
    g_sounds.ReleaseAll();
    g_fonts.ReleaseAll();
    s_artLoaded = false;
}

CStatePlay& BenchWorld::Play() { return *s_play; }
CGameApp& BenchWorld::App() { return *s_app; }

#include "BenchWorld.h"

#include <allegro.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/Display.h"
#include "app/GameApp.h"
#include "assets/Asset.h"
#include "play/StatePlay.h"
#include "support/SceneArt.h"

namespace fs = std::filesystem;

namespace {

fs::path s_oldDir;
fs::path s_dir;
std::unique_ptr<CStatePlay> s_play;
std::unique_ptr<CGameApp> s_app;
BITMAP* s_screenCopy = nullptr; // stands in for the screen
bool s_artLoaded = false;

// A level as crowded as the game's largest: 150 eggs of every power-up,
// toys of every type and the stem-cell mass.
constexpr const char* kCrowdedLevel =
    "[include]\nimageSet=noLoad\n"
    "[goals]\ncvar_pointsToWin=400\n"
    "[timing]\ncvar_hSecLaserPulse=40\ncvar_hSecBeforeLevelStart=300\ncvar_hSecBeforeLevelStartSayGo=100\n"
    "cvar_hSecEggMinLife=2000\ncvar_hSecEggMaxLife=6000\n"
    "[setup]\ncvar_playerNormalizedStartX=0.5\ncvar_playerNormalizedStartY=0.5\n"
    "[action]\ncvar_crackRadius=20\ncvar_windXInterval=500\ncvar_windYInterval=700\n"
    "[pup_overall]\ncvar_pup_plainegg_freq=10\ncvar_pup_magnetic_freq=1\ncvar_pup_disrupt_freq=1\n"
    "cvar_pup_mushroom_freq=1\ncvar_pup_trail_freq=1\ncvar_pup_speedup_freq=1\ncvar_pup_freeze_freq=1\n"
    "cvar_pup_precise_freq=1\ncvar_pup_detonate_freq=1\n"
    "[eggSet1]\neggNum=90\neggGoRand=3\neggGoL=1\neggGoR=1\n"
    "[eggSet2]\neggNum=60\neggL=0.1\neggR=0.9\neggT=0.2\neggB=0.8\neggGoT=1\neggGoB=1\n"
    "[toySet1]\ntoyNum=4\ntype=TCELL\n[toySet2]\ntoyNum=4\ntype=FOOD\n[toySet3]\ntoyNum=3\ntype=FIRE\n"
    "[toySet4]\ntoyNum=2\ntype=NERVE\n[toySet5]\ntoyNum=1\ntype=TOOTH_U\n[toySet6]\ntoyNum=1\ntype=TOOTH_R\n"
    "[toySet7]\ntoyNum=1\ntype=TOOTH_D\n[toySet8]\ntoyNum=1\ntype=TOOTH_L\n[toySet9]\ntoyNum=3\ntype=DUST\n"
    "[boss]\ntype=STCELL\nbossX=0.5\nbossY=0.5\n"
    "[boss-endboss]\ncvar_boss_hsecPreSplitWarning=50\ncvar_boss_hsecBetweenSplitMin=100\n"
    "cvar_boss_hsecBetweenSplitMax=300\n";

bool HasLevels(const fs::path& data) { return fs::exists(data / "states" / "play-1.yks"); }

// data/ of links into the built data, with stand-ins for what is missing.
void MakeDataDir()
{
    const fs::path built = YK_DATA_DIR;
    const fs::path data = s_dir / "data";
    fs::create_directories(data);
    for (const auto& entry : fs::directory_iterator(built))
        fs::create_symlink(entry.path(), data / entry.path().filename());
    if (!BenchWorld::HasGameArt()) {
        fs::remove(data / "font-1.ykd");
        fs::remove(data / "fonts");
        WriteSceneArt(s_dir);
    }
    if (!HasLevels(built)) {
        fs::remove(data / "states");
        fs::create_directories(data / "states");
        std::ofstream(data / "states" / "play-1.yks") << kCrowdedLevel;
    }
}

} // namespace

void BenchWorld::Open()
{
    s_oldDir = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "yk-bench-XXXXXX").string();
    s_dir = mkdtemp(pattern.data());
    MakeDataDir();
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

bool BenchWorld::HasGameArt() { return fs::exists(fs::path(YK_DATA_DIR) / "bitmap-1.ykd"); }

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
    s_play->artStale = true;
    s_artLoaded = true;
}

void BenchWorld::ReleaseArt()
{
    g_bitmaps.ReleaseAll();
    g_sounds.ReleaseAll();
    g_fonts.ReleaseAll();
    if (s_play)
        s_play->artStale = true;
    s_artLoaded = false;
}

CStatePlay& BenchWorld::Play() { return *s_play; }
CGameApp& BenchWorld::App() { return *s_app; }

#include "support/SceneArt.h"

#include <allegro.h>

#include <fstream>
#include <string>

namespace {

struct SImage {
    const char* tag;
    int w, h;   // pixels, of one frame
    int frames; // side by side
    bool masked;
};

const SImage kImages[] = {
    {"BG_IMG", 1024, 768, 1, false},
    {"CORNER_IMG", 170, 125, 1, true},
    {"ACID_IMG", 16, 16, 1, true},
    {"PUCK_IMG", 40, 40, 1, true},
    {"PUCK_SPIKES_IMG", 48, 48, 1, true},
    {"PUCK_1_IMG", 40, 40, 1, true},
    {"PUCK_1_SPIKES_IMG", 48, 48, 1, true},
    {"PUCK_2_IMG", 40, 40, 1, true},
    {"PUCK_2_SPIKES_IMG", 48, 48, 1, true},
    {"LANTERN_T_IMG", 64, 24, 1, true},
    {"LANTERN_B_IMG", 64, 24, 1, true},
    {"LANTERN_L_IMG", 24, 64, 1, true},
    {"LANTERN_R_IMG", 24, 64, 1, true},
    {"LANTERN_T_1_IMG", 64, 24, 1, true},
    {"LANTERN_B_1_IMG", 64, 24, 1, true},
    {"LANTERN_L_1_IMG", 24, 64, 1, true},
    {"LANTERN_R_1_IMG", 24, 64, 1, true},
    {"LANTERN_T_2_IMG", 64, 24, 1, true},
    {"LANTERN_B_2_IMG", 64, 24, 1, true},
    {"LANTERN_L_2_IMG", 24, 64, 1, true},
    {"LANTERN_R_2_IMG", 24, 64, 1, true},
    {"EGG_IMG", 32, 32, 1, true},
    {"EGGPUP_IMG", 32, 32, 1, true},
    {"EGGSHELL_IMG", 32, 32, 1, true},
    {"EGGPUPSHELL_IMG", 32, 32, 1, true},
    {"PUP_MAG_IMG", 32, 32, 1, true},
    {"PUP_DIS_IMG", 32, 32, 1, true},
    {"PUP_GRO_IMG", 32, 32, 1, true},
    {"PUP_ACI_IMG", 32, 32, 1, true},
    {"PUP_SPE_IMG", 32, 32, 1, true},
    {"PUP_FRE_IMG", 32, 32, 1, true},
    {"PUP_LAS_IMG", 32, 32, 1, true},
    {"PUP_BOM_IMG", 32, 32, 1, true},
    {"ALIEN_Y_IMG", 32, 32, 4, true},
    {"ALIEN_G_IMG", 32, 32, 4, true},
    {"ALIEN_R_IMG", 32, 32, 4, true},
    {"ALIEN_B_IMG", 32, 32, 4, true},
    {"ALIEN_W_IMG", 32, 32, 1, true},
    {"TOY_TCELL_IMG", 40, 40, 1, true},
    {"TOY_FOOD_IMG", 36, 36, 1, true},
    {"TOY_FIRE_IMG", 40, 40, 1, true},
    {"TOY_NERVE_IMG", 40, 24, 1, true},
    {"TOY_TOOTH_U_IMG", 28, 40, 1, true},
    {"TOY_TOOTH_R_IMG", 40, 28, 1, true},
    {"TOY_TOOTH_D_IMG", 28, 40, 1, true},
    {"TOY_TOOTH_L_IMG", 40, 28, 1, true},
    {"TOY_DUST_IMG", 24, 24, 1, true},
    {"BOSS_EGGLAY_IMG", 100, 100, 1, true},
    {"BOSS_TCELLK_IMG", 100, 100, 1, true},
    {"BOSS_GOBBLE_IMG", 100, 100, 1, true},
    {"BOSS_FIBALL_IMG", 100, 100, 1, true},
    {"BOSS_CHASER_IMG", 100, 100, 1, true},
    {"BOSS_BLOWER_IMG", 100, 100, 1, true},
    {"BOSS_BLOWER2_IMG", 100, 100, 1, true},
    {"STEMCELL_IMG", 720, 480, 1, false},
    {"STEMCELL_FLASH_IMG", 8, 8, 1, true},
};

// A pattern that differs along both axes and between images, so that a
// sprite drawn flipped, turned or shifted by one pixel changes the frame,
// with holes of the mask colour inside and around an ellipse.
int PatternPixel(int x, int y, int w, int h, int salt, bool masked)
{
    if (masked) {
        const int fx = x % w, fy = y % h;
        const long dx = 2 * fx + 1 - w, dy = 2 * fy + 1 - h;
        const bool outside = dx * dx * h * h + dy * dy * w * w > static_cast<long>(w) * w * h * h;
        if (outside || (fx * fx * 3 + fy * fy * 5 + salt) % 13 == 0)
            return makecol(255, 0, 255);
    }
    return makecol((x * 5 + y * 3 + salt * 40) & 255, (x * 2 + (y >> 1) + salt * 70) & 255,
                   (y * 4 + x + salt * 25) & 255);
}

void WriteImage(const std::filesystem::path& file, const SImage& image, int salt)
{
    BITMAP* b = create_bitmap_ex(16, image.w * image.frames, image.h);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            putpixel(b, x, y, PatternPixel(x, y, image.w, image.h, salt, image.masked));
    save_bitmap(file.string().c_str(), b, nullptr);
    destroy_bitmap(b);
}

std::string ImageSection(const SImage& image, int index)
{
    std::string s = "[img" + std::to_string(index) + "]\ntag = " + image.tag + "\n";
    if (image.frames > 1)
        s += "fX1 = 0\nfY1 = 0\nfW1 = " + std::to_string(image.w) + "\nfH1 = " + std::to_string(image.h) +
             "\nfDX = " + std::to_string(image.w) + "\nfN = " + std::to_string(image.frames) + "\n";
    return s;
}

void WriteImages(const std::filesystem::path& data)
{
    std::filesystem::create_directories(data / "art");
    std::string guidelines = "[guidelines]\ntype = image\nassetdir = data\\art\ndefaultext = bmp\n";
    std::string sections;
    int index = 0;
    for (const SImage& image : kImages) {
        ++index;
        WriteImage(data / "art" / ("img" + std::to_string(index) + ".bmp"), image, index);
        guidelines += "asset" + std::to_string(index) + " = img" + std::to_string(index) + "\n";
        sections += ImageSection(image, index);
    }
    std::ofstream(data / "bitmap-1.ykd") << guidelines << sections;
}

void WriteFonts(const std::filesystem::path& data)
{
    std::filesystem::create_directories(data / "fonts");
    std::filesystem::copy_file(std::filesystem::path(YK_DATA_DIR) / "fonts" / "DejaVuSans-Bold.ttf",
                               data / "fonts" / "DejaVuSans-Bold.ttf",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(data / "font-1.ykd") << "[guidelines]\ntype = font\nassetdir = data\\fonts\ndefaultext = ttf\n"
                                          "asset1 = hg\nasset2 = lg\nasset3 = md\nasset4 = sm\n"
                                          "[hg]\ntag = ANKLE_HG_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 56\n"
                                          "[lg]\ntag = ANKLE_LG_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 26\n"
                                          "[md]\ntag = ANKLE_MD_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 19\n"
                                          "[sm]\ntag = ANKLE_SM_TTF\nfilenameoverride = DejaVuSans-Bold\nsize = 13\n";
}

} // namespace

void WriteSceneArt(const std::filesystem::path& dir)
{
    WriteImages(dir / "data");
    WriteFonts(dir / "data");
}

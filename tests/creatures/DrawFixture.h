#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/Display.h"
#include "assets/Asset.h"

// A memory back buffer for creature draws, and a way to lend the image
// registry a few images (plain, or a strip of animation frames) by tag for
// the length of one test.
class CreatureDrawTest : public ::testing::Test {
protected:
    static constexpr int kBlack = 0;

    void SetUp() override
    {
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        clear_to_color(g_display.backBuffer, kBlack);
    }
    void TearDown() override
    {
        g_bitmaps.ReleaseAll(); // frames first, then the lent images
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
    }

    // A w by h image filled with one colour, registered under the tag.
    BITMAP* Lend(const std::string& tag, int w, int h, int colour)
    {
        BITMAP* image = create_bitmap(w, h);
        clear_to_color(image, colour);
        Images()[tag] = image;
        Door::Changed(g_bitmaps); // creatures keep their images until the registry changes
        return image;
    }
    // A strip of `count` frames of w by h side by side, cut into frames the
    // way a definition file's fN/fX/fDX keys would; paint the strip before
    // a creature looks its images up.
    BITMAP* LendFrames(const std::string& tag, int count, int w, int h)
    {
        BITMAP* strip = Lend(tag, w * count, h, kBlack);
        const std::string keys = "[" + tag + "]\nfN = " + std::to_string(count) + "\nfX1 = 0\nfY1 = 0\nfW1 = " +
                                 std::to_string(w) + "\nfH1 = " + std::to_string(h) + "\nfDX = " + std::to_string(w) + "\n";
        push_config_state();
        set_config_data(keys.c_str(), static_cast<int>(keys.size()));
        g_bitmaps.OnAssetLoaded(tag, tag);
        pop_config_state();
        Door::Changed(g_bitmaps);
        return strip;
    }
    int Pixel(int x, int y) const { return getpixel(g_display.backBuffer, x, y); }
    bool Blank() const
    {
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x)
                if (Pixel(x, y) != kBlack)
                    return false;
        return true;
    }

private:
    // The registry keeps its table to itself; a derived class may name it.
    struct Door : CAssetBitmap {
        static std::map<std::string, BITMAP*>& Table(CAssetBitmap& r) { return r.*(&Door::m_assets); }
        static void Changed(CAssetBitmap& r) { (r.*(&Door::m_generation))++; }
    };
    static std::map<std::string, BITMAP*>& Images() { return Door::Table(g_bitmaps); }
};

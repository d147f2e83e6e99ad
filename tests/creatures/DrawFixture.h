#pragma once
#include <allegro.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/Display.h"
#include "assets/Asset.h"

// A memory back buffer for creature draws, and a way to lend the image
// registry a few plain images by tag for the length of one test.
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
        for (auto& [tag, image] : lent) {
            Images().erase(tag);
            destroy_bitmap(image);
        }
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
    }

    // A w by h image filled with one colour, registered under the tag.
    BITMAP* Lend(const std::string& tag, int w, int h, int colour)
    {
        BITMAP* image = create_bitmap(w, h);
        clear_to_color(image, colour);
        Images()[tag] = image;
        lent[tag] = image;
        return image;
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
    };
    static std::map<std::string, BITMAP*>& Images() { return Door::Table(g_bitmaps); }

    std::map<std::string, BITMAP*> lent;
};

#pragma once
#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Paths.h"

// Runs a test in the built game's working directory (the parent of data/),
// reading the definition files the way the game names them.
class DataDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        old = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(YK_DATA_DIR).parent_path());
        register_png_file_type();
    }
    void TearDown() override
    {
        set_config_file("release");
        std::filesystem::current_path(old);
    }

    struct Asset {
        std::string section, tag, path;
        int frames = 0, fx = 0, fy = 0, fw = 0, fh = 0, fdx = 0;
    };
    struct Set {
        std::string type;
        std::vector<Asset> assets;
        bool exists = false;
    };

    // Reads "data\<name>.ykd": guidelines, then asset1, asset2, ... until
    // the first missing entry.
    static Set ReadSet(const std::string& name)
    {
        Set set;
        const std::string file = YkPath("data\\" + name + ".ykd");
        set.exists = std::filesystem::exists(file);
        set_config_file(file.c_str());
        set.type = get_config_string("guidelines", "type", "unknown");
        const std::string dir = get_config_string("guidelines", "assetdir", "");
        const std::string ext = get_config_string("guidelines", "defaultext", "xxx");
        for (int i = 1;; ++i) {
            const std::string section = get_config_string("guidelines", ("asset" + std::to_string(i)).c_str(), "___");
            if (ustricmp(section.c_str(), "___") == 0)
                break;
            Asset a;
            a.section = section;
            const char* s = section.c_str();
            a.tag = get_config_string(s, "tag", "___");
            std::string base = get_config_string(s, "filenameoverride", "");
            if (base.empty())
                base = section;
            a.path = YkPath(dir + "\\" + base + "." + get_config_string(s, "ext", ext.c_str()));
            a.frames = get_config_int(s, "fN", 0);
            a.fx = get_config_int(s, "fX1", -1);
            a.fy = get_config_int(s, "fY1", -1);
            a.fw = get_config_int(s, "fW1", -1);
            a.fh = get_config_int(s, "fH1", -1);
            a.fdx = get_config_int(s, "fDX", 0);
            set.assets.push_back(a);
        }
        set_config_file("release");
        return set;
    }

    std::filesystem::path old;
};

// Every image set of the game, and the sets of other kinds.
inline const std::vector<std::string>& SystemSets()
{
    static const std::vector<std::string> sets = {"bitmap-circulatory", "bitmap-digestive", "bitmap-respiratory",
                                                  "bitmap-nervous"};
    return sets;
}
inline std::vector<std::string> ImageSets()
{
    std::vector<std::string> sets = {"bitmap-menu", "bitmap-1", "bitmap-level"};
    sets.insert(sets.end(), SystemSets().begin(), SystemSets().end());
    return sets;
}

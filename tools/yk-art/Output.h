#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

// Where the generated files go and how each set's definition file lists them.
struct FrameStrip {
    int x1 = 0, y1 = 0, w = 0, h = 0, dx = 0, n = 0;
};

struct AssetEntry {
    std::string section; // also the file name, without extension
    std::string tag;
    FrameStrip frames;   // n == 0: a plain image
};

class ImageSet {
public:
    ImageSet(std::string name, std::string dataDir) : name(std::move(name)), dataDir(std::move(dataDir)) {}

    // Saves a sprite (alpha below one half becomes the mask colour) and lists it.
    void AddSprite(const std::string& section, const std::string& tag, const Canvas& c, FrameStrip frames = {});
    // Saves an opaque picture (alpha ignored) and lists it.
    void AddPicture(const std::string& section, const std::string& tag, const Canvas& c);
    // Writes data/<name>.ykd; returns false with a message on failure.
    bool WriteDefinition() const;

    const std::string& Name() const { return name; }

private:
    void Save(const std::string& section, const Canvas& c, bool masked) const;

    std::string name;
    std::string dataDir;
    std::vector<AssetEntry> assets;
};

// Saves a picture with its alpha channel, as desktop icons want it.
bool SaveIcon(const std::string& path, const Canvas& c);

// The folder of images inside the data directory, as the definitions name it.
constexpr const char* kImageDir = "img";

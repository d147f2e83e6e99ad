#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CDoubledSprite;

struct BITMAP;
struct ALFONT_FONT;

// A puck with its spikes and the four lanterns that follow it along the walls.
struct SPuckArt {
    BITMAP* puck = nullptr;
    BITMAP* spikes = nullptr;
    BITMAP* lanternTop = nullptr;
    BITMAP* lanternRight = nullptr;
    BITMAP* lanternBottom = nullptr;
    BITMAP* lanternLeft = nullptr;
};

// Images and fonts the play frame draws, looked up once per loaded set
// rather than by tag every frame.
struct SPlayArt {
    BITMAP* background = nullptr; // BG_IMG
    BITMAP* corner = nullptr;     // CORNER_IMG
    BITMAP* acid = nullptr;       // ACID_IMG, one trail point
    SPuckArt single;              // one player
    SPuckArt pair[2];             // two players, by player
    ALFONT_FONT* huge = nullptr;   // ANKLE_HG_TTF, messages
    ALFONT_FONT* large = nullptr;  // ANKLE_LG_TTF, points, level, score
    ALFONT_FONT* medium = nullptr; // ANKLE_MD_TTF, titles and statistics
    ALFONT_FONT* small = nullptr;  // ANKLE_SM_TTF, credits

    bool current = false;     // looked up (or marked) at all
    uint32_t bitmapsSeen = 0; // registry generations then
    uint32_t fontsSeen = 0;

    // Looks every tag up and marks the art as that of the registries as
    // they stand now.
    void LookUp();
    // Looks the tags up again only if the image or font registry has loaded
    // or released anything since (their generation counters).
    void Refresh();
    // Marks art set by hand as current for the registries as they stand.
    void MarkCurrent();
    const SPuckArt& Puck(int numPlayers, int player) const { return numPlayers == 1 ? single : pair[player]; }
};

// The pucks and spikes at twice their size, as the mushroom power-up shows
// them, made once per load of the image registry (see CachedArt).
struct SDoubledPucks {
    std::vector<std::unique_ptr<CDoubledSprite>> sprites;

    SDoubledPucks();
    ~SDoubledPucks();
    void LookUp();
    // The doubled version of a registry image; null for any other image.
    const CDoubledSprite* For(const BITMAP* image) const;
};

// The four border corners as the frame shows them over the background,
// made once per load of the image registry (see CachedArt). A corner that
// lies wholly in the border strips, clear of the frame line, has nothing
// under it but the background the strips copy afresh every frame; copying
// these pieces then gives the same pixels as drawing the masked corner.
struct SFramedCorners {
    struct SPlace {
        int x, y; // pixels, top left on the screen
    };
    // Where the frame puts a corner image of w x h pixels, in drawing order.
    static std::array<SPlace, 4> Places(int w, int h);
    // Whether w x h corners in their places lie in the strips of a border
    // e pixels wide and off the frame line.
    static bool ClearOfArena(int w, int h, int e);

    SFramedCorners() = default;
    SFramedCorners(const SFramedCorners&) = delete;
    SFramedCorners& operator=(const SFramedCorners&) = delete;
    ~SFramedCorners();
    void LookUp();
    // Copies the four corners onto target and says so, or draws nothing
    // and returns false: the art is not the registry's, a picture is not a
    // full-screen 16-bit one, or a corner reaches the arena or frame line.
    bool Draw(BITMAP* target, const SPlayArt& art, int e) const;

    const BITMAP* background = nullptr; // the registry's, when made
    const BITMAP* corner = nullptr;
    std::array<BITMAP*, 4> pieces{}; // owned; by place
};

#pragma once

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

    void LookUp();
    const SPuckArt& Puck(int numPlayers, int player) const { return numPlayers == 1 ? single : pair[player]; }
};

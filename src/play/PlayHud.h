#pragma once
#include <cstdint>

struct BITMAP;

// The rules of the play frame that decide something, kept apart from the
// drawing so they can be checked without a screen.

// The laser pulses, in the order the frame draws their beams.
enum EPulse {
    kPulseA = 0, // from the left wall, pushes right
    kPulseC = 1, // from the right wall, pushes left
    kPulseB = 2, // from the top wall, pushes down
    kPulseD = 3, // from the bottom wall, pushes up
};

// Level number within its body system: 1..10.
int LevelInSystem(int level);

// Brightness left in a beam whose pulse has this much (0..1) still to run:
// 255 at the start, dimmed by up to dropoffIntensity; always 0..255.
int BeamLevel(float fraction, float dropoffIntensity);

// Colour of a pulse's beam: its own colour per wall with one player, one
// colour per player with two.
int BeamColour(int numPlayers, int player, int pulse, float fraction, float dropoffIntensity);

// What the count-down shows this frame.
struct SCountdownLook {
    bool ready = false; // "Ready?" is shown
    bool go = false;    // "Go!" is shown too (and "GO_SFX" is due)
    int shift = 0;      // pixels both words have risen
    int fade = 255;     // red and green of the yellow, 255 down to 0
};
SCountdownLook CountdownLook(int32_t now, int32_t levelStartAt, int32_t levelEndAt, int32_t sayGo);

// The boss's health bar at the top of the arena: 4 pixels per point.
void DrawBossHealthBar(BITMAP* target, int health);

#pragma once
#include "Canvas.h"
#include "Output.h"

// The image sets, each made by its own generator.
void MakePlaySet(ImageSet& set);                  // "bitmap-1": every shared play image
void MakeMenuSet(ImageSet& set);                  // "bitmap-menu": the title
void MakeLevelSet(ImageSet& set);                 // "bitmap-level": level select, options bar, help
void MakeSystemSet(ImageSet& set, int system);    // one organ system's arena background

// Organ systems in the order of their set names below.
enum System { kCirculatory, kDigestive, kRespiratory, kNervous, kSystemCount };
const char* SystemSetName(int system);

// Parts of the play set, one file each.
void AddHud(ImageSet& set);       // corner panel, lanterns
void AddPucks(ImageSet& set);     // pucks, spikes, acid trail
void AddEggs(ImageSet& set);      // eggs, shells, power-ups
void AddAliens(ImageSet& set);
void AddToys(ImageSet& set);
void AddBosses(ImageSet& set);
void AddStemCell(ImageSet& set);

// Single sprites reused in the menu pictures.
Canvas PowerUpIcon(int kind);          // 1 magnetic .. 8 detonate
Canvas PlainEgg();
Canvas PowerUpEgg();
Canvas AlienFrame(int look, int frame); // look 0..3 larvae (Y, G, R, B), 4 the wanderer
// 0 single, 1 and 2 the two players; spikes included; size 0 is the game's own.
Canvas PuckSprite(int player, int size = 0);

// Backgrounds also serve the level-select picture.
Canvas SystemBackground(int system, int w, int h, uint32_t seed);

#pragma once

struct BITMAP;

// Creatures are drawn with their image centred on their position. Each call
// draws into the display's back buffer and does nothing for a missing image
// (an asset that failed to load) or a missing back buffer.
void DrawCentred(BITMAP* image, int x, int y);
void DrawCentredVFlip(BITMAP* image, int x, int y);
void DrawCentredRotated(BITMAP* image, int x, int y, int angle); // Allegro angle units, 256 a turn

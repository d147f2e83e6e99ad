#pragma once
#include <allegro.h>

#include <string>

// Drawing helpers shared by the preview scenes: pictures by tag from the
// game's registries, text through its TrueType layer.
BITMAP* Img(const char* tag);
void Centred(BITMAP* bmp, int x, int y, const BITMAP* img);
// Text with the game's drop shadow: black to the lower right, then colour.
void Text(BITMAP* bmp, const char* fontTag, int x, int y, int colour, const std::string& text, int shadow = 2);
bool SavePreview(BITMAP* bmp, const std::string& dir, const std::string& name);

void DrawMenuOpen(BITMAP* bb);
void DrawPlay(BITMAP* bb, int scene);
void DrawCompletion(BITMAP* bb);
constexpr int kPlayScenes = 6;
const char* PlaySceneName(int scene);
const char* PlaySceneSet(int scene);

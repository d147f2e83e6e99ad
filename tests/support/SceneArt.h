#pragma once
#include <filesystem>

// Writes a complete set of play art into dir/data, drawn from formulas so
// that it never changes with the game's real art: the image set "bitmap-1"
// with every image the play frame and the creatures draw, in the sizes of
// the real art, and "font-1" with the four sizes of the packaged font.
void WriteSceneArt(const std::filesystem::path& dir);

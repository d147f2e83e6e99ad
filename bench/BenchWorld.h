#pragma once
#include <filesystem>

class CStatePlay;
class CGameApp;

// The benchmarks run the game without a screen, with the built game data,
// in a temporary working directory where the game may write its score file.
namespace BenchWorld {

void Open();  // after Allegro was started
void Close();
std::filesystem::path DataDir();

// The image, sound and font sets a level of the last body system runs
// with; loaded once and kept until ReleaseArt.
void LoadPlayArt();
void ReleaseArt();

CStatePlay& Play();
CGameApp& App();

} // namespace BenchWorld

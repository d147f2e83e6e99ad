#pragma once
#include <filesystem>

class CStatePlay;
class CGameApp;

// The benchmarks run the game without a screen, in a temporary working
// directory where the game may write its score file. Its data/ links every
// entry of the built game data; what the build does not hold yet (the play
// art, the level files) is stood in for by art drawn from formulas in the
// real sizes and by one crowded level.
namespace BenchWorld {

void Open();  // after Allegro was started
void Close();
std::filesystem::path DataDir();
bool HasGameArt(); // the real play art, not the stand-in

// The image, sound and font sets a level of the last body system runs
// with; loaded once and kept until ReleaseArt.
void LoadPlayArt();
void ReleaseArt();

CStatePlay& Play();
CGameApp& App();

} // namespace BenchWorld

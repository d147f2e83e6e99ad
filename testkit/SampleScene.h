#pragma once

class CStatePlay;

// Play scenes of a known make-up, built by hand rather than from a level
// file, so that the frame and tick benchmarks and the golden frame test
// always look at the same thing. Building sets the clock and seeds rand().
struct SSceneRecipe {
    int players; // 1 or 2
    int eggs;    // in every state: whole, trembling, open shells, power-ups on show
    int aliens;  // of every kind and heading
    int toys;    // of every type, round-robin
    bool busy;   // also trails, all beams, freeze clock, the stem-cell mass grown
                 // to its border with its health bar, and the count-down
};

constexpr SSceneRecipe kTypicalScene = {1, 20, 10, 5, false};
constexpr SSceneRecipe kHeaviestScene = {2, 150, 100, 20, true};

constexpr int kSceneNow = 5000;     // hundredths, the clock while the scene is built
constexpr unsigned kSceneSeed = 12; // rand() seed after building

void BuildScene(CStatePlay& play, const SSceneRecipe& recipe);

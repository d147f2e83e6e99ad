#pragma once

// Where the level-select screen's options bar holds its controls, in pixels
// of the open bar (its top edge at y 0). The art generator paints the bar
// and its sprites to these places and the menu draws and hit-tests them
// there, so the two cannot drift apart.
namespace OptionsBar {

// The bar picture must reach below the lowest spot (the music scale).
constexpr int kHeight = 76;

// The player dial: a disc drawn turned about its centre, top left here.
constexpr int kDialX = 389, kDialY = -48, kDialSize = 130;
constexpr int kDialHotLeft = 386, kDialHotRight = 519; // exclusive

// The two volume scales, filled from the left as far as the volume goes.
constexpr int kScaleX = 627, kScaleW = 84, kScaleH = 20;
constexpr int kSoundScaleY = 20, kMusicScaleY = 43;
constexpr int kVolumeHotLeft = 628, kVolumeHotRight = 712; // exclusive
constexpr int kVolumeSpan = kScaleW;                       // pixels for the full 256 steps
constexpr int kSoundHotTop = 18, kSoundHotBottom = 38;     // inclusive
constexpr int kMusicHotTop = 45, kMusicHotBottom = 65;     // inclusive

// The game modes, one row each from the top.
constexpr int kModeX = 796, kModeY = 12, kModeW = 66, kModeRowH = 12, kModeRows = 5;
constexpr int kModeHotLeft = kModeX, kModeHotRight = kModeX + kModeW; // exclusive

// The erase-scores bomb, filled up from the bottom while held.
constexpr int kBombX = 981, kBombY = 19, kBombW = 34, kBombH = 45;
constexpr int kBombHotLeft = 982, kBombHotRight = 1014; // inclusive
constexpr int kBombHotTop = 20, kBombHotBottom = 64;    // inclusive

static_assert(kMusicHotBottom < kHeight, "the bar's picture covers every spot");

} // namespace OptionsBar

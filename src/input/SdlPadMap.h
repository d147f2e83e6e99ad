#pragma once
// Included by the two files that talk to SDL only: the game's pad inputs
// as SDL names them.
#include <SDL.h>

#include "input/PadInput.h"

namespace SdlPadMap {

inline constexpr SDL_GameControllerButton kButtons[kPadInputs] = {
    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,         SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_START,     SDL_CONTROLLER_BUTTON_BACK,      SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};
inline constexpr SDL_GameControllerAxis kAxes[kPadAxes] = {
    SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY};

} // namespace SdlPadMap

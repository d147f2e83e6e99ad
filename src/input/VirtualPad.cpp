#include "input/VirtualPad.h"

#include "input/SdlPadMap.h"

#include <algorithm>

namespace {

using SdlPadMap::kAxes;
using SdlPadMap::kButtons;

SDL_Joystick* Joystick(void* p) { return static_cast<SDL_Joystick*>(p); }

} // namespace

bool CVirtualPad::Attach(const char* name)
{
    if (joystick)
        return true;
    // Buttons and axes in the controller's own order: the support maps a
    // virtual controller so, the way a known pad is mapped.
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0)
        return false;
    joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        SDL_JoystickDetachVirtual(index);
        return false;
    }
    instance = SDL_JoystickInstanceID(Joystick(joystick));
    return true;
}

void CVirtualPad::Detach()
{
    if (!joystick)
        return;
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) { // the support stopped first and took the pad with it
        joystick = nullptr;
        instance = -1;
        return;
    }
    SDL_JoystickClose(Joystick(joystick));
    joystick = nullptr;
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == instance) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    instance = -1;
}

void CVirtualPad::Press(EPadInput input, bool down)
{
    if (joystick && input >= 0 && input < kPadInputs)
        SDL_JoystickSetVirtualButton(Joystick(joystick), kButtons[input], down ? 1 : 0);
}

void CVirtualPad::Tilt(EPadAxis axis, int value)
{
    if (joystick && axis >= 0 && axis < kPadAxes)
        SDL_JoystickSetVirtualAxis(Joystick(joystick), kAxes[axis], static_cast<Sint16>(std::clamp(value, -32768, 32767)));
}

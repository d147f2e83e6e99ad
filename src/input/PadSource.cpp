#include "input/PadSource.h"

#include "input/SdlPadMap.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

CPadSource g_padSource;

namespace {

constexpr const char* kUserMappings = "gamecontrollerdb.txt";

using SdlPadMap::kAxes;
using SdlPadMap::kButtons;

SDL_GameController* Controller(void* p) { return static_cast<SDL_GameController*>(p); }

std::string GuidOf(int deviceIndex)
{
    char text[64] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), text, sizeof text);
    return text;
}

// Mappings of the player's own, for pads the built-in ones do not know: one
// line each, as SDL writes them; lines for another system are passed over.
// A line that is no mapping is named, never fatal.
void LoadUserMappings()
{
    std::error_code ec;
    if (!std::filesystem::exists(kUserMappings, ec))
        return;
    std::ifstream in(kUserMappings);
    if (!std::filesystem::is_regular_file(kUserMappings, ec) || !in) {
        std::fprintf(stderr, "%s: cannot be read; the built-in pad mappings still work\n", kUserMappings);
        return;
    }
    const std::string thisSystem = std::string("platform:") + SDL_GetPlatform();
    std::string line;
    int number = 0, bad = 0, firstBad = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.find("platform:") != std::string::npos && line.find(thisSystem) == std::string::npos)
            continue;
        if (SDL_GameControllerAddMapping(line.c_str()) < 0 && bad++ == 0)
            firstBad = number;
    }
    if (bad > 0)
        std::fprintf(stderr, "%s: %d line%s no pad mapping (the first: line %d); passed over\n", kUserMappings, bad,
                     bad == 1 ? " is" : "s are", firstBad);
}

} // namespace

bool CPadSource::Start()
{
    if (running)
        return true;
    // The game handles its own signals (a kill must end it as before), and
    // only controllers are wanted: no video, no audio, no window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Game pads are off: the controller support cannot start (%s)\n", SDL_GetError());
        return false;
    }
    LoadUserMappings();
    *this = CPadSource();
    running = true;
    return true;
}

void CPadSource::Stop()
{
    if (!running)
        return;
    for (SHeld& h : held)
        if (h.controller)
            SDL_GameControllerClose(Controller(h.controller));
    *this = CPadSource();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int CPadSource::Seated() const
{
    int n = 0;
    for (const SHeld& h : held)
        n += h.controller != nullptr;
    return n;
}

void CPadSource::Add(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex))
        return;
    const int instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (const SHeld& h : held)
        if (h.controller && h.instance == instance)
            return;
    const std::string guid = GuidOf(deviceIndex);
    const int seat = PadRules::ChooseSeat(seats, guid);
    if (seat < 0)
        return; // a third pad waits until a seat is free
    SDL_GameController* c = SDL_GameControllerOpen(deviceIndex);
    if (!c)
        return;
    held[seat] = {c, instance};
    seats[seat].taken = true;
    seats[seat].lastPad = guid;
}

void CPadSource::Remove(int instance)
{
    for (int s = 0; s < kPadSeats; ++s)
        if (held[s].controller && held[s].instance == instance) {
            SDL_GameControllerClose(Controller(held[s].controller));
            held[s] = SHeld();
            seats[s].taken = false;
        }
}

void CPadSource::SeatWaitingPad()
{
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n && Seated() < kPadSeats; ++i)
        Add(i);
}

void CPadSource::Read(SPadFrame (&frames)[kPadSeats])
{
    for (SPadFrame& f : frames)
        f = SPadFrame();
    if (!running)
        return;
    bool removed = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_CONTROLLERDEVICEADDED)
            Add(e.cdevice.which);
        else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
            Remove(e.cdevice.which);
            removed = true;
        }
    }
    // A pad that dropped out while its event was on its way reads as gone.
    for (SHeld& h : held)
        if (h.controller && !SDL_GameControllerGetAttached(Controller(h.controller))) {
            Remove(h.instance);
            removed = true;
        }
    if (removed)
        SeatWaitingPad();
    for (int s = 0; s < kPadSeats; ++s) {
        SDL_GameController* c = Controller(held[s].controller);
        if (!c)
            continue;
        frames[s].connected = true;
        for (int b = 0; b < kPadInputs; ++b)
            frames[s].button[b] = SDL_GameControllerGetButton(c, kButtons[b]) != 0;
        for (int a = 0; a < kPadAxes; ++a)
            frames[s].axis[a] = SDL_GameControllerGetAxis(c, kAxes[a]);
    }
}

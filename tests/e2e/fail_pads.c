/* Preloaded into the game by a test: SDL's controller support cannot
 * start, as on a machine whose library has none. */
#include <SDL.h>

int SDL_InitSubSystem(Uint32 flags)
{
    (void)flags;
    return SDL_SetError("no controller support here");
}

int SDL_Init(Uint32 flags) { return SDL_InitSubSystem(flags); }

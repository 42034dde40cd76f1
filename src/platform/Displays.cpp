#include "platform/Displays.h"

#include <SDL.h>

namespace platform {

std::vector<Rect> screenRects() {
    std::vector<Rect> screens;
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return screens;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0)
            screens.push_back({bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h});
    }
    return screens;
}

} // namespace platform

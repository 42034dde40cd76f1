#include "platform/SystemCursor.h"

#include <SDL.h>

namespace platform {
namespace {

int showCount = 0;

} // namespace

int showSystemCursor(bool show) {
    showCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_ShowCursor(showCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return showCount;
}

bool systemCursorVisible() {
    return showCount >= 0;
}

} // namespace platform

#include "platform/Clipboard.h"

#include <SDL.h>

namespace platform {
namespace {

class DesktopClipboard : public Clipboard {
public:
    bool getText(std::string& text) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_HasClipboardText()) {
            return false;
        }
        char* raw = SDL_GetClipboardText();
        if (!raw) {
            return false;
        }
        text = raw;
        SDL_free(raw);
        return !text.empty();
    }
    bool setText(const std::string& text) override {
        return SDL_WasInit(SDL_INIT_VIDEO) && SDL_SetClipboardText(text.c_str()) == 0;
    }
};

DesktopClipboard desktopClipboard;
Clipboard* currentClipboard = &desktopClipboard;

} // namespace

Clipboard& clipboard() {
    return *currentClipboard;
}
void setClipboard(Clipboard* c) {
    currentClipboard = c ? c : &desktopClipboard;
}

} // namespace platform

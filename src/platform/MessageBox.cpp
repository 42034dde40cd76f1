#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace platform {
namespace {

class DesktopMessageBox : public MessageBox {
public:
    void show(const std::string& text, const std::string& caption, MessageIcon icon) override {
        Uint32 flags = icon == MessageIcon::Error     ? SDL_MESSAGEBOX_ERROR
                       : icon == MessageIcon::Warning ? SDL_MESSAGEBOX_WARNING
                                                      : SDL_MESSAGEBOX_INFORMATION;
        // Without a display the text still reaches whoever started the game.
        if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) != 0) {
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        }
    }
};

DesktopMessageBox desktopMessageBox;
MessageBox* currentMessageBox = &desktopMessageBox;

} // namespace

MessageBox& messageBox() {
    return *currentMessageBox;
}
void setMessageBox(MessageBox* box) {
    currentMessageBox = box ? box : &desktopMessageBox;
}

} // namespace platform

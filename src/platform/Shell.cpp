#include "platform/Shell.h"

#include <SDL.h>

namespace platform {
namespace {

class DesktopShell : public Shell {
public:
    bool openUrl(const std::string& address) override {
        return !address.empty() && SDL_OpenURL(address.c_str()) == 0;
    }
};

DesktopShell desktopShell;
Shell* currentShell = &desktopShell;

} // namespace

Shell& shell() {
    return *currentShell;
}
void setShell(Shell* s) {
    currentShell = s ? s : &desktopShell;
}

} // namespace platform

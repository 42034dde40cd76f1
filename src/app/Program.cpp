#include "app/Program.h"

#include "app/Application.h"
#include "app/EmptyScreen.h"
#include "app/Log.h"
#include "platform/GlExtensions.h"

#include <cstdio>

namespace {

// Where and how the window opens; later read from the settings.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool fullScreen = false;
};

} // namespace

void Program::fitToScreen(int screenWidth, int screenHeight, int width, int height, int& x,
                          int& y) {
    if (screenWidth <= width / 2 + x) {
        x /= 2;
    }
    if (screenHeight <= height / 2 + y) {
        y /= 2;
    }
}

int Program::run() {
    Log::open("game.log");
    // The resource manager "main" is created here.
    Application::create("main");
    Application* app = Application::instance();
    app->setFrameRateLimit(60);
    // Before the settings: they fall back to the logical size.
    app->view().setLogicalSize(800, 600);
    // The sound manager is created here, then the settings opened and loaded.
    Placement place;
    place.width = app->view().logicalWidth;
    place.height = app->view().logicalHeight;
    fitToScreen(app->desktopMode().width, app->desktopMode().height, place.width, place.height,
                place.x, place.y);
    app->createWindow(title, place.x, place.y, place.width, place.height);
    if (place.fullScreen) {
        app->enterFullScreen(app->view().logicalWidth, app->view().logicalHeight);
    } else {
        app->createGraphics();
    }

    std::string missing = platform::missingGlExtensions(requiredExtensions);
    if (!missing.empty()) {
        std::printf("Unable to initialize the following extensions:\n%s\n", missing.c_str());
        std::fflush(stdout);
        return 0;
    }
    // Optional: without it the frame cap alone paces the game.
    app->setSwapInterval(1);

    // Until the intro, the sound device, the game resources and the main
    // menu are in, an empty screen stands in for them.
    EmptyScreen screen;
    app->pushWindow(&screen);
    app->drawFrame();
    app->nativeWindow().swapBuffers();

    int exitCode = app->run();

    // The main menu's shutdown and the saving of the settings go here.
    app->hideWindow();
    // The cursor, the resource manager and the sound manager are destroyed here.
    app->destroyWindow();
    Application::destroy();
    Log::close();
    return exitCode;
}

#include "app/Program.h"

#include "app/Application.h"
#include "app/EmptyScreen.h"
#include "app/Log.h"
#include "app/WindowIcon.h"
#include "audio/CSoundManager.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "platform/GlExtensions.h"

#include <cstdio>

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
    ResourceManager::create("main");
    Application::create("main");
    Application* app = Application::instance();
    app->setFrameRateLimit(60);
    // Before the settings: they fall back to the logical size.
    app->view().setLogicalSize(800, 600);
    CSoundManager::instance();

    Settings* settings = Settings::create();
    settings->openResources();
    settings->load();
    CSoundManager::instance()->setStereoInverted(settings->soundInvert);
    fitToScreen(app->desktopMode().width, app->desktopMode().height, settings->width,
                settings->height, settings->x, settings->y);

    app->createWindow(title, settings->x, settings->y, settings->width, settings->height);
    WindowIcon::apply(app->nativeWindow(), *ResourceManager::get("main"));
    if (settings->fullScreen) {
        app->enterFullScreen(app->view().logicalWidth, app->view().logicalHeight);
    } else {
        app->createGraphics();
    }

    std::string missing = platform::missingGlExtensions(requiredExtensions);
    if (!missing.empty()) {
        // Nothing is torn down: the process ends here.
        std::printf("Unable to initialize the following extensions:\n%s\n", missing.c_str());
        std::fflush(stdout);
        return 0;
    }
    // Optional: without it the frame cap alone paces the game.
    app->setSwapInterval(1);

    // Until the intro and the main menu are in, an empty screen stands in
    // for them; the intro shows here while the rest loads.
    EmptyScreen screen;
    app->pushWindow(&screen);
    app->drawFrame();
    app->nativeWindow().swapBuffers();

    // A missing sound device leaves the effects silent; the game goes on.
    CSoundManager::instance()->init();
    CSoundManager::instance()->setEnabled(settings->sound);
    // The music settings, the game resources, the main menu and the cursor
    // sprite (with the system cursor hidden) come here.

    int exitCode = app->run();

    // The main menu's shutdown (the saved game) comes first, here.
    platform::Rect place = app->windowRect();
    settings->x = place.left;
    settings->y = place.top;
    settings->fullScreen = app->isFullScreen();
    settings->soundInvert = CSoundManager::instance()->isStereoInverted();
    settings->save(app->isMinimized());
    app->hideWindow();
    // The cursor sprite is destroyed (and the system cursor shown) here.
    ResourceManager::destroy("main");
    CSoundManager::destroy();
    app->destroyWindow();
    Application::destroy();
    Settings::destroy();
    Log::close();
    return exitCode;
}

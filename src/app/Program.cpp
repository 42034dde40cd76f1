#include "app/Program.h"

#include "app/Application.h"
#include "app/Log.h"
#include "app/WindowIcon.h"
#include "audio/CSoundManager.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "game/GameResources.h"
#include "game/IntroWindow.h"
#include "game/MainMenu.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "platform/Clock.h"
#include "platform/Displays.h"
#include "platform/GlExtensions.h"
#include "platform/SystemCursor.h"
#include "ui/Cursor.h"
#include "ui/UiResources.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

// Set in the environment, the program quits after its first menu frame and
// tells on standard error how long the start took (benchmarks).
constexpr const char* startupProbe = "QUILLMERE_STARTUP_PROBE";

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

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

void Program::applySettings(const Settings& settings) {
    MusicPlaylist* music = MusicPlaylist::instance();
    music->init();
    CSoundManager::instance()->setEnabled(settings.sound);
    music->setVolume(settings.musicVolume);
    music->stop();
}

int Program::run() {
    const unsigned startMs = platform::milliseconds();
    Log::open("game.log");
    ResourceManager::create("main");
    Application::create("main");
    Application* app = Application::instance();
    app->setFrameRateLimit(60);
    // Before the settings: they fall back to the logical size.
    app->view().setLogicalSize(800, 600);
    CSoundManager::instance();

    Settings* settings = Settings::create();
    if (!settings->openResources()) {
        // Not fatal (every file then comes from the disk), but a player
        // looking at empty screens needs to know why.
        std::fprintf(stderr, "Quillmere: the resource pack \"%s\" was not found\n",
                     Settings::packPath);
    }
    settings->load();
    CSoundManager::instance()->setStereoInverted(settings->soundInvert);
    settings->fitWindowTo(platform::screenRects());
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

    // The intro shows while the rest loads.
    auto* intro = new IntroWindow();
    app->pushWindow(intro);
    app->drawFrame();
    app->nativeWindow().swapBuffers();

    // A missing sound device leaves the effects silent; the game goes on.
    CSoundManager::instance()->init();
    applySettings(*settings);

    GameResources::instance();
    auto* menu = new MainMenu();
    app->closeTop(true);
    app->pushWindow(menu);
    menu->loadSavedGame();

    app->removeWindow(intro);
    delete intro;
    Cursor::create(menu->resources()->getPointerSprite(0), menu->resources()->getPointerSprite(1));
    platform::showSystemCursor(false);

    if (std::getenv(startupProbe)) {
        app->runFrame();
        // CPU time too: on a busy machine the wall clock mostly measures others.
        std::fprintf(stderr, "startup-ms %u rss-kb %ld cpu-ms %ld\n",
                     platform::milliseconds() - startMs, residentKilobytes(),
                     static_cast<long>(std::clock() * 1000 / CLOCKS_PER_SEC));
        app->postCloseMessage();
    }
    int exitCode = app->run();

    menu->writeSavedGame();
    // The cursor's sprites share the menu's textures: it goes before them.
    Cursor::destroy();
    delete menu;
    GameResources::destroy();

    platform::Rect place = app->windowRect();
    settings->x = place.left;
    settings->y = place.top;
    settings->fullScreen = app->isFullScreen();
    settings->soundInvert = CSoundManager::instance()->isStereoInverted();
    settings->save(app->isMinimized());
    app->hideWindow();
    platform::showSystemCursor(true);
    ResourceManager::destroy("main");
    CSoundManager::destroy();
    app->destroyWindow();
    Application::destroy();
    Settings::destroy();
    MusicPlaylist::destroy();
    if (ModulePlayer::exists())
        ModulePlayer::destroy();
    Log::close();
    return exitCode;
}

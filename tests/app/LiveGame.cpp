#include "LiveGame.h"

#include "XDesktop.h"
#include "game/MainMenu.h"
#include "gfx/Image.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

} // namespace

LiveGame::LiveGame(const std::string& home) : home_(home) {
    std::filesystem::create_directories(home_);
    if (!std::filesystem::exists(home_ + "/data/data.pk"))
        std::filesystem::copy(QUILLMERE_GAME_DIR, home_,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::skip_existing);
    packName_ = "live" + std::to_string(reinterpret_cast<std::uintptr_t>(this));
    pack_ = ResourceManager::create(packName_);
    pack_->setPassword(PackFormat::gamePassword);
    pack_->open(home_ + "/data/data.pk");
    table_.loadResource(pack_, "mui/resourses.txt", true);
}

LiveGame::~LiveGame() {
    if (isRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    ResourceManager::destroy(packName_);
}

bool LiveGame::start() {
    pid_ = fork();
    if (pid_ == 0) {
        setenv("QUILLMERE_HOME", home_.c_str(), 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execl(QUILLMERE_GAME_EXE, QUILLMERE_GAME_EXE, nullptr);
        _exit(127);
    }
    if (pid_ < 0)
        return false;
    std::string id =
        output("timeout 20 xdotool search --sync --onlyvisible --name '^Quillmere$' | head -1");
    while (!id.empty() && (id.back() == '\n' || id.back() == ' '))
        id.pop_back();
    if (id.empty())
        return false;
    // The menu is up once the start-up has drawn its first frames.
    settle(1500);
    xdotool("windowfocus --sync " + id);
    const std::string geometry = output("xdotool getwindowgeometry " + id);
    int x = 0, y = 0, w = 0, h = 0;
    const auto at = geometry.find("Position: ");
    const auto size = geometry.find("Geometry: ");
    if (at == std::string::npos || size == std::string::npos ||
        std::sscanf(geometry.c_str() + at, "Position: %d,%d", &x, &y) != 2 ||
        std::sscanf(geometry.c_str() + size, "Geometry: %dx%d", &w, &h) != 2)
        return false;
    left_ = x;
    top_ = y;
    width_ = w;
    height_ = h;
    return true;
}

bool LiveGame::isRunning() {
    if (pid_ <= 0)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        return false;
    }
    return true;
}

int LiveGame::finish(int seconds) {
    for (int i = 0; i < seconds * 20 && isRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (isRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return -1;
    }
    return exitCode_;
}

void LiveGame::xdotool(const std::string& arguments) const {
    std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

LiveGame::ScreenPoint LiveGame::onScreen(float x, float y) const {
    // The logical screen keeps its shape inside the client, bars around it.
    const float scale =
        std::min(static_cast<float>(width_) / 800.0f, static_cast<float>(height_) / 600.0f);
    const float barX = (static_cast<float>(width_) - 800.0f * scale) / 2;
    const float barY = (static_cast<float>(height_) - 600.0f * scale) / 2;
    return ScreenPoint{left_ + static_cast<int>(barX + x * scale),
                       top_ + static_cast<int>(barY + y * scale)};
}

void LiveGame::moveTo(float x, float y) {
    const auto [sx, sy] = onScreen(x, y);
    xdotool("mousemove " + std::to_string(sx) + " " + std::to_string(sy));
    settle(120);
}

void LiveGame::click(float x, float y) {
    moveTo(x, y);
    xdotool("click 1");
    settle();
}

void LiveGame::press(float x, float y) {
    moveTo(x, y);
    xdotool("mousedown 1");
    settle(150);
}

void LiveGame::release(float x, float y) {
    moveTo(x, y);
    xdotool("mouseup 1");
    settle(150);
}

void LiveGame::key(const std::string& name) {
    xdotool("key " + name);
    settle();
}

void LiveGame::newGameAtLevelOne() {
    const auto newGame = control(layout(MainMenu::layoutName), "m_game_btn", "m_new_game_btn", 4);
    click(newGame.centreX(), newGame.centreY());
    const auto start = control(layout("mui/custom_wnd.txt"), "m_ok_btn", "m_start_btn", 4);
    click(start.centreX(), start.centreY());
    settle(1000);
    click(400, 300);
}

bool LiveGame::closeWindow() {
    const bool asked = closeWindowNamed("Quillmere");
    settle();
    return asked;
}

void LiveGame::settle(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

LiveGame::Rgb LiveGame::colourAt(float x, float y) const {
    const auto [sx, sy] = onScreen(x, y);
    ScreenPixel p = screenPixel(sx, sy);
    return Rgb{p.r, p.g, p.b};
}

PropertyFile LiveGame::layout(const std::string& name) const {
    PropertyFile store;
    store.loadResource(pack_, name, true);
    return store;
}

std::string LiveGame::pictureFile(const std::string& key) const {
    return table_.getString(key, "0");
}

LiveGame::Spot LiveGame::control(const PropertyFile& layout, const std::string& name,
                                 const std::string& picture, int frames) const {
    Image image;
    const FileData file = pack_->readFile(pictureFile(picture));
    image.decode(pictureFile(picture), file.data(), file.size);
    Spot spot;
    spot.x = layout.getFloat(name + ".x", 0);
    spot.y = layout.getFloat(name + ".y", 0);
    spot.width = static_cast<float>(image.width);
    spot.height = static_cast<float>(image.height) / static_cast<float>(frames);
    return spot;
}

LiveGame::Spot LiveGame::picture(const std::string& fileName, float x, float y) const {
    Image image;
    const FileData file = pack_->readFile(fileName);
    image.decode(fileName, file.data(), file.size);
    return Spot{x, y, static_cast<float>(image.width), static_cast<float>(image.height)};
}

LiveGame::Rgb LiveGame::pictureColour(const std::string& fileName) const {
    Image image;
    const FileData file = pack_->readFile(fileName);
    image.decode(fileName, file.data(), file.size);
    // The opaque pixels only: a padlock or a button is what it shows.
    long r = 0, g = 0, b = 0, count = 0;
    const int step = image.components;
    for (std::size_t i = 0; step >= 3 && i + static_cast<std::size_t>(step) <= image.pixels.size();
         i += static_cast<std::size_t>(step)) {
        if (step == 4 && image.pixels[i + 3] < 200)
            continue;
        r += image.pixels[i];
        g += image.pixels[i + 1];
        b += image.pixels[i + 2];
        ++count;
    }
    if (count == 0)
        return Rgb{};
    return Rgb{static_cast<int>(r / count), static_cast<int>(g / count),
               static_cast<int>(b / count)};
}

#include "FuzzSupport.h"

#include "audio/CSoundManager.h"
#include "board/Ball.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "gfx/Image.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace FuzzSupport {

namespace {

std::filesystem::path scratchFolder;

void removeScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder, ignored);
}

} // namespace

std::string scratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    if (scratchFolder.empty()) {
        // In memory where there is such a folder: saves flush to the disk.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        scratchFolder = base / ("quillmere-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(scratchFolder, error);
        std::atexit(removeScratchFolder);
    }
    const std::string path = (scratchFolder / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

void checkPicture(const std::string& fileName, const std::uint8_t* data, std::size_t size) {
    Image image;
    image.decode(fileName, data, size);
    if (image.empty())
        return;
    if (image.width <= 0 || image.height <= 0 || image.width > Image::maxSide ||
        image.height > Image::maxSide ||
        static_cast<std::size_t>(image.dataSize) != image.pixels.size())
        std::abort();
    // A volume picture holds its slices one after the other.
    const std::size_t slice = std::size_t(image.width) * image.height * image.components;
    if (!image.compressed && (slice == 0 || image.pixels.size() % slice != 0))
        std::abort();
    for (const Image::MipLevel& level : image.mipLevels) {
        if (level.dataSize < 0 || static_cast<std::size_t>(level.dataSize) > level.data.size())
            std::abort();
    }
}

void prepareBoard() {
    // The game empties the layer as its frames go by; here every input
    // starts with an empty one instead.
    EffectLayer::destroy();
    EffectLayer::create();
    CSoundManager::instance();
}

namespace {

constexpr float stepMs = 40.0f;
constexpr int maxSteps = 600;
// Cells updated per input at the most, so that the largest boards get a few
// updates rather than making the run crawl.
constexpr long cellUpdateBudget = 200000;

int stepsLeft = 0;

void runWhile(Field& field, bool (*busy)(const Field&)) {
    for (int i = 0; i < maxSteps && stepsLeft > 0 && busy(field); ++i, --stepsLeft)
        field.update(stepMs);
}

bool notInPlay(const Field& field) {
    return field.state() != Field::State::Play && !field.isFinished();
}

bool moving(const Field& field) {
    if (field.state() != Field::State::Play)
        return !field.isFinished() && field.state() != Field::State::LevelOver;
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (const Ball* ball = field.ballAt(r, c); ball && !ball->isIdle())
                return true;
        }
    }
    return field.effectCount() != 0;
}

struct Cells {
    std::vector<std::pair<int, int>> balls, free;
};

Cells cells(const Field& field) {
    Cells out;
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (!field.isCell(r, c))
                continue;
            (field.ballAt(r, c) ? out.balls : out.free).emplace_back(r, c);
        }
    }
    return out;
}

} // namespace

void play(Field& field, const std::uint8_t* choices, std::size_t size, int moves) {
    stepsLeft = static_cast<int>(
        std::clamp<long>(cellUpdateBudget / std::max(field.cellCount(), 1), 20, 4 * maxSteps));
    runWhile(field, notInPlay);
    std::size_t next = 0;
    auto choose = [&](std::size_t count) {
        const std::size_t pick = size ? choices[next++ % size] : next++;
        return pick % count;
    };
    for (int move = 0; move < moves && field.state() == Field::State::Play && !field.isFinished();
         ++move) {
        const Cells now = cells(field);
        if (now.balls.empty() || now.free.empty())
            break;
        const auto [r0, c0] = now.balls[choose(now.balls.size())];
        const auto [r1, c1] = now.free[choose(now.free.size())];
        field.deselectAll();
        if (field.selectBall(r0, c0) >= 0)
            field.moveSelectedTo(r1, c1);
        runWhile(field, moving);
    }
    // A finished level runs its summary to the end too.
    for (int i = 0; i < maxSteps / 4 && stepsLeft > 0 && field.state() == Field::State::LevelOver;
         ++i, --stepsLeft)
        field.update(stepMs);
}

} // namespace FuzzSupport

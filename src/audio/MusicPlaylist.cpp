#include "audio/MusicPlaylist.h"

#include "audio/Module.h"
#include "audio/ModulePlayer.h"
#include "persist/ResourceManager.h"
#include "platform/MusicOutput.h"
#include "platform/Random.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<std::uint8_t> readFromPack(const std::string& name) {
    ResourceManager* pack = ResourceManager::get("main");
    if (!pack)
        return {};
    FileData file = pack->readFile(name);
    return std::vector<std::uint8_t>(file.data(), file.data() + file.size);
}

} // namespace

MusicPlaylist::MusicPlaylist() : reader_(&readFromPack) {}

MusicPlaylist::~MusicPlaylist() {
    stop();
    if (deviceOpen_ && player())
        player()->closeDevice();
}

ModulePlayer* MusicPlaylist::player() const {
    return ModulePlayer::exists() ? &ModulePlayer::instance() : nullptr;
}

void MusicPlaylist::setFileReader(FileReader reader) {
    reader_ = reader ? std::move(reader) : FileReader(&readFromPack);
}

void MusicPlaylist::init() {
    if (!ModulePlayer::exists())
        ModulePlayer::create(platform::createMusicOutput());
    deviceOpen_ = player()->openDevice();
}

void MusicPlaylist::setVolume(int volume) {
    if (!deviceOpen_)
        return;
    volume_ = std::clamp(volume, 0, maxVolume);
    player()->setVolume(volume_);
    if (volume_ == 0) {
        enabled_ = false;
        stop();
    } else if (!enabled_ && !isPlaying()) {
        enabled_ = true;
        playNext();
    }
}

void MusicPlaylist::setPlaylist(const std::vector<std::string>& files) {
    files_ = files;
    current_ = -1;
}

void MusicPlaylist::shuffle() {
    if (files_.empty())
        return;
    for (std::size_t i = 0; i < 3 * files_.size(); ++i) {
        auto j = static_cast<std::size_t>(Random::rand()) % files_.size();
        std::swap(files_[0], files_[j]);
    }
}

void MusicPlaylist::playNext() {
    if (!deviceOpen_ || !enabled_ || files_.empty())
        return;
    current_ = (current_ + 1) % static_cast<int>(files_.size());
    stop();
    playing_ = true;
    std::vector<std::uint8_t> bytes = reader_(files_[static_cast<std::size_t>(current_)]);
    ModulePlayer* p = player();
    p->setVolume(volume_);
    module_ = bytes.empty() ? nullptr : p->loadModule(bytes.data(), bytes.size());
    bytes = {};
    // A module that did not load plays nothing; the next service() moves on.
    p->start(module_);
    p->setVolume(volume_);
}

void MusicPlaylist::stop() {
    if (!deviceOpen_)
        return;
    playing_ = false;
    if (ModulePlayer* p = player()) {
        p->stop(module_);
        p->freeModule(module_);
    } else {
        delete module_; // the player went first at shutdown
    }
    module_ = nullptr;
}

void MusicPlaylist::service() {
    if (!playing_)
        return;
    if (!isPlaying())
        playNext();
    else
        player()->update();
}

bool MusicPlaylist::isPlaying() const {
    ModulePlayer* p = player();
    return p && p->isPlaying();
}

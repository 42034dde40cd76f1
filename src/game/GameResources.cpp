#include "game/GameResources.h"

#include "audio/CSoundManager.h"
#include "board/BoardSprites.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "persist/XmlNode.h"

#include <cstdio>

namespace {

GameResources* resources = nullptr;

ResourceManager* pack() {
    return ResourceManager::get("main");
}

std::unique_ptr<Texture> texture(const std::string& name) {
    return std::unique_ptr<Texture>(Texture::load(pack(), name, false, false));
}

// The board's pictures blend with what lies beneath them.
std::unique_ptr<Sprite> sprite(const std::string& name) {
    std::unique_ptr<Sprite> s(Sprite::fromFile(pack(), name));
    s->setBlend(true);
    return s;
}

std::unique_ptr<ParticleSprite> particleSprite(const std::string& name) {
    std::unique_ptr<ParticleSprite> s(ParticleSprite::fromFile(pack(), name));
    s->setBlend(true);
    return s;
}

} // namespace

GameResources* GameResources::instance() {
    if (resources == nullptr) {
        resources = new GameResources;
    }
    return resources;
}

bool GameResources::exists() {
    return resources != nullptr;
}

void GameResources::destroy() {
    delete resources;
    resources = nullptr;
}

const std::vector<GameResources::SoundFile>& GameResources::soundFiles() {
    static const std::vector<SoundFile> files{
        {101, "wav/glassbreaks.wav"}, {102, "wav/pop.wav"},      {103, "wav/waterdrop2.wav"},
        {104, "wav/bonk.wav"},        {105, "wav/bowl.wav"},     {106, "wav/shot.wav"},
        {107, "wav/select.wav"},      {108, "wav/unselect.wav"}, {109, "wav/takeoff.wav"},
        {1001, "wav/btn_click.wav"}};
    return files;
}

GameResources::GameResources() {
    loadHints();
    fontTexture_ = texture("mui/font.tga");
    const FileData fontFile = pack() ? pack()->readFile("mui/font.tga") : FileData{};
    font_.loadGlyphs(fontFile.data(), fontFile.size, fontTexture_.get());
    background_ = texture("dat/game_bg.jpg");
    backgroundSmall_ = texture("dat/game_bg_small.jpg");
    summary_ = texture("dat/stat.jpg");
    loadSprites();
    mainMenuButton_ = texture("dat/maun_menu_btn.tga");
    chainMeter_ = texture("dat/dymamite.png");
    chainMeterGrey_ = texture("dat/dymamite_gray.png");
    for (std::size_t i = 0; i < hints_.size(); ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "dat/hints/hint%02d.tga", static_cast<int>(i));
        hintImages_.push_back(texture(name));
        hints_[i].image = hintImages_.back().get();
    }
    for (const SoundFile& sound : soundFiles()) {
        CSoundManager::instance()->load(sound.file, sound.id);
    }
    registerWithBoard();
}

GameResources::~GameResources() {
    BoardSprites::reset();
}

void GameResources::loadHints() {
    XmlNode root;
    if (root.loadResource("main", "dat/hints/hints.xml")) {
        for (const XmlNode* node : root.getChildren()) {
            Hint hint;
            hint.x = node->getFloat("posx", 0);
            hint.y = node->getFloat("posy", 0);
            hint.closeX = hint.x + node->getFloat("posxcb", 0);
            hint.closeY = hint.y + node->getFloat("posycb", 0);
            hints_.push_back(hint);
        }
    }
    // Read with the hints although no key of it is used.
    PropertyFile settings;
    settings.loadResource(pack(), "dat/game.txt", true);
}

void GameResources::loadSprites() {
    for (auto& skin : ballSkins_) {
        skin = sprite("dat/skin01.spr");
    }
    cellBack_ = sprite("dat/cellback.spr");
    cellBackSmall_ = sprite("dat/cellback_small.spr");
    pathPoint_ = sprite("dat/pathpoint.spr");
    particles_ = particleSprite("dat/particles.spr");
    // The effect layer draws thousands of these a frame: one texture for all.
    particles_->buildAtlas();
    insects_ = sprite("dat/insects.spr");
    lock_ = sprite("dat/block.spr");
    const char* animations[2] = {"dat/hints/gameplay.xml", "dat/hints/gameplay2.xml"};
    for (int i = 0; i < 2; ++i) {
        gameplay_[i] = particleSprite(animations[i]);
    }
}

void GameResources::registerWithBoard() {
    BoardSprites& board = BoardSprites::current();
    for (int i = 0; i < ballSkinCount; ++i) {
        board.ballSkins[i] = ballSkins_[i].get();
    }
    board.cellBack = cellBack_.get();
    board.cellBackSmall = cellBackSmall_.get();
    board.pathPoint = pathPoint_.get();
    board.particles = particles_.get();
    board.lock = lock_.get();
    board.background = background_.get();
    board.backgroundSmall = backgroundSmall_.get();
    board.summary = summary_.get();
    board.chainMeter = chainMeter_.get();
    board.chainMeterGrey = chainMeterGrey_.get();
    board.font = &font_;
}

Sprite* GameResources::ballSkin(int index) const {
    return index >= 0 && index < ballSkinCount ? ballSkins_[index].get() : nullptr;
}

ParticleSprite* GameResources::gameplay(int index) const {
    return index >= 0 && index < 2 ? gameplay_[index].get() : nullptr;
}

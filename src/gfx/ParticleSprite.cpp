#include "gfx/ParticleSprite.h"

#include "gfx/ParticleAtlas.h"
#include "gfx/Texture.h"
#include "persist/CXmlException.h"
#include "persist/XmlNode.h"

ParticleSprite::ParticleSprite() = default;

ParticleSprite::ParticleSprite(ResourceManager* resources, const std::string& fileName)
    : SpriteBase(resources, fileName) {}

ParticleSprite::~ParticleSprite() {
    releaseTexture();
}

ParticleSprite* ParticleSprite::fromFile(ResourceManager* resources, const std::string& fileName) {
    auto* sprite = new ParticleSprite(resources, fileName);
    sprite->loadOwnFile();
    return sprite;
}

void ParticleSprite::load(ResourceManager* resources, const unsigned char* data, std::size_t size) {
    releaseTexture();
    // A reload starts from no groups: the released ones hold only empty slots.
    textures_.clear();
    resources_ = resources;
    groups_ = frames_ = frame_ = group_ = 0;
    frameWidth_ = frameHeight_ = 0;
    time_ = 0;

    XmlNode root;
    if (data == nullptr || size == 0) {
        return;
    }
    try {
        root.load(reinterpret_cast<const char*>(data), size);
    } catch (const Xml::CXmlException&) {
        return;
    }
    const bool wrap = root.getInt("texWrap", 0) != 0;
    const bool mipmap = root.getInt("texDynamic", 0) != 0;
    for (const XmlNode* groupNode : root.getChildren()) {
        std::vector<Texture*> group;
        for (const XmlNode* frameNode : groupNode->getChildren()) {
            group.push_back(Texture::load(resources, frameNode->getText(), wrap, mipmap));
        }
        textures_.push_back(std::move(group));
    }
    ownsTexture_ = true;
    groups_ = static_cast<int>(textures_.size());
    if (groups_ > 0) {
        frames_ = static_cast<int>(textures_[0].size());
        if (frames_ > 0) {
            frameWidth_ = static_cast<float>(textures_[0][0]->width());
            frameHeight_ = static_cast<float>(textures_[0][0]->height());
        }
    }
}

void ParticleSprite::buildAtlas() {
    atlas_.reset();
    for (const auto& group : textures_) {
        for (const Texture* frame : group) {
            if (frame != nullptr && (frame->wrap() || frame->mipmap())) {
                return;
            }
        }
    }
    if (!textures_.empty()) {
        atlas_ = std::make_unique<ParticleAtlas>(textures_);
    }
}

void ParticleSprite::releaseTexture() {
    // Built from the frames: it goes first.
    atlas_.reset();
    if (!ownsTexture_ || textures_.empty()) {
        return;
    }
    for (auto& group : textures_) {
        for (Texture*& texture : group) {
            delete texture;
            texture = nullptr;
        }
    }
}

void ParticleSprite::setGroup(int group) {
    group_ = group >= 0 && group < groups_ ? group : 0;
    frames_ = group_ < groups_ ? static_cast<int>(textures_[group_].size()) : 0;
    if (frame_ >= frames_) {
        frame_ = 0;
        time_ = 0;
    }
}

void ParticleSprite::draw() {
    if (!visible_ || group_ >= static_cast<int>(textures_.size())) {
        return;
    }
    const auto& frames = textures_[group_];
    if (frame_ < 0 || frame_ >= static_cast<int>(frames.size()) || frames[frame_] == nullptr) {
        return;
    }
    frames[frame_]->bind();
    beginDraw(false);
    // The whole picture: (uLeft, uRight, vLow, vHigh) = (0, 1, 0, 1).
    drawQuad(0, 1, 0, 1);
    endDraw();
}

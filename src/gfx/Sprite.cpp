#include "gfx/Sprite.h"

#include "gfx/Texture.h"
#include "persist/PropertyFile.h"

#include <algorithm>

Sprite::Sprite(ResourceManager* resources, const std::string& fileName)
    : SpriteBase(resources, fileName) {}

Sprite::Sprite(const Sprite& other) : SpriteBase(other), texture_(other.texture_) {}

Sprite::~Sprite() {
    releaseTexture();
}

Sprite* Sprite::fromFile(ResourceManager* resources, const std::string& fileName) {
    auto* sprite = new Sprite(resources, fileName);
    sprite->loadOwnFile();
    return sprite;
}

void Sprite::load(ResourceManager* resources, const unsigned char* data, std::size_t size) {
    releaseTexture();
    resources_ = resources;
    PropertyFile description;
    if (data != nullptr && size != 0) {
        description.loadBuffer(data, size, true);
    }
    const std::string picture = description.getString("file_name", "0");
    const bool wrap = description.getInt("tex_wrap", 0) != 0;
    const bool mipmap = description.getInt("tex_dynamic", 0) != 0;
    // A grid needs at least one row and one column.
    groups_ = std::max(description.getInt("groups", 1), 1);
    frames_ = std::max(description.getInt("frames", 1), 1);
    texture_ = Texture::load(resources, picture, wrap, mipmap);
    frameWidth_ = static_cast<float>(static_cast<unsigned>(texture_->width()) /
                                     static_cast<unsigned>(frames_));
    frameHeight_ = static_cast<float>(static_cast<unsigned>(texture_->height()) /
                                      static_cast<unsigned>(groups_));
    frame_ = 0;
    group_ = 0;
    time_ = 0;
    ownsTexture_ = true;
}

void Sprite::releaseTexture() {
    if (ownsTexture_) {
        delete texture_;
        texture_ = nullptr;
        ownsTexture_ = false;
    }
}

void Sprite::assignFrom(const Sprite& other) {
    if (&other == this) {
        return;
    }
    releaseTexture();
    assign(other);
    texture_ = other.texture_;
}

void Sprite::draw() {
    drawCell(false);
}

void Sprite::drawAdditive() {
    drawCell(true);
}

void Sprite::drawCell(bool additive) {
    if (!visible_ || texture_ == nullptr) {
        return;
    }
    texture_->bind();
    beginDraw(additive);
    const Cell c = cell();
    drawQuad(c.uLeft, c.uRight, c.vLow, c.vHigh);
    endDraw();
}

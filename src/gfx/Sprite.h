#pragma once

#include "gfx/SpriteBase.h"

class Texture;

// An animated picture cut from one texture laid out as a grid of cells,
// described by a .spr key/value file ("file_name", "tex_wrap",
// "tex_dynamic", "groups", "frames").
class Sprite : public SpriteBase {
public:
    Sprite() = default;
    Sprite(ResourceManager* resources, const std::string& fileName);
    // A copy shares the texture without owning it and must not outlive its source.
    Sprite(const Sprite& other);
    ~Sprite() override;

    // Reads a .spr file through the resources; the caller owns the sprite.
    static Sprite* fromFile(ResourceManager* resources, const std::string& fileName);

    void load(ResourceManager* resources, const unsigned char* data, std::size_t size) override;
    void releaseTexture() override;
    void draw() override;
    void drawAdditive() override;
    // The state of another sprite, sharing its texture.
    virtual void assignFrom(const Sprite& other);

    Texture* texture() const { return texture_; }

private:
    void drawCell(bool additive);

    Texture* texture_ = nullptr;
};

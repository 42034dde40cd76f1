#pragma once

#include "gfx/SpriteBase.h"

#include <memory>
#include <vector>

class ParticleAtlas;
class Texture;

// A sprite whose frames are separate picture files, in groups of any length,
// described by an XML document: the root has "texWrap" and "texDynamic", each
// child of the root is a group, each child of a group a frame whose text is
// the picture's file name. Every frame draws at the first frame's size.
class ParticleSprite : public SpriteBase {
public:
    ParticleSprite();
    ParticleSprite(ResourceManager* resources, const std::string& fileName);
    ~ParticleSprite() override;

    // Reads the description through the resources; the caller owns the sprite.
    static ParticleSprite* fromFile(ResourceManager* resources, const std::string& fileName);

    // A malformed or missing description leaves the sprite without groups.
    void load(ResourceManager* resources, const unsigned char* data, std::size_t size) override;
    void releaseTexture() override;
    void draw() override;
    // Particle pictures have no additive variant.
    void drawAdditive() override {}
    void setGroup(int group) override;

    const std::vector<std::vector<Texture*>>& textures() const { return textures_; }
    // Puts every frame into one texture, for sprites whose frames are drawn
    // many at a time. Not for frames that repeat or have mipmaps: the filter
    // would mix neighbouring frames. A new load drops the atlas.
    void buildAtlas();
    // The atlas, or null when none was built.
    ParticleAtlas* atlas() const { return atlas_.get(); }

private:
    std::vector<std::vector<Texture*>> textures_;
    std::unique_ptr<ParticleAtlas> atlas_;
};

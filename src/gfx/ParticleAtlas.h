#pragma once

#include "gfx/Texture.h"

#include <vector>

// Every frame of a particle sprite side by side in one texture, so that all
// particles go out in one call with one texture bound. Each frame keeps a
// one-texel transparent margin: at its edges the linear filter blends with
// transparent black, as the clamped frame texture does with its border, so
// the pixels stay those of the frames drawn one by one. Built from the frame
// textures (read back from GL) and built again with them after a change of
// context, as it comes after them in the texture registry.
class ParticleAtlas : public Texture {
public:
    // Where one frame lies; empty for a frame without a picture or with no
    // texel that is not fully transparent. The part of the frame that can
    // show is given as fractions of its width and height: beyond it the
    // filter only ever meets transparent texels, so a quad trimmed to it
    // draws the same pixels as the whole one for less work.
    struct Cell {
        float uLeft = 0;
        float uRight = 0;
        float vLow = 0;
        float vHigh = 0;
        float shownLeft = 0;
        float shownRight = 1;
        float shownLow = 0;
        float shownHigh = 1;
        bool empty = true;
    };

    // The frames stay owned by the caller and must outlive the atlas.
    explicit ParticleAtlas(const std::vector<std::vector<Texture*>>& frames);

    void upload() override;
    // The cell of frame f of group g; an empty cell when out of range.
    const Cell& cell(int group, int frame) const;

private:
    std::vector<std::vector<Texture*>> frames_;
    std::vector<std::vector<Cell>> cells_;
};

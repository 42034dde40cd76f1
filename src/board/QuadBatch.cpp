#include "board/QuadBatch.h"

#include "gfx/Sprite.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace {

// x, y, u, v, r, g, b, a of every vertex of the batches being built.
constexpr int floatsPerVertex = 8;

std::vector<float>& vertices() {
    static std::vector<float> buffer;
    return buffer;
}

} // namespace

QuadBatch::QuadBatch(Texture* texture, bool additive) {
    begin(texture, additive);
}

QuadBatch::QuadBatch(const Sprite* sprite, bool additive) {
    if (sprite == nullptr) {
        return;
    }
    flipV_ = sprite->flipV();
    groups_ = std::max(sprite->groups(), 1);
    frames_ = std::max(sprite->frames(), 1);
    begin(sprite->texture(), additive);
}

void QuadBatch::begin(Texture* texture, bool additive) {
    if (texture == nullptr || texture->glName() == 0) {
        return;
    }
    texture->bind();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    start_ = vertices().size();
    active_ = true;
}

QuadBatch::~QuadBatch() {
    if (!active_) {
        return;
    }
    std::vector<float>& buffer = vertices();
    const auto count = static_cast<GLsizei>((buffer.size() - start_) / floatsPerVertex);
    if (count > 0) {
        const float* first = buffer.data() + start_;
        constexpr GLsizei stride = floatsPerVertex * sizeof(float);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FLOAT, stride, first);
        glTexCoordPointer(2, GL_FLOAT, stride, first + 2);
        glColorPointer(4, GL_FLOAT, stride, first + 4);
        glDrawArrays(GL_QUADS, 0, count);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    buffer.resize(start_);
    // The colour array leaves the current colour undefined.
    glColor4f(1, 1, 1, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void QuadBatch::cell(Point centre, float w, float h, int group, int frame, Rgba colour) {
    if (!active_) {
        return;
    }
    // Out-of-range picks fall back to the first cell, as a sprite's own
    // setGroup and setFrame do.
    const int g = group >= 0 && group < groups_ ? group : 0;
    const int f = frame >= 0 && frame < frames_ ? frame : 0;
    const auto frames = static_cast<float>(frames_);
    const auto groups = static_cast<float>(groups_);
    emit(centre, w, h, f / frames, (f + 1) / frames, g / groups, (g + 1) / groups, colour);
}

void QuadBatch::whole(Point centre, float w, float h, Rgba colour) {
    if (active_) {
        emit(centre, w, h, 0, 1, 0, 1, colour);
    }
}

void QuadBatch::region(Point centre, float w, float h, float uLeft, float uRight, float vLow,
                       float vHigh, Rgba colour) {
    if (active_) {
        emit(centre, w, h, uLeft, uRight, vLow, vHigh, colour);
    }
}

void QuadBatch::emit(Point centre, float w, float h, float uLeft, float uRight, float vLow,
                     float vHigh, Rgba colour) {
    const float hw = w / 2;
    const float hh = h / 2;
    const float vTop = flipV_ ? vHigh : vLow;
    const float vBottom = flipV_ ? vLow : vHigh;
    const float corners[4][4] = {{centre.x - hw, centre.y - hh, uLeft, vTop},
                                 {centre.x + hw, centre.y - hh, uRight, vTop},
                                 {centre.x + hw, centre.y + hh, uRight, vBottom},
                                 {centre.x - hw, centre.y + hh, uLeft, vBottom}};
    std::vector<float>& buffer = vertices();
    for (const auto& corner : corners) {
        buffer.insert(buffer.end(), {corner[0], corner[1], corner[2], corner[3], colour.r, colour.g,
                                     colour.b, colour.a});
    }
}

#include "gfx/ParticleAtlas.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

namespace {
constexpr int margin = 1;
const ParticleAtlas::Cell noCell{};

// The span of columns (or rows) holding a texel with some alpha, widened by a
// texel each way for the filter's reach (and half a texel to spare); false
// when every texel is transparent.
struct Span {
    float low = 0;
    float high = 1;
};

bool shownSpans(const std::vector<unsigned char>& rgba, int w, int h, Span& across, Span& down) {
    int left = w;
    int right = -1;
    int top = h;
    int bottom = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rgba[(static_cast<std::size_t>(y) * w + x) * 4 + 3] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return false;
    }
    across = {static_cast<float>(std::max(left - 1, 0)) / static_cast<float>(w),
              static_cast<float>(std::min(right + 2, w)) / static_cast<float>(w)};
    down = {static_cast<float>(std::max(top - 1, 0)) / static_cast<float>(h),
            static_cast<float>(std::min(bottom + 2, h)) / static_cast<float>(h)};
    return true;
}
} // namespace

ParticleAtlas::ParticleAtlas(const std::vector<std::vector<Texture*>>& frames)
    : Texture(nullptr, std::string(), false, false), frames_(frames) {
    upload();
}

const ParticleAtlas::Cell& ParticleAtlas::cell(int group, int frame) const {
    if (group < 0 || group >= static_cast<int>(cells_.size()) || frame < 0 ||
        frame >= static_cast<int>(cells_[group].size())) {
        return noCell;
    }
    return cells_[group][frame];
}

void ParticleAtlas::upload() {
    cells_.clear();
    int slotW = 1;
    int slotH = 1;
    std::size_t columns = 1;
    for (const auto& group : frames_) {
        columns = std::max(columns, group.size());
        for (const Texture* frame : group) {
            if (frame != nullptr) {
                slotW = std::max(slotW, frame->width() + 2 * margin);
                slotH = std::max(slotH, frame->height() + 2 * margin);
            }
        }
    }
    const int width = slotW * static_cast<int>(columns);
    const int height = slotH * static_cast<int>(std::max<std::size_t>(frames_.size(), 1));
    if (!hasGlContext()) {
        uploadPixels(nullptr, width, height);
        return;
    }
    // Transparent black everywhere a frame does not cover: the margins.
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4, 0);
    std::vector<unsigned char> frameRgba;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (std::size_t g = 0; g < frames_.size(); ++g) {
        cells_.emplace_back();
        for (std::size_t f = 0; f < frames_[g].size(); ++f) {
            Texture* frame = frames_[g][f];
            Cell cell;
            if (frame != nullptr && frame->glName() != 0 && frame->width() > 0 &&
                frame->height() > 0) {
                const int w = frame->width();
                const int h = frame->height();
                frameRgba.assign(static_cast<std::size_t>(w) * h * 4, 0);
                frame->bind();
                glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, frameRgba.data());
                const int x0 = static_cast<int>(f) * slotW + margin;
                const int y0 = static_cast<int>(g) * slotH + margin;
                for (int row = 0; row < h; ++row) {
                    std::memcpy(&pixels[(static_cast<std::size_t>(y0 + row) * width + x0) * 4],
                                &frameRgba[static_cast<std::size_t>(row) * w * 4],
                                static_cast<std::size_t>(w) * 4);
                }
                cell.uLeft = static_cast<float>(x0) / static_cast<float>(width);
                cell.uRight = static_cast<float>(x0 + w) / static_cast<float>(width);
                cell.vLow = static_cast<float>(y0) / static_cast<float>(height);
                cell.vHigh = static_cast<float>(y0 + h) / static_cast<float>(height);
                Span across;
                Span down;
                cell.empty = !shownSpans(frameRgba, w, h, across, down);
                cell.shownLeft = across.low;
                cell.shownRight = across.high;
                cell.shownLow = down.low;
                cell.shownHigh = down.high;
            }
            cells_.back().push_back(cell);
        }
    }
    uploadPixels(pixels.data(), width, height);
}

// The board's own drawing: background, cells, balls, sparks and the head-up
// display. Only reads the field; every picture comes from BoardSprites.
#include "board/BoardSprites.h"
#include "board/BoardText.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/FieldDrawing.h"
#include "board/PathSparkles.h"
#include "board/QuadBatch.h"
#include "gfx/Sprite.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int blinkPeriodMs = 20000;
constexpr int blinkStartMs = 18000;
constexpr int blinkCycleMs = 400;
constexpr int blinkOnMs = 200;

constexpr Rgba white{1, 1, 1, 1};
constexpr Rgba red{1, 0, 0, 1};

bool bindTexture(Texture* texture) {
    if (texture == nullptr || texture->glName() == 0) {
        return false;
    }
    glEnable(GL_TEXTURE_2D);
    texture->bind();
    return true;
}

// Whether the current matrices put one logical unit on one pixel, upright or
// mirrored, with whole-pixel offsets: a picture drawn at its own size at a
// whole-unit corner then has a texel centre on every pixel centre.
bool isPixelAligned() {
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat p[16];
    GLfloat m[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const bool axisAligned = p[1] == 0 && p[4] == 0 && m[1] == 0 && m[4] == 0 && p[3] == 0 &&
                             p[7] == 0 && m[3] == 0 && m[7] == 0 && p[15] == 1 && m[15] == 1;
    if (!axisAligned) {
        return false;
    }
    const float halfW = static_cast<float>(viewport[2]) / 2;
    const float halfH = static_cast<float>(viewport[3]) / 2;
    const float scaleX = p[0] * m[0] * halfW;
    const float scaleY = p[5] * m[5] * halfH;
    const float offsetX = (p[0] * m[12] + p[12] + 1) * halfW + static_cast<float>(viewport[0]);
    const float offsetY = (p[5] * m[13] + p[13] + 1) * halfH + static_cast<float>(viewport[1]);
    auto near = [](float value, float target) { return std::fabs(value - target) < 1.0e-4f; };
    auto whole = [&near](float value) { return near(value, std::round(value)); };
    return near(std::fabs(scaleX), 1) && near(std::fabs(scaleY), 1) && whole(offsetX) &&
           whole(offsetY);
}

// The frame a ball shows now: its own rate on the board's shared clock.
int ballFrame(const Ball& ball, const Sprite& skin) {
    const int frames = skin.frames() > 0 ? skin.frames() : 1;
    const auto ticks = static_cast<long long>(BoardSprites::current().clockMs *
                                              static_cast<float>(ball.frameRate) / 1000.0f);
    return static_cast<int>(ticks % frames);
}

void drawBall(QuadBatch& batch, const Sprite& skin, const Ball& ball, Point at, float scale,
              float alpha) {
    const float side = (ball.size > Ball::maxSize ? Ball::maxSize : ball.size) * scale;
    batch.cell(at, side, side, ball.colour, ballFrame(ball, skin), Rgba{1, 1, 1, alpha});
}

} // namespace

bool FieldDrawing::isBlinkOn(int idleMs) {
    const int t = idleMs % blinkPeriodMs;
    return t >= blinkStartMs && (t - blinkStartMs) % blinkCycleMs <= blinkOnMs;
}

void FieldDrawing::forEachCellBack(const Field& field,
                                   const std::function<void(const CellBack&)>& visit) {
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (const CellBack* cell = field.cellBackAt(r, c)) {
                visit(*cell);
            }
        }
    }
}

void FieldDrawing::forEachBall(const Field& field, const std::function<void(const Ball&)>& visit) {
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (const Ball* ball = field.ballAt(r, c)) {
                visit(*ball);
            }
        }
    }
}

void Field::drawBackground() const {
    BoardSprites& sprites = BoardSprites::current();
    if (!bindTexture(sprites.background)) {
        return;
    }
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    // Drawn one texel to a pixel in an 800 by 600 window: nearest sampling and
    // the texture's own colour (white modulation changes nothing) give the
    // same pixels as the linear filter at a fraction of the work. Any other
    // scale keeps the filter.
    const bool aligned = isPixelAligned();
    sprites.background->setNearest(aligned);
    sprites.background->bind();
    if (aligned) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    }
    Texture::drawRegion(-112, -212, 0, 1024, 1024, 0, 1, 0, 1);
    if (aligned) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
}

void Field::draw() const {
    BoardSprites& sprites = BoardSprites::current();
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    const Point shift = shake().offset();
    glTranslatef(shift.x, shift.y, 0);

    if (const Sprite* back = sprites.cellBack) {
        QuadBatch batch(back, false);
        const float w = back->frameWidth();
        const float h = back->frameHeight();
        FieldDrawing::forEachCellBack(*this, [&](const CellBack& cell) {
            batch.cell(cell.point, w, h, static_cast<int>(cell.fill), 0, Rgba{1, 1, 1, cell.alpha});
        });
        if (FieldDrawing::isBlinkOn(idleMs())) {
            FieldDrawing::forEachCellBack(*this, [&](const CellBack& cell) {
                if (cell.fill != CellBack::Fill::Filled) {
                    batch.cell(cell.point, w, h, static_cast<int>(cell.fill), 0, red);
                }
            });
        }
    }

    // Emitted on every draw, pictures or not, so the random sequence is the
    // same in tests without a window.
    if (EffectLayer* layer = EffectLayer::instance()) {
        static std::vector<Point> scratch;
        PathSparkles::emit(*this, *layer, scratch);
    }

    if (const Sprite* skin = sprites.ballSkins[0]) {
        QuadBatch batch(skin, false);
        for (const auto& ball : newCells()) {
            drawBall(batch, *skin, *ball, ball->point, 0.5f, previewAlpha());
        }
        FieldDrawing::forEachBall(*this, [&](const Ball& ball) {
            if (ball.state == Ball::State::Popping && ball.delay > 0.0f) {
                return;
            }
            drawBall(batch, *skin, ball, ball.point, ball.scale, ball.alpha);
        });
    }
    if (const Sprite* lock = sprites.lock) {
        QuadBatch batch(lock, false);
        for (int r = 0; r < rows(); ++r) {
            for (int c = 0; c < width(r); ++c) {
                const Ball* ball = ballAt(r, c);
                const CellBack* cell = cellBackAt(r, c);
                if (ball != nullptr && cell != nullptr && cell->fill == CellBack::Fill::Locked &&
                    !(ball->state == Ball::State::Popping && ball->delay > 0.0f)) {
                    batch.cell(ball->point, lock->frameWidth(), lock->frameHeight(), 0, 0,
                               Rgba{1, 1, 1, cell->alpha});
                }
            }
        }
    }
    glPopMatrix();

    FieldDrawing::drawChainMeter(*this);
    BoardText::centred(sprites.font, std::to_string(score()), 24, 85, 40, white);
    BoardText::centred(sprites.font, std::to_string(level()), 24, 55, 140, white);
    glColor4f(1, 1, 1, 1);
}

void FieldDrawing::drawChainMeter(const Field& field) {
    BoardSprites& sprites = BoardSprites::current();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    if (bindTexture(sprites.chainMeterGrey)) {
        Texture::drawRegion(664, 8, 0, 128, 128, 0, 1, 0, 1);
    }
    const float fill = std::clamp(field.chainDisplay(), 0.0f, 1.0f);
    if (fill > 0.0f && bindTexture(sprites.chainMeter)) {
        Texture::drawRegion(664, 136 - 128 * fill, 0, 128, 128 * fill, 0, 1, 0, fill);
    }
    if (field.chainCounter() == 4) {
        BoardText::left(sprites.font, "!", 30, 750, 60, red);
    } else {
        BoardText::left(sprites.font, std::to_string(5 - field.chainCounter()), 30, 750, 60, white);
    }
}

void Field::drawPreview() const {
    BoardSprites& sprites = BoardSprites::current();
    glColor4f(1, 1, 1, 1);
    if (bindTexture(sprites.backgroundSmall)) {
        glDisable(GL_BLEND);
        Texture::drawRegion(0, 0, 0, 800, 600, 0.109375f, 0.890625f, 0.20703125f, 0.79296875f);
    }
    glDisable(GL_DEPTH_TEST);
    if (const Sprite* small = sprites.cellBackSmall) {
        QuadBatch batch(small, false);
        FieldDrawing::forEachCellBack(*this, [&](const CellBack& cell) {
            const int group = cell.fill == CellBack::Fill::Filled ? 1 : 0;
            batch.cell(cell.point, small->frameWidth(), small->frameHeight(), group, 0, white);
        });
    }
    glColor4f(1, 1, 1, 1);
}

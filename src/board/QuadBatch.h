#pragma once

#include "board/Point.h"
#include "board/Rgba.h"

#include <cstddef>

class Sprite;
class Texture;

// Many centred quads of one texture drawn by one vertex-array call when the
// batch ends: the board draws thousands of cells, balls and sparks a frame,
// and one call and one state change per picture instead of per quad keep a
// software renderer within its frame budget. The vertices go into one buffer
// kept between frames, so a frame allocates nothing.
class QuadBatch {
public:
    // Binds the texture (nothing is drawn without one) and sets blending:
    // additive (source alpha, one) or ordinary (source alpha, one minus it).
    QuadBatch(Texture* texture, bool additive);
    // The sprite's texture, frames and vertical flip.
    QuadBatch(const Sprite* sprite, bool additive);
    ~QuadBatch();
    QuadBatch(const QuadBatch&) = delete;
    QuadBatch& operator=(const QuadBatch&) = delete;

    bool isActive() const { return active_; }
    // The sprite's cell (group, frame) centred on centre, w by h, in colour.
    void cell(Point centre, float w, float h, int group, int frame, Rgba colour);
    // The whole texture centred on centre.
    void whole(Point centre, float w, float h, Rgba colour);
    // A part of the texture (u left to right, v low to high) centred on centre.
    void region(Point centre, float w, float h, float uLeft, float uRight, float vLow, float vHigh,
                Rgba colour);

private:
    void begin(Texture* texture, bool additive);
    void emit(Point centre, float w, float h, float uLeft, float uRight, float vLow, float vHigh,
              Rgba colour);

    std::size_t start_ = 0;
    bool active_ = false;
    bool flipV_ = false;
    int groups_ = 1;
    int frames_ = 1;
};

#include "gfx/Font.h"

#include "gfx/Texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// The scan only needs the alpha channel: row r, column c of the picture.
class AlphaView {
public:
    AlphaView(const unsigned char* pixels, int width) : pixels_(pixels), width_(width) {}
    bool opaque(int column, int row) const {
        return pixels_[(static_cast<std::size_t>(row) * width_ + column) * 4 + 3] != 0;
    }
    bool rowEmpty(int row) const {
        for (int c = 0; c < width_; ++c) {
            if (opaque(c, row)) {
                return false;
            }
        }
        return true;
    }
    // Any opaque pixel in the column between the two rows (inclusive).
    bool columnUsed(int column, int bottom, int top) const {
        for (int r = bottom; r <= top; ++r) {
            if (opaque(column, r)) {
                return true;
            }
        }
        return false;
    }

private:
    const unsigned char* pixels_;
    int width_;
};

bool isGlyph(unsigned char c) {
    return c > 32 && c < 127;
}

} // namespace

bool Font::loadGlyphs(const unsigned char* bytes, std::size_t size, Texture* texture) {
    texture_ = texture;
    found_ = 0;
    static const unsigned char header[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (bytes == nullptr || size < 18 || std::memcmp(bytes, header, 12) != 0) {
        return false;
    }
    const int width = bytes[12] | (bytes[13] << 8);
    const int height = bytes[14] | (bytes[15] << 8);
    if (width <= 0 || height <= 0 || bytes[16] != 32 ||
        size - 18 < static_cast<std::size_t>(width) * height * 4) {
        return false;
    }
    imageWidth_ = width;
    imageHeight_ = height;
    const AlphaView alpha(bytes + 18, width);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);

    int scan = height;
    for (;;) {
        int top = 0;
        for (int r = scan - 1; r >= 0; --r) {
            if (!alpha.rowEmpty(r)) {
                top = r;
                break;
            }
        }
        int bottom = 0;
        for (int r = top; r >= 0; --r) {
            if (alpha.rowEmpty(r)) {
                bottom = r + 1;
                break;
            }
        }
        if (top == 0) {
            break;
        }
        // The first run of the band is its marker.
        int column = 0;
        while (column < width && !alpha.columnUsed(column, bottom, top)) {
            ++column;
        }
        while (column + 1 < width && alpha.columnUsed(column + 1, bottom, top)) {
            ++column;
        }
        lineHeight_ = (top - bottom) / h;
        for (;;) {
            int start = column + 1;
            while (start < width - 1 && !alpha.columnUsed(start, bottom, top)) {
                ++start;
            }
            if (start >= width - 1) {
                break;
            }
            int end = start;
            while (end + 1 < width && alpha.columnUsed(end + 1, bottom, top)) {
                ++end;
            }
            if (found_ < glyphCount) {
                glyphs_[found_] = Glyph{top / h, bottom / h, (start - 1) / w, (end + 1) / w};
            }
            ++found_;
            column = end;
        }
        scan = bottom;
    }
    return found_ == glyphCount;
}

float Font::scale(float size) const {
    if (lineHeight_ <= 0 || imageHeight_ <= 0) {
        return 0; // no font loaded: nothing has a width
    }
    return size / lineHeight_ * imageWidth_ / imageHeight_;
}

float Font::glyphWidth(unsigned char c, float size) const {
    if (!isGlyph(c)) {
        return 0;
    }
    const Glyph& g = glyphs_[c - 33];
    return scale(size) * (g.uRight - g.uLeft);
}

void Font::layout(const char* text, float size, float x, float y, bool flip, bool monospace,
                  std::vector<Quad>& quads) const {
    quads.clear();
    if (text == nullptr) {
        return;
    }
    const float space = spaceAdvance(size);
    const float spacing = space / 10;
    float penX = x;
    float penY = y;
    for (int i = 0; text[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            penX += space;
        } else if (c == '\t') {
            penX += (6 * (i / 6 + 1) - i) * space; // stops every six characters
        } else if (c == '\n') {
            penY += size;
            penX = x + spacing;
        } else if (isGlyph(c)) {
            const Glyph& g = glyphs_[c - 33];
            const float w = glyphWidth(c, size);
            quads.push_back(Quad{penX, penX + w, penY, penY - size, g.uLeft, g.uRight,
                                 flip ? g.vTop : g.vBottom, flip ? g.vBottom : g.vTop});
            penX += (monospace ? space : w) + spacing;
        }
        // Any other byte has no glyph: it draws nothing and takes no room.
    }
}

void Font::drawText(const char* text, float size, float x, float y, float z, float r, float g,
                    float b, float a, bool flip, bool monospace) const {
    if (texture_ == nullptr) {
        return;
    }
    // Kept between calls: a frame draws many texts and allocates nothing.
    static std::vector<Quad> quads;
    static std::vector<float> vertices;
    quads.clear();
    layout(text, size, x, y, flip, monospace, quads);
    // Each glyph as the two triangles of its four-vertex strip, the whole
    // text in one call: a software renderer pays for every call.
    vertices.clear();
    for (const Quad& q : quads) {
        const float corners[4][5] = {{q.uLeft, q.vBase, q.left, q.base, z},
                                     {q.uLeft, q.vTop, q.left, q.top, z},
                                     {q.uRight, q.vBase, q.right, q.base, z},
                                     {q.uRight, q.vTop, q.right, q.top, z}};
        for (int corner : {0, 1, 2, 2, 1, 3}) {
            vertices.insert(vertices.end(), std::begin(corners[corner]), std::end(corners[corner]));
        }
    }
    glEnable(GL_TEXTURE_2D);
    texture_->bind();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glColor4f(r, g, b, a);
    if (!vertices.empty()) {
        constexpr GLsizei stride = 5 * sizeof(float);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, vertices.data());
        glVertexPointer(3, GL_FLOAT, stride, vertices.data() + 2);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 5));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

std::array<Font::Pass, 5> Font::outlinePasses(float x, float y, float r, float g, float b,
                                              float a) {
    const float outline = a * a;
    return {Pass{x - 1, y, 0, 0, 0, outline}, Pass{x + 1, y, 0, 0, 0, outline},
            Pass{x, y - 1, 0, 0, 0, outline}, Pass{x, y + 1, 0, 0, 0, outline},
            Pass{x, y, r, g, b, a}};
}

void Font::drawTextOutlined(const char* text, float size, float x, float y, float z, float r,
                            float g, float b, float a, bool flip, bool monospace) const {
    for (const Pass& p : outlinePasses(x, y, r, g, b, a)) {
        drawText(text, size, p.x, p.y, z, p.r, p.g, p.b, p.a, flip, monospace);
    }
}

void Font::drawNumber(int number, float size, float x, float y, float z, float r, float g, float b,
                      float a, bool flip) const {
    char text[16];
    std::snprintf(text, sizeof text, "%i", number);
    drawText(text, size, x, y, z, r, g, b, a, flip, false);
}

float Font::textWidth(const char* text, float size) const {
    if (text == nullptr) {
        return 0;
    }
    const float space = spaceAdvance(size);
    float width = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        width += c == ' ' ? space : glyphWidth(c, size);
    }
    return width;
}

float Font::inkWidth(const char* text, float size) const {
    std::vector<Quad> quads;
    layout(text, size, 0, 0, false, false, quads);
    float right = 0;
    for (const Quad& q : quads) {
        right = std::max(right, q.right);
    }
    return right;
}

#pragma once

#include <array>
#include <cstddef>
#include <vector>

class Texture;

// The game's proportional bitmap font: one 32-bit TGA picture holding the 94
// printable characters "!" to "~" in bands, found by scanning the alpha
// channel. Each band starts with a marker run that is not a glyph.
class Font {
public:
    static constexpr int glyphCount = 94;

    // Texture coordinates of one glyph.
    struct Glyph {
        float vTop = 0, vBottom = 0, uLeft = 0, uRight = 0;
    };
    // One laid-out glyph: the pen's baseline span and the texture corners.
    struct Quad {
        float left, right;   // x of the glyph's sides
        float base, top;     // y of the baseline and of the top (base - size)
        float uLeft, uRight; // texture u of the sides
        float vBase, vTop;   // texture v at the baseline and at the top
    };
    // One drawing pass of outlined text.
    struct Pass {
        float x, y, r, g, b, a;
    };

    // Scans the font picture (the bytes of "mui/font.tga") for its glyphs and
    // keeps the texture made from the same file (not owned). True when
    // exactly 94 glyphs were found; the first 94 runs are kept either way.
    bool loadGlyphs(const unsigned char* bytes, std::size_t size, Texture* texture);

    // Draws a zero-terminated string; (x, y) is the left end of the first
    // line's baseline, glyphs reach `size` units up from it.
    void drawText(const char* text, float size, float x, float y, float z, float r, float g,
                  float b, float a, bool flip, bool monospace) const;
    // A black outline (alpha a * a) one unit around, then the text.
    void drawTextOutlined(const char* text, float size, float x, float y, float z, float r, float g,
                          float b, float a, bool flip, bool monospace) const;
    void drawNumber(int number, float size, float x, float y, float z, float r, float g, float b,
                    float a, bool flip) const;
    // The advance of a string without letter spacing, tabs or line feeds.
    float textWidth(const char* text, float size) const;
    // How far right of the pen drawText's glyphs of one line reach, letter
    // spacing included: what a line really covers on the screen.
    float inkWidth(const char* text, float size) const;

    // Where drawText puts each glyph.
    void layout(const char* text, float size, float x, float y, bool flip, bool monospace,
                std::vector<Quad>& quads) const;
    // The five passes of drawTextOutlined, in drawing order.
    static std::array<Pass, 5> outlinePasses(float x, float y, float r, float g, float b, float a);

    float glyphWidth(unsigned char c, float size) const;
    float spaceAdvance(float size) const { return glyphWidth('A', size); }
    float letterSpacing(float size) const { return spaceAdvance(size) / 10; }

    const Glyph& glyph(int index) const { return glyphs_[index]; }
    int glyphsFound() const { return found_; }
    float lineHeight() const { return lineHeight_; }
    int imageWidth() const { return imageWidth_; }
    int imageHeight() const { return imageHeight_; }
    Texture* texture() const { return texture_; }

private:
    float scale(float size) const;

    Texture* texture_ = nullptr;
    std::array<Glyph, glyphCount> glyphs_{};
    float lineHeight_ = 0;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int found_ = 0;
};

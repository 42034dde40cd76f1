#include "gfx/Font.h"

#include "FontPicture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectGlyph(const Font& font, int index, const FontPicture& picture) {
    const FontPicture::Run& run = picture.runs[index];
    const float w = FontPicture::width;
    const float h = static_cast<float>(picture.height);
    const Font::Glyph& g = font.glyph(index);
    EXPECT_FLOAT_EQ(g.uLeft, (run.start - 1) / w) << index;
    EXPECT_FLOAT_EQ(g.uRight, (run.end + 1) / w) << index;
    EXPECT_FLOAT_EQ(g.vTop, run.top / h) << index;
    EXPECT_FLOAT_EQ(g.vBottom, run.bottom / h) << index;
}

bool scan(Font& font, const FontPicture& picture) {
    return font.loadGlyphs(picture.file.data(), picture.file.size(), nullptr);
}

// A loaded font of two bands of 47 glyphs.
class LoadedFont : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scan(font, picture)); }
    // The width glyph c gets at this size: (columns + 2 margin) x size / 9 rows.
    float width(char c, float size) const {
        const FontPicture::Run& run = picture.runs[c - 33];
        return size * (run.end - run.start + 2) / (FontPicture::bandHeight - 1);
    }
    std::vector<Font::Quad> layout(const char* text, float size = 20, bool flip = false,
                                   bool monospace = false) const {
        std::vector<Font::Quad> quads;
        font.layout(text, size, 100, 300, flip, monospace, quads);
        return quads;
    }

    FontPicture picture{{47, 47}};
    Font font;
};

} // namespace

TEST(FontScan, TwoBandsOf47RunsGive94GlyphsInReadingOrder) {
    const FontPicture picture({47, 47});
    Font font;
    EXPECT_TRUE(scan(font, picture));
    EXPECT_EQ(font.glyphsFound(), 94);
    EXPECT_EQ(font.imageWidth(), FontPicture::width);
    EXPECT_EQ(font.imageHeight(), 64);
    EXPECT_FLOAT_EQ(font.lineHeight(), 9.0f / 64);
    for (int i = 0; i < 94; ++i) {
        expectGlyph(font, i, picture);
    }
    // The first band found is the top one.
    EXPECT_GT(font.glyph(0).vTop, font.glyph(47).vTop);
}

TEST(FontScan, FewerRunsFailAndKeepTheRestOfTheTable) {
    const FontPicture full({47, 47});
    const FontPicture shorter({47, 46}, 80);
    Font font;
    ASSERT_TRUE(scan(font, full));
    EXPECT_FALSE(scan(font, shorter));
    EXPECT_EQ(font.glyphsFound(), 93);
    expectGlyph(font, 92, shorter);
    expectGlyph(font, 93, full); // unchanged from the earlier scan
}

TEST(FontScan, ExtraRunsAreDroppedAfterTheTable) {
    const FontPicture picture({47, 47, 5});
    Font font;
    EXPECT_FALSE(scan(font, picture));
    EXPECT_EQ(font.glyphsFound(), 99);
    for (int i = 0; i < 94; ++i) {
        expectGlyph(font, i, picture);
    }
}

TEST(FontScan, OnlyUncompressed32BitPicturesAreScanned) {
    const FontPicture picture({47, 47});
    Font font;
    PictureWriter::Bytes file = picture.file;
    file[2] = 10; // run-length
    EXPECT_FALSE(font.loadGlyphs(file.data(), file.size(), nullptr));
    file = picture.file;
    file[16] = 24;
    EXPECT_FALSE(font.loadGlyphs(file.data(), file.size(), nullptr));
    file = picture.file;
    file.resize(file.size() - 1); // one byte short of its pixels
    EXPECT_FALSE(font.loadGlyphs(file.data(), file.size(), nullptr));
    EXPECT_FALSE(font.loadGlyphs(file.data(), 17, nullptr));
    EXPECT_EQ(font.glyphsFound(), 0);
    // A font without glyphs measures nothing, without dividing by zero.
    EXPECT_EQ(font.textWidth("ABC", 20), 0);
}

TEST(FontScan, ARunStartingInTheLastColumnEndsTheBand) {
    FontPicture picture({47, 47});
    // An extra opaque column at the right edge of the top band.
    const int row = picture.runs[0].bottom;
    std::uint8_t* p = &picture.file[18 + (static_cast<std::size_t>(row) * FontPicture::width +
                                          FontPicture::width - 1) *
                                             4];
    p[3] = 255;
    Font font;
    EXPECT_TRUE(scan(font, picture));
}

TEST_F(LoadedFont, LetterSpacingAndTextWidth) {
    const float space = width('A', 20);
    EXPECT_NEAR(font.spaceAdvance(20), space, 1e-3);
    EXPECT_NEAR(font.letterSpacing(20), space / 10, 1e-3);
    const auto quads = layout("ABC");
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_NEAR(quads[0].left, 100, 1e-3);
    EXPECT_NEAR(quads[0].right, 100 + width('A', 20), 1e-3);
    // "AB" advances by both widths and two letter spacings.
    EXPECT_NEAR(quads[2].left, 100 + width('A', 20) + width('B', 20) + 2 * space / 10, 1e-3);
    EXPECT_NEAR(font.textWidth("AB", 20), width('A', 20) + width('B', 20), 1e-3);
    EXPECT_NEAR(font.textWidth("A B", 20), 2 * width('A', 20) + width('B', 20), 1e-3);
    // The ink of "A B" ends at B's right side: one spacing after A, none after B.
    EXPECT_NEAR(font.inkWidth("A B", 20), 2 * width('A', 20) + width('B', 20) + space / 10, 1e-3);
    EXPECT_NEAR(font.inkWidth("A  ", 20), width('A', 20), 1e-3);
    EXPECT_EQ(font.inkWidth("", 20), 0);
    // Glyphs reach `size` up from the baseline.
    EXPECT_NEAR(quads[1].base, 300, 1e-3);
    EXPECT_NEAR(quads[1].top, 280, 1e-3);
}

TEST_F(LoadedFont, BlanksTabsAndLineFeeds) {
    const float space = font.spaceAdvance(20);
    const float spacing = font.letterSpacing(20);
    // "A B": the blank adds one advance and no spacing.
    auto quads = layout("A B");
    EXPECT_NEAR(quads[1].left, 100 + width('A', 20) + spacing + space, 1e-3);

    // A tab at index 4 advances two blanks, at index 6 six.
    quads = layout("!!!!\tX");
    const float afterFour = quads[3].right + spacing;
    EXPECT_NEAR(quads[4].left, afterFour + 2 * space, 1e-3);
    quads = layout("!!!!!!\tX");
    EXPECT_NEAR(quads[6].left, quads[5].right + spacing + 6 * space, 1e-3);

    // A line feed: down by size, back to x plus one letter spacing.
    quads = layout("AB\nC");
    EXPECT_NEAR(quads[2].base, 320, 1e-3);
    EXPECT_NEAR(quads[2].left, 100 + spacing, 1e-3);
    EXPECT_NEAR(font.textWidth("A\tB\n", 20), width('A', 20) + width('B', 20), 1e-3);
}

TEST_F(LoadedFont, BytesWithoutGlyphsTakeNoRoom) {
    const auto plain = layout("AB");
    const auto odd = layout("A\x01\x7f\xc3\xa9"
                            "B");
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_NEAR(odd[1].left, plain[1].left, 1e-3);
    EXPECT_NEAR(font.textWidth("A\x01\xff", 20), width('A', 20), 1e-3);
}

TEST_F(LoadedFont, FlipAndMonospace) {
    const Font::Glyph& g = font.glyph('A' - 33);
    auto quads = layout("A");
    EXPECT_NEAR(quads[0].vBase, g.vBottom, 1e-3);
    EXPECT_NEAR(quads[0].vTop, g.vTop, 1e-3);
    EXPECT_NEAR(quads[0].uLeft, g.uLeft, 1e-3);
    EXPECT_NEAR(quads[0].uRight, g.uRight, 1e-3);
    quads = layout("A", 20, true);
    EXPECT_NEAR(quads[0].vBase, g.vTop, 1e-3);
    EXPECT_NEAR(quads[0].vTop, g.vBottom, 1e-3);

    quads = layout("D!", 20, false, true); // D is wider than A
    EXPECT_NEAR(quads[1].left, 100 + font.spaceAdvance(20) + font.letterSpacing(20), 1e-3);
    EXPECT_NEAR(quads[0].right - quads[0].left, width('D', 20), 1e-3);
}

TEST(FontOutline, OutlineAlphaIsTheSquare) {
    const auto passes = Font::outlinePasses(10, 20, 0.2f, 0.4f, 0.6f, 0.5f);
    const float offsets[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(passes[i].x, 10 + offsets[i][0]);
        EXPECT_FLOAT_EQ(passes[i].y, 20 + offsets[i][1]);
        EXPECT_EQ(passes[i].r + passes[i].g + passes[i].b, 0);
        EXPECT_FLOAT_EQ(passes[i].a, 0.25f);
    }
    EXPECT_FLOAT_EQ(passes[4].x, 10);
    EXPECT_FLOAT_EQ(passes[4].g, 0.4f);
    EXPECT_FLOAT_EQ(passes[4].a, 0.5f);
}

// The board's drawing on a real context, read back pixel by pixel. The
// pictures are plain colours, so what lands where is unambiguous.
#include "BoardScreen.h"
#include "BoardTestSupport.h"

#include "board/BoardSprites.h"
#include "board/FieldDrawing.h"
#include "gfx/Font.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "picturewriter/PictureWriter.h"

#include "board/PathSparkles.h"
#include "gfx/FontPicture.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace boardtest;
using Bytes = PictureWriter::Bytes;
using Rgb = GlScreen::Rgb;

namespace {

const Rgb black{0, 0, 0};
const Rgb white{255, 255, 255};
const Rgb green{0, 255, 0};
const Rgb magenta{255, 0, 255};
const Rgb red{255, 0, 0};
const Rgb grey{100, 100, 100};
const Rgb orange{255, 128, 0};

// An opaque picture of one colour (rows bottom first, as TGA keeps them).
Bytes solid(int w, int h, Rgb c) {
    Bytes pixels;
    for (int i = 0; i < w * h; ++i) {
        pixels.insert(pixels.end(),
                      {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                       static_cast<std::uint8_t>(c[0]), 255});
    }
    return PictureWriter::tga(2, 32, w, h, pixels);
}

// 1024 by 1024 in four quarters as seen upright: red, green over blue, white.
Bytes quarters() {
    Bytes pixels;
    for (int row = 1023; row >= 0; --row) {
        for (int column = 0; column < 1024; ++column) {
            const bool top = row < 512;
            const bool leftHalf = column < 512;
            Rgb c = top ? (leftHalf ? red : green) : (leftHalf ? Rgb{0, 0, 255} : white);
            pixels.insert(pixels.end(),
                          {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                           static_cast<std::uint8_t>(c[0]), 255});
        }
    }
    return PictureWriter::tga(2, 32, 1024, 1024, pixels);
}

// The solid test font with every glyph pixel white.
Bytes whiteFont(const FontPicture& picture) {
    Bytes file = picture.file;
    for (std::size_t i = 18; i + 3 < file.size(); i += 4) {
        if (file[i + 3] != 0) {
            file[i] = file[i + 1] = file[i + 2] = 255;
        }
    }
    return file;
}

} // namespace

class FieldDraw : public BoardScreen {
protected:
    FieldDraw() : BoardScreen("field-draw-test") {}

    void SetUp() override {
        BoardScreen::SetUp();
        if (resources == nullptr) {
            return;
        }
        writeSprite("cellback", solid(40, 48 * 5, white), 5, 1);
        writeSprite("skin", solid(16, 16 * 16, green), 16, 1);
        writeSprite("lock", solid(20, 20, magenta), 1, 1);
        skin.reset(Sprite::fromFile(resources, files.file("skin.spr")));
        cellBack.reset(Sprite::fromFile(resources, files.file("cellback.spr")));
        lock.reset(Sprite::fromFile(resources, files.file("lock.spr")));
        for (Sprite* s : {skin.get(), cellBack.get(), lock.get()}) {
            s->setBlend(true);
        }
        background.reset(load("bg.tga", quarters()));
        meterGrey.reset(load("grey.tga", solid(128, 128, grey)));
        meter.reset(load("meter.tga", solid(128, 128, orange)));
        summary.reset(load("stat.tga", solid(64, 64, Rgb{0, 0, 128})));
        const FontPicture picture({47, 47}, 64, true);
        const Bytes fontFile = whiteFont(picture);
        fontTexture.reset(load("font.tga", fontFile));
        ASSERT_TRUE(font.loadGlyphs(fontFile.data(), fontFile.size(), fontTexture.get()));

        BoardSprites& board = BoardSprites::current();
        board.ballSkins[0] = skin.get();
        board.cellBack = cellBack.get();
        board.lock = lock.get();
        board.background = background.get();
        board.chainMeter = meter.get();
        board.chainMeterGrey = meterGrey.get();
        board.summary = summary.get();
        board.font = &font;
    }
    void writeSprite(const std::string& name, const Bytes& picture, int groups, int frames) {
        files.write(name + ".tga", picture);
        files.write(name + ".spr", "file_name " + files.file(name + ".tga") + "\ngroups " +
                                       std::to_string(groups) + "\nframes " +
                                       std::to_string(frames) + "\n");
    }
    Texture* load(const std::string& name, const Bytes& bytes) {
        return Texture::load(resources, files.write(name, bytes), false, false);
    }

    // A field in play with every cell back fully shown.
    std::unique_ptr<Field> shownField() {
        auto f = bareField(emptyLevel());
        for (int r = 0; r < f->rows(); ++r) {
            for (int c = 0; c < f->width(r); ++c) {
                f->cellBackAt(r, c)->alpha = 1.0f;
            }
        }
        return f;
    }

    static void redraw(const Field& f) {
        setUpScreen();
        f.draw();
    }

    struct Span {
        int first, last;
    };
    // Leftmost and rightmost x in a row whose pixel passes the test.
    template <typename Pred> static Span span(int y, int from, int to, Pred pred) {
        glFinish();
        std::vector<std::uint8_t> row(800 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 599 - y, 800, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
        int first = -1;
        int last = -1;
        for (int x = from; x < to; ++x) {
            const Rgb c{row[x * 3], row[x * 3 + 1], row[x * 3 + 2]};
            if (pred(c)) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return {first, last};
    }

    TempDir files;
    std::unique_ptr<Sprite> skin, cellBack, lock;
    std::unique_ptr<Texture> background, meterGrey, meter, summary, fontTexture;
    Font font;
};

TEST_F(FieldDraw, BackgroundIsCentredOnTheScreen) {
    auto f = shownField();
    f->drawBackground();
    // The picture's middle falls on (400, 300), its upper half above it.
    EXPECT_EQ(pixel(398, 298), red);
    EXPECT_EQ(pixel(402, 298), green);
    EXPECT_EQ(pixel(398, 302), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(402, 302), white);
    EXPECT_EQ(pixel(0, 0), red);
    EXPECT_EQ(pixel(799, 599), white);
}

TEST_F(FieldDraw, CellBacksDrawAtTheirCentresAndFadeWithAlpha) {
    auto f = shownField();
    const Point a = f->centre(4, 4);
    const Point b = f->centre(0, 0);
    f->cellBackAt(0, 0)->alpha = 0.0f;
    f->draw();
    EXPECT_EQ(pixel(int(a.x), int(a.y)), white);
    EXPECT_EQ(pixel(int(b.x), int(b.y)), black);
    // Beside the board there is nothing.
    EXPECT_EQ(pixel(5, 300), black);
}

TEST_F(FieldDraw, UnfilledCellsBlinkRedFromEighteenToTwentySeconds) {
    auto f = shownField();
    const Point open = f->centre(4, 4);
    const Point filled = f->centre(4, 5);
    f->cellBackAt(4, 5)->fill = CellBack::Fill::Filled;
    struct Case {
        int idle;
        bool red;
    };
    int idle = 0;
    for (Case c : {Case{17900, false}, Case{18000, true}, Case{18200, true}, Case{18250, false},
                   Case{19800, true}, Case{20100, false}, Case{37900, false}, Case{38000, true}}) {
        f->update(static_cast<float>(c.idle - idle));
        idle = c.idle;
        ASSERT_EQ(f->idleMs(), c.idle);
        redraw(*f);
        EXPECT_EQ(pixel(int(open.x), int(open.y)), c.red ? red : white) << c.idle;
        EXPECT_EQ(pixel(int(filled.x), int(filled.y)), white) << c.idle;
    }
}

TEST_F(FieldDraw, BlinkTimingAtItsEdges) {
    EXPECT_FALSE(FieldDrawing::isBlinkOn(17999));
    EXPECT_TRUE(FieldDrawing::isBlinkOn(18000));
    EXPECT_TRUE(FieldDrawing::isBlinkOn(18200));
    EXPECT_FALSE(FieldDrawing::isBlinkOn(18201));
    EXPECT_FALSE(FieldDrawing::isBlinkOn(18399));
    EXPECT_TRUE(FieldDrawing::isBlinkOn(19999 - 399));
    EXPECT_FALSE(FieldDrawing::isBlinkOn(20000));
}

TEST_F(FieldDraw, PoppingBallIsInvisibleWhileItsDelayRuns) {
    auto f = shownField();
    Ball* ball = FieldTestAccess::put(*f, 4, 4, 0);
    ball->startPopping();
    ball->delay = 500.0f;
    ball->scale = 1.0f;
    const Point at = f->centre(4, 4);
    f->draw();
    EXPECT_EQ(pixel(int(at.x), int(at.y)), white);
    ball->delay = 0.0f;
    redraw(*f);
    EXPECT_EQ(pixel(int(at.x), int(at.y)), green);
}

TEST_F(FieldDraw, NextBallsShowAtHalfScale) {
    auto f = shownField();
    FieldTestAccess::addNewCell(*f, 4, 4, 0);
    FieldTestAccess::put(*f, 4, 6, 0);
    for (int i = 0; i < 20; ++i) {
        f->update(1.0f);
    }
    ASSERT_FLOAT_EQ(f->previewAlpha(), 1.0f);
    f->draw();
    const Point preview = f->centre(4, 4);
    const Point ball = f->centre(4, 6);
    // A ball is 32 across: 16 at half scale.
    EXPECT_EQ(pixel(int(preview.x) + 6, int(preview.y)), green);
    EXPECT_EQ(pixel(int(preview.x) + 10, int(preview.y)), white);
    EXPECT_EQ(pixel(int(ball.x) + 10, int(ball.y)), green);
    EXPECT_EQ(pixel(int(ball.x) + 18, int(ball.y)), white);
}

TEST_F(FieldDraw, LockedBallWearsTheLock) {
    auto f = shownField();
    f->cellBackAt(4, 4)->fill = CellBack::Fill::Locked;
    FieldTestAccess::put(*f, 4, 4, 0);
    FieldTestAccess::put(*f, 4, 6, 0);
    f->draw();
    const Point locked = f->centre(4, 4);
    const Point free = f->centre(4, 6);
    EXPECT_EQ(pixel(int(locked.x), int(locked.y)), magenta);
    // The lock is 20 across, the ball 32: the ball shows around it.
    EXPECT_EQ(pixel(int(locked.x) + 13, int(locked.y)), green);
    EXPECT_EQ(pixel(int(free.x), int(free.y)), green);
}

TEST_F(FieldDraw, ChainMeterRisesWithChainDisplay) {
    auto f = shownField();
    f->draw();
    EXPECT_EQ(pixel(700, 130), grey);
    EXPECT_EQ(pixel(700, 20), grey);
    FieldTestAccess::setChainCounter(*f, 2);
    for (int i = 0; i < 60; ++i) {
        f->update(1.0f);
    }
    ASSERT_FLOAT_EQ(f->chainDisplay(), 0.5f);
    redraw(*f);
    // The coloured half fills from y 72 down to 136.
    EXPECT_EQ(pixel(700, 130), orange);
    EXPECT_EQ(pixel(700, 76), orange);
    EXPECT_EQ(pixel(700, 68), grey);
    EXPECT_EQ(pixel(700, 20), grey);
}

TEST_F(FieldDraw, ChainCounterShowsMovesLeftOrAnExclamation) {
    auto f = shownField();
    // On black, without the meter's pictures behind the text.
    BoardSprites::current().chainMeterGrey = nullptr;
    // Thin glyphs are filtered at their edges: anything clearly lit counts.
    auto isRed = [](Rgb c) { return c[0] > 60 && c[1] < 20 && c[2] < 20; };
    auto isWhite = [](Rgb c) { return c[0] > 60 && c[1] > 60 && c[2] > 60; };
    f->draw();
    const auto five = span(50, 740, 800, isWhite);
    EXPECT_GE(five.first, 750);
    EXPECT_LE(five.last, 750 + font.textWidth("5", 30) + 1);
    EXPECT_EQ(span(50, 740, 800, isRed).first, -1);
    FieldTestAccess::setChainCounter(*f, 4);
    redraw(*f);
    const auto bang = span(50, 740, 800, isRed);
    EXPECT_GE(bang.first, 750);
    EXPECT_LE(bang.last, 750 + font.textWidth("!", 30) + 1);
    EXPECT_EQ(span(50, 740, 800, isWhite).first, -1);
}

TEST_F(FieldDraw, ScoreAndLevelAreCentredOnTheirPanels) {
    auto f = shownField();
    f->setScore(12345);
    f->draw();
    auto isWhite = [](Rgb c) { return c[0] > 60 && c[1] > 60 && c[2] > 60; };
    const auto score = span(30, 0, 170, isWhite);
    ASSERT_GE(score.first, 0);
    EXPECT_NEAR((score.first + score.last + 1) / 2.0, 85.0, 2.0);
    EXPECT_GT(score.last - score.first, font.textWidth("12345", 24) - 10);
    const auto level = span(130, 0, 110, isWhite);
    ASSERT_GE(level.first, 0);
    EXPECT_NEAR((level.first + level.last + 1) / 2.0, 55.0, 2.0);
}

TEST_F(FieldDraw, SparklesFollowAHeldBallsPath) {
    auto f = shownField();
    FieldTestAccess::put(*f, 4, 2, 0);
    ASSERT_EQ(f->selectBall(4, 2), 0);
    const Point target = f->centre(4, 7);
    f->previewPath(int(target.x), int(target.y));
    ASSERT_EQ(f->previewedPath().size(), 6u);
    f->draw();
    // The markers are still invisible: only the ring around the ball.
    const auto ringOnly = EffectLayer::instance()->additiveParticles().size();
    EXPECT_GT(ringOnly, 30u);
    for (const Particle& p : EffectLayer::instance()->additiveParticles()) {
        EXPECT_NEAR((p.point - f->centre(4, 2)).length(), 18.0f, 0.01f);
    }
    for (int i = 0; i < 5; ++i) {
        f->update(1.0f);
    }
    EffectLayer::instance()->clear();
    redraw(*f);
    const auto withPath = EffectLayer::instance()->additiveParticles().size();
    EXPECT_GT(withPath, ringOnly + 5);
    std::vector<Point> points;
    PathSparkles::points(*f, points);
    ASSERT_EQ(points.size(), 10u);
    // It starts 18 px out of the ball, toward the path, and ends on the target.
    EXPECT_NEAR((points.front() - f->centre(4, 2)).length(), 18.0f, 0.01f);
    EXPECT_EQ(points.back(), target);
}

TEST_F(FieldDraw, NothingSparklesWithoutASelectedBall) {
    auto f = shownField();
    FieldTestAccess::setPreviewPath(*f, {{4, 2}, {4, 3}});
    f->draw();
    EXPECT_TRUE(EffectLayer::instance()->additiveParticles().empty());
}

TEST_F(FieldDraw, EffectLayerDrawsSparksAtTheirSizeAndCentresItsTexts) {
    files.write("spark.tga", solid(8, 8, white));
    files.write("sparks.xml", "<p texWrap=\"0\" texDynamic=\"0\"><g><f>" + files.file("spark.tga") +
                                  "</f></g></p>");
    std::unique_ptr<ParticleSprite> sparks(
        ParticleSprite::fromFile(resources, files.file("sparks.xml")));
    ASSERT_FLOAT_EQ(sparks->frameWidth(), 8);
    BoardSprites::current().particles = sparks.get();
    EffectLayer& layer = *EffectLayer::instance();
    layer.spawnParticle(20, {300, 300}, {});
    layer.spawnParticle(0, {100, 300}, {});
    layer.addText("88", {500, 400}, 30, {}, Rgba{0, 1, 0, 1});
    layer.draw();
    EXPECT_EQ(pixel(300, 300), white);
    EXPECT_EQ(pixel(308, 300), white) << "resized to 20";
    EXPECT_EQ(pixel(100, 300), white);
    EXPECT_EQ(pixel(106, 300), black) << "its own 8 pixels";
    // The text's point was moved down by half its size: baseline at 415.
    const auto text = span(405, 400, 600, [](Rgb c) { return c[1] > 60 && c[0] < 60; });
    ASSERT_GE(text.first, 0);
    EXPECT_NEAR((text.first + text.last + 1) / 2.0, 500.0, 2.5);
    BoardSprites::current().particles = nullptr;
}

TEST_F(FieldDraw, SparksAddUp) {
    files.write("dim.tga", solid(8, 8, Rgb{60, 60, 60}));
    files.write("dim.xml", "<p texWrap=\"0\" texDynamic=\"0\"><g><f>" + files.file("dim.tga") +
                               "</f></g></p>");
    std::unique_ptr<ParticleSprite> sparks(
        ParticleSprite::fromFile(resources, files.file("dim.xml")));
    BoardSprites::current().particles = sparks.get();
    EffectLayer& layer = *EffectLayer::instance();
    layer.spawnParticle(0, {200, 200}, {});
    layer.spawnParticle(0, {200, 200}, {});
    layer.draw();
    EXPECT_EQ(pixel(200, 200), (Rgb{120, 120, 120}));
    BoardSprites::current().particles = nullptr;
}

class FieldSummaryDraw : public FieldDraw {
protected:
    // A level over with its summary fully shown; an idle ball keeps it up.
    std::unique_ptr<Field> overField(bool completed) {
        auto f = shownField();
        FieldTestAccess::put(*f, 4, 4, 0);
        if (completed) {
            for (int r = 0; r < f->rows(); ++r) {
                for (int c = 0; c < f->width(r); ++c) {
                    f->cellBackAt(r, c)->fill = CellBack::Fill::Filled;
                }
            }
        } else {
            FieldTestAccess::setState(*f, Field::State::LevelOver);
        }
        f->update(1.0f);
        EXPECT_EQ(f->state(), Field::State::LevelOver);
        EXPECT_EQ(f->isComplete(), completed);
        for (int i = 0; i < 30; ++i) {
            f->update(1.0f);
        }
        EXPECT_FLOAT_EQ(f->summaryAlpha(), 1.0f);
        FieldTestAccess::setTimeOnLevel(*f, 3725000);
        return f;
    }

    static bool reddish(Rgb c) { return c[0] > 200 && c[1] < 100; }
    static bool whitish(Rgb c) { return c[0] > 200 && c[1] > 200; }

    // Where the text lands when drawn by itself: the summary must match it.
    Span reference(const std::string& text, float size, float x, float y, Rgba colour, int row,
                   bool (*pred)(Rgb)) {
        setUpScreen();
        font.drawText(text.c_str(), size, x, y, 0, colour.r, colour.g, colour.b, colour.a, false,
                      false);
        return span(row, 144, 656, pred);
    }
    Span centredReference(const std::string& text) {
        return reference(text, 36, 400 - font.textWidth(text.c_str(), 36) / 2, 240,
                         Rgba{1, 0.2f, 0.2f, 1}, 228, reddish);
    }
};

TEST_F(FieldSummaryDraw, CompletedLevelSaysSo) {
    auto f = overField(true);
    f->drawSummary();
    EXPECT_EQ(pixel(150, 50), (Rgb{0, 0, 128}));
    const Span title = span(228, 144, 656, reddish);
    const Span expected = centredReference("Level completed!");
    ASSERT_GE(expected.first, 0);
    EXPECT_EQ(title.first, expected.first);
    EXPECT_EQ(title.last, expected.last);
}

TEST_F(FieldSummaryDraw, LostLevelSaysNotCompleted) {
    auto f = overField(false);
    f->drawSummary();
    const Span title = span(228, 144, 656, reddish);
    const Span expected = centredReference("Level not completed!");
    EXPECT_EQ(title.first, expected.first);
    EXPECT_EQ(title.last, expected.last);
    EXPECT_LT(title.first, centredReference("Level completed!").first);
    EXPECT_EQ(f->timeBonus(), 0);
    EXPECT_EQ(f->chainBonus(), 0);
}

TEST_F(FieldSummaryDraw, TimeLineReadsHoursMinutesSeconds) {
    auto f = overField(true);
    f->drawSummary();
    const Span line = span(360, 144, 656, whitish);
    const Span expected =
        reference("Time on level : 1:2:5", 28, 233, 370, Rgba{1, 1, 1, 1}, 360, whitish);
    ASSERT_GE(expected.first, 0);
    EXPECT_EQ(line.first, expected.first);
    EXPECT_EQ(line.last, expected.last);
    EXPECT_NE(
        line.last,
        reference("Time on level : 0:62:5", 28, 233, 370, Rgba{1, 1, 1, 1}, 360, whitish).last);
}

TEST_F(FieldSummaryDraw, NothingWhileTheLevelIsInPlay) {
    auto f = shownField();
    f->drawSummary();
    EXPECT_EQ(pixel(150, 50), black);
    EXPECT_EQ(pixel(400, 300), black);
}

TEST(SummaryTime, SplitsWithoutLeadingZeros) {
    EXPECT_EQ(FieldDrawing::levelTime(3725000), "1:2:5");
    EXPECT_EQ(FieldDrawing::levelTime(125999), "0:2:5");
    EXPECT_EQ(FieldDrawing::levelTime(999), "0:0:0");
    EXPECT_EQ(FieldDrawing::levelTime(36000000 + 59 * 60000 + 59000), "10:59:59");
}

// The game screen drawn on a real context: with the generated data it shows
// the board and the counters; with no data at all it still draws and plays.
#include "GameTestSupport.h"

#include "gfx/Sprite.h"
#include "platform/Key.h"
#include "support/GlScreen.h"
#include "support/TempDir.h"
#include "ui/HighScores.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

using platform::Key;

namespace {

// Runs the test body with the working directory set to path.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path)
        : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

} // namespace

class GameScreenDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        platform::setMessageBox(&box);
        CSoundManager::instance()->init();
    }
    void TearDown() override {
        GameResources::destroy();
        EffectLayer::destroy();
        MusicPlaylist::destroy();
        CSoundManager::destroy();
        ResourceManager::destroy("main");
        platform::setMessageBox(nullptr);
    }

    // A few frames of play; the board is drawn from the first one on.
    void play(Game& game, int frames) {
        for (int i = 0; i < frames; ++i) {
            game.update(16.0f);
            game.draw();
        }
        glFinish();
    }

    SilentBox box;
    AudioDriver driver = AudioDriver::none();
    GameFrame frame;
};

TEST_F(GameScreenDraw, GeneratedDataLoadsInFullAndDraws) {
    WorkingDirectory here(QUILLMERE_BINARY_DIR "/gamedata");
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open("data/data.pk");
    GameResources* resources = GameResources::instance();
    for (const GameResources::SoundFile& sound : GameResources::soundFiles()) {
        EXPECT_NE(CSoundManager::instance()->sample(sound.id), nullptr) << sound.file;
    }
    EXPECT_EQ(GameResources::soundFiles().size(), 10u);
    ASSERT_FALSE(resources->hints().empty());
    const GameResources::Hint& hint = resources->hints()[0];
    EXPECT_NE(hint.image, nullptr);
    EXPECT_GT(hint.closeX, hint.x);
    EXPECT_EQ(resources->font()->glyphsFound(), Font::glyphCount);
    for (int i = 0; i < GameResources::ballSkinCount; ++i) {
        ASSERT_NE(resources->ballSkin(i), nullptr);
        EXPECT_GT(resources->ballSkin(i)->groups(), Ball::BlastBall) << "a group per colour";
    }
    EXPECT_NE(resources->ballSkin(0), resources->ballSkin(1)) << "independent instances";
    EXPECT_NE(resources->gameplay(0), nullptr);
    EXPECT_NE(resources->gameplay(1), nullptr);

    HighScores scores(2);
    Game game(1, &scores);
    play(game, 200);
    // The background everywhere: nothing stays the clear colour.
    const Rgb corner = pixel(400, 590);
    EXPECT_FALSE(corner == (Rgb{255, 255, 255}));
    // A cell of the board differs from the plain background beside the board.
    const Point centre = game.field()->centre(game.field()->rows() / 2, 0);
    EXPECT_NE(pixel(int(centre.x), int(centre.y)), pixel(int(centre.x) - 60, int(centre.y)));
}

TEST_F(GameScreenDraw, WithoutAnyDataTheGameStillDrawsAndPlays) {
    TempDir empty;
    WorkingDirectory here(empty.path());
    ResourceManager::create("main");
    GameResources* resources = GameResources::instance();
    EXPECT_TRUE(resources->hints().empty());
    EXPECT_EQ(CSoundManager::instance()->sample(107), nullptr);
    HighScores scores(2);
    Game game(1, &scores);
    play(game, 300);
    // The stand-in board came into play; a press still selects a ball.
    ASSERT_EQ(game.field()->state(), Field::State::Play);
    for (int r = 0; r < game.field()->rows(); ++r) {
        for (int c = 0; c < game.field()->width(r); ++c) {
            if (game.field()->ballAt(r, c) != nullptr &&
                game.field()->cellBackAt(r, c)->fill != CellBack::Fill::Locked) {
                const Point p = game.field()->centre(r, c);
                frame.mouse = {int(p.x), int(p.y)};
                game.onLButtonDown(int(p.x), int(p.y), 0);
                play(game, 5);
                EXPECT_TRUE(game.fieldController()->isHolding());
                return;
            }
        }
    }
    ADD_FAILURE() << "no ball on the stand-in board";
}

TEST_F(GameScreenDraw, KeyboardCursorMarksItsCellUntilTheMouseMoves) {
    WorkingDirectory here(QUILLMERE_BINARY_DIR "/gamedata");
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open("data/data.pk");
    HighScores scores(2);
    Game game(1, &scores);
    play(game, 200);
    ASSERT_EQ(game.field()->state(), Field::State::Play);
    const Cell cell = game.keyboardCursor().cell();
    const Point centre = game.field()->centre(cell.row, cell.col);
    // On the marker's right side, which is upright: it crosses the centre's row.
    const int x = int(centre.x) + 18;
    const int y = int(centre.y);
    const Rgb before = pixel(x, y);

    game.onKeyDown(code(Key::Right));
    ASSERT_TRUE(game.keyboardCursor().isVisible());
    ASSERT_EQ(game.keyboardCursor().cell(), cell);
    play(game, 1);
    const Rgb marked = pixel(x, y);
    EXPECT_NE(marked, before);
    EXPECT_GT(marked[0], 150) << "a light, warm line";
    EXPECT_GT(marked[0] - marked[2], 60);

    game.onMouseMove(10, 10, 0);
    play(game, 1);
    const Rgb hidden = pixel(x, y);
    EXPECT_NE(hidden, marked);
    EXPECT_LT(std::abs(hidden[0] - before[0]) + std::abs(hidden[2] - before[2]), 60);
}

#include "GameTestSupport.h"

#include "board/BoardTestSupport.h"
#include "gfx/Sprite.h"

using namespace boardtest;

namespace {

constexpr int bonkSound = 104;
constexpr int selectSound = 107;
constexpr int unselectSound = 108;

} // namespace

class Controller : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        FieldController::setSoundSink([this](int id) { sounds.push_back(id); });
        field = bareField(emptyLevel());
        ball = FieldTestAccess::put(*field, 4, 2, 1);
        controller = std::make_unique<FieldController>(field.get());
    }
    void TearDown() override {
        controller.reset();
        FieldController::setSoundSink({});
        BoardTest::TearDown();
    }

    Point at(int r, int c) const { return field->centre(r, c); }
    void press(int r, int c) { controller->onLButtonDown(int(at(r, c).x), int(at(r, c).y)); }
    void release(int r, int c) { controller->onLButtonUp(int(at(r, c).x), int(at(r, c).y)); }

    GameFrame frame;
    std::vector<int> sounds;
    std::unique_ptr<Field> field;
    Ball* ball = nullptr;
    std::unique_ptr<FieldController> controller;
};

TEST_F(Controller, TwoClicksMoveTheBallAndTheReleaseIsSilent) {
    press(4, 2);
    EXPECT_TRUE(controller->isHolding());
    EXPECT_TRUE(field->isSelectedAt(4, 2));
    release(4, 2);
    EXPECT_TRUE(controller->isHolding());
    EXPECT_EQ(sounds, (std::vector<int>{selectSound}));
    press(4, 6);
    EXPECT_FALSE(controller->isHolding());
    EXPECT_EQ(ball->state, Ball::State::Moving);
    EXPECT_FALSE(field->isSelectedAt(4, 2));
    EXPECT_EQ(sounds, (std::vector<int>{selectSound, selectSound}));
}

TEST_F(Controller, DragMovesOnRelease) {
    press(4, 2);
    release(4, 5);
    EXPECT_FALSE(controller->isHolding());
    EXPECT_EQ(ball->state, Ball::State::Moving);
    EXPECT_EQ(sounds, (std::vector<int>{selectSound, selectSound}));
}

TEST_F(Controller, DropWhereNoPathLeadsUnselects) {
    FieldTestAccess::put(*field, 3, 3, 2);
    press(4, 2);
    press(3, 3); // occupied
    EXPECT_FALSE(controller->isHolding());
    EXPECT_EQ(ball->state, Ball::State::Idle);
    EXPECT_FALSE(field->isSelectedAt(4, 2));
    EXPECT_EQ(sounds, (std::vector<int>{selectSound, unselectSound}));
}

TEST_F(Controller, LockedBallSelectsNothingAndStaysSilent) {
    field->cellBackAt(5, 5)->fill = CellBack::Fill::Locked;
    FieldTestAccess::put(*field, 5, 5, 3);
    press(5, 5);
    EXPECT_FALSE(controller->isHolding());
    EXPECT_TRUE(sounds.empty());
    // The field says why instead.
    ASSERT_FALSE(layer().texts().empty());
    EXPECT_EQ(layer().texts().back().text, "CELL LOCKED");
}

TEST_F(Controller, FreeCellBonksOnlyWhileTheFieldIsIdle) {
    press(4, 6);
    EXPECT_EQ(sounds, (std::vector<int>{bonkSound}));
    controller->onLButtonDown(5, 5); // off the board
    EXPECT_EQ(sounds, (std::vector<int>{bonkSound}));
    FieldTestAccess::setState(*field, Field::State::Intro);
    press(4, 6);
    EXPECT_EQ(sounds, (std::vector<int>{bonkSound}));
}

TEST_F(Controller, FreeCellIsSilentOnceTheLevelIsFinished) {
    FieldTestAccess::remove(*field, 4, 2);
    for (int r = 0; r < field->rows(); ++r) {
        for (int c = 0; c < field->width(r); ++c) {
            field->cellBackAt(r, c)->fill = CellBack::Fill::Filled;
        }
    }
    FieldTestAccess::put(*field, 0, 0, 1);
    field->update(1.0f);
    ASSERT_TRUE(field->isFinished());
    FieldTestAccess::setState(*field, Field::State::Play);
    press(4, 6);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(Controller, RightClickAlwaysUnselects) {
    controller->onRButtonDown(400, 300);
    EXPECT_EQ(sounds, (std::vector<int>{unselectSound}));
    press(4, 2);
    const Point target = at(4, 7);
    field->previewPath(int(target.x), int(target.y));
    ASSERT_FALSE(field->previewedPath().empty());
    controller->onRButtonDown(int(target.x), int(target.y));
    EXPECT_FALSE(controller->isHolding());
    EXPECT_FALSE(field->isSelectedAt(4, 2));
    EXPECT_TRUE(field->previewedPath().empty());
    EXPECT_EQ(sounds, (std::vector<int>{unselectSound, selectSound, unselectSound}));
}

TEST_F(Controller, HeldBallFollowsTheCellUnderTheCursor) {
    ball->size = 40.0f;
    press(4, 2);
    EXPECT_FLOAT_EQ(controller->held()->frameWidth(), 40.0f) << "as big as the ball on the board";
    frame.mouse = {int(at(3, 4).x) + 3, int(at(3, 4).y) - 2};
    controller->update(16.0f);
    const float* p = controller->held()->position();
    EXPECT_FLOAT_EQ(p[0], at(3, 4).x);
    EXPECT_FLOAT_EQ(p[1], at(3, 4).y);
}

TEST_F(Controller, SelectionDrawsTheSameRandomNumbersWithOrWithoutPictures) {
    Random::seed(5);
    press(4, 2);
    const int next = Random::rand();
    controller->onRButtonDown(0, 0);
    Sprite skin;
    BoardSprites::current().ballSkins[0] = &skin;
    Random::seed(5);
    press(4, 2);
    EXPECT_EQ(Random::rand(), next);
    BoardSprites::reset();
}

#include "BoardTestSupport.h"

#include "board/Field.h"
#include "persist/PropertyFile.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

using namespace boardtest;

namespace {

class SaveLoad : public BoardTest {};

// Every ball on a cell, every fill known, every next ball over a cell.
void expectValid(const Field& f) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.columns(); ++c) {
            if (const Ball* ball = rawBall(f, r, c)) {
                EXPECT_TRUE(f.isCell(r, c)) << r << "," << c;
                bool ordinary = ball->colour >= 0 && ball->colour < f.colours();
                EXPECT_TRUE(ordinary || ball->isSpecial()) << ball->colour;
            }
            if (const CellBack* back = f.cellBackAt(r, c)) {
                EXPECT_TRUE(CellBack::isValidFill(static_cast<int>(back->fill)))
                    << static_cast<int>(back->fill);
            }
        }
    }
    for (const auto& next : f.newCells()) {
        EXPECT_TRUE(f.isCell(f.geometry().cellAt(next->point)));
    }
}

PropertyFile roundTripText(const PropertyFile& props) {
    std::string text = props.text();
    PropertyFile back;
    back.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
    return back;
}

TEST_F(SaveLoad, ExampleThreeByThree) {
    // Rows of 2, 3 and 2 positions; the middle row has no cell at position 0.
    auto f = bareField(level(5, 0, 0, 3, 3, "00x0000"));
    FieldTestAccess::put(*f, 1, 1, 2);
    PropertyFile props;
    f->save(props);
    EXPECT_EQ(props.getString("field.field", "?"), "-1 -1 -1 2 -1 -1 -1 ");
    EXPECT_EQ(props.getString("field.cellBacks", "?"), "0 0 0 0 0 0 ");
    EXPECT_EQ(props.getString("field.newCells", "?"), "");
    for (const char* key : {"field.score", "field.m_statScoreOnLevel", "field.m_statBallsExploded",
                            "field.m_statTimeOnLevel", "field.m_statTimeBonus",
                            "field.m_statChains", "field.m_statChainBonus"}) {
        EXPECT_EQ(props.getString(key, "?"), "0") << key;
    }
    // The text of the store quotes the lists, which contain blanks.
    std::string text = props.text();
    EXPECT_NE(text.find("field.field \"-1 -1 -1 2 -1 -1 -1 \"\n"), std::string::npos) << text;
}

TEST_F(SaveLoad, RoundTripOfAPlayedField) {
    LevelFile file = level(6, 45, 10, 11, 11, uniformMap(11, 11, '0'));
    Field f(7, file, 21);
    ASSERT_TRUE(runUntil(
        f, [&] { return settled(f); }, 2000));
    f.cellBackAt(5, 5)->fill = CellBack::Fill::Half;
    f.cellBackAt(0, 0)->fill = CellBack::Fill::Filled;
    f.cellBackAt(10, 0)->fill = CellBack::Fill::Locked;
    f.setScore(12345);
    FieldTestAccess::put(f, 10, 1, Ball::Joker);
    FieldTestAccess::put(f, 10, 2, Ball::ColourBomb);
    FieldTestAccess::put(f, 10, 3, Ball::BlastBall);
    for (int i = 0; i < 10; ++i) {
        f.addScore(10, {0, 0}, false);
    }
    FieldTestAccess::stats(f).timeOnLevel = 65432;
    PropertyFile props = roundTripText([&] {
        PropertyFile p;
        f.save(p);
        return p;
    }());

    Field g(7, file, 99);
    ASSERT_TRUE(g.load(props));
    EXPECT_EQ(g.state(), Field::State::Intro);
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            EXPECT_EQ(g.ballColourAt(r, c), f.ballColourAt(r, c)) << r << "," << c;
            EXPECT_EQ(g.cellBackAt(r, c)->fill, f.cellBackAt(r, c)->fill);
            if (Ball* ball = g.ballAt(r, c)) {
                EXPECT_EQ(ball->state, Ball::State::Popping);
                EXPECT_FLOAT_EQ(ball->scale, 0.5f);
                EXPECT_FLOAT_EQ(ball->delay, g.cellBackAt(r, c)->delay); // the sweep
                EXPECT_EQ(ball->point, g.centre(r, c));
            }
        }
    }
    ASSERT_EQ(g.newCells().size(), f.newCells().size());
    for (std::size_t i = 0; i < f.newCells().size(); ++i) {
        EXPECT_EQ(g.newCells()[i]->colour, f.newCells()[i]->colour);
        EXPECT_FLOAT_EQ(g.newCells()[i]->point.x, std::trunc(f.newCells()[i]->point.x));
        EXPECT_FLOAT_EQ(g.newCells()[i]->point.y, std::trunc(f.newCells()[i]->point.y));
        EXPECT_EQ(g.newCells()[i]->state, Ball::State::Idle);
    }
    EXPECT_EQ(g.score(), f.score());
    EXPECT_EQ(g.scoreOnLevel(), 100);
    EXPECT_EQ(g.ballsExploded(), 10);
    EXPECT_EQ(g.timeOnLevel(), 65432);
    EXPECT_EQ(g.chains(), f.chains());
    EXPECT_EQ(g.level(), 7);
    // The restored field plays on.
    ASSERT_TRUE(runUntil(
        g, [&] { return settled(g); }, 2000));
    expectValid(g);
}

TEST_F(SaveLoad, BonusesAreNotCarried) {
    Field f(1, level(5, 0, 0, 9, 9, uniformMap(9, 9, '2')), 1);
    ASSERT_TRUE(runUntil(
        f, [&] { return f.isFinished(); }, 1000));
    f.setScore(50000);
    FieldTestAccess::stats(f).timeOnLevel = 1000;
    PropertyFile props;
    f.save(props);
    props.setInt("field.m_statTimeBonus", 777);
    props.setInt("field.m_statChainBonus", 888);
    Field g(1, level(5, 0, 0, 9, 9, uniformMap(9, 9, '2')), 1);
    ASSERT_TRUE(g.load(props));
    EXPECT_EQ(g.timeBonus(), 0);
    EXPECT_EQ(g.chainBonus(), 0);
    // Computed anew when the restored level ends.
    ASSERT_TRUE(runUntil(
        g, [&] { return g.isFinished(); }, 1000));
    EXPECT_TRUE(g.isComplete());
    EXPECT_EQ(g.timeBonus(), 50000 / 1000 * 20000);
}

TEST_F(SaveLoad, EmptyNewCellsAreChosenAfresh) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, 1);
    PropertyFile props;
    f->save(props);
    EXPECT_EQ(props.getString("field.newCells", "?"), "");
    PropertyFile text = roundTripText(props);
    EXPECT_EQ(text.getString("field.newCells", "?"), "");
    Field g(1, emptyLevel(), 3);
    ASSERT_TRUE(g.load(text));
    EXPECT_GE(g.newCells().size(), 3u);
    EXPECT_LE(g.newCells().size(), 6u);
    for (const auto& next : g.newCells()) {
        EXPECT_NE(g.geometry().cellAt(next->point), (Cell{0, 0}));
    }
    // No "field.newCells" at all: the same.
    PropertyFile none;
    none.setString("field.field", props.getString("field.field", ""));
    none.setString("field.cellBacks", props.getString("field.cellBacks", ""));
    Field h(1, emptyLevel(), 3);
    ASSERT_TRUE(h.load(none));
    EXPECT_GE(h.newCells().size(), 3u);
    EXPECT_EQ(h.score(), 0);
}

TEST_F(SaveLoad, ThreeNewBallsComeBackAsThree) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    FieldTestAccess::addNewCell(*f, 0, 0, 3);
    FieldTestAccess::addNewCell(*f, 8, 4, Ball::Joker);
    Ball* odd = FieldTestAccess::addNewCell(*f, 2, 1, 0);
    odd->point = {120.7f, 157.03f}; // written cut toward zero
    PropertyFile props;
    f->save(props);
    EXPECT_EQ(props.getString("field.newCells", ""), "120 157 3 280 442 13 120 157 0 ");
    Field g(1, emptyLevel(), 3);
    ASSERT_TRUE(g.load(roundTripText(props)));
    ASSERT_EQ(g.newCells().size(), 3u);
    EXPECT_EQ(g.newCells()[0]->colour, 3);
    EXPECT_EQ(g.newCells()[1]->colour, Ball::Joker);
    EXPECT_EQ(g.newCells()[2]->colour, 0);
    EXPECT_EQ(g.newCells()[2]->point, (Point{120.0f, 157.0f}));
    EXPECT_EQ(g.newCells()[1]->point, (Point{280.0f, 442.0f}));
    // The two on (0, 0) land one there and one on a random free cell.
    g.placeNewCells();
    EXPECT_EQ(countBalls(g), 4);
    expectValid(g);
}

TEST_F(SaveLoad, MissingFieldLeavesTheFieldAsBuilt) {
    Field f(1, level(5, 30, 0, 9, 9, uniformMap(9, 9, '0')), 8);
    std::vector<int> before;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            before.push_back(f.ballColourAt(r, c));
        }
    }
    std::size_t newBefore = f.newCells().size();
    PropertyFile props;
    props.setString("field.cellBacks", "0 0 0 ");
    props.setInt("field.score", 500);
    EXPECT_FALSE(f.load(props));
    PropertyFile other;
    other.setString("field.field", "1 2 3 ");
    other.setString("field.cellBacks", "");
    EXPECT_FALSE(f.load(other));
    EXPECT_FALSE(f.load(PropertyFile()));
    std::vector<int> after;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            after.push_back(f.ballColourAt(r, c));
        }
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(f.newCells().size(), newBefore);
    EXPECT_EQ(f.score(), 0);
}

TEST_F(SaveLoad, SaveWhileLandingKeepsEachBallOnce) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    FieldTestAccess::addNewCell(*f, 8, 4, 2);
    FieldTestAccess::addNewCell(*f, 0, 4, 3);
    f->placeNewCells();
    ASSERT_EQ(f->state(), Field::State::Landing);
    PropertyFile props;
    f->save(props);
    Field g(1, emptyLevel(), 3);
    ASSERT_TRUE(g.load(props));
    EXPECT_EQ(countBalls(g), 3);
    EXPECT_EQ(g.ballColourAt(8, 4), 2);
    // The landed balls are not saved a second time as next balls.
    for (const auto& next : g.newCells()) {
        Cell cell = g.geometry().cellAt(next->point);
        EXPECT_EQ(g.ballAt(cell), nullptr);
    }
}

TEST_F(SaveLoad, ExplodingBallsAreSavedAsTheirExplosionLeavesTheCells) {
    // A line of four explodes; the game is saved before the balls are gone.
    auto f = bareField(emptyLevel());
    f->cellBackAt(8, 3)->fill = CellBack::Fill::Half;
    for (int c = 0; c < 4; ++c) {
        FieldTestAccess::put(*f, 8, c, 1);
    }
    FieldTestAccess::put(*f, 0, 0, 3); // stays
    f->update(16.0f);
    ASSERT_EQ(f->score(), 10 + 12 + 14 + 16);
    int bombColumn = -1;
    for (int c = 0; c < 4; ++c) {
        ASSERT_EQ(f->ballAt(8, c)->state, Ball::State::Exploding);
        if (f->ballAt(8, c)->becomes == Ball::ColourBomb) {
            bombColumn = c;
        }
    }
    ASSERT_NE(bombColumn, -1);
    PropertyFile props;
    f->save(props);

    // Restored, the explosion has happened: the cells are one stage further,
    // the colour bomb stands where it was made, and nothing scores again.
    Field g(1, emptyLevel(), 3);
    ASSERT_TRUE(g.load(roundTripText(props)));
    EXPECT_EQ(g.score(), f->score());
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(g.cellBackAt(8, c)->fill, c == 3 ? CellBack::Fill::Filled : CellBack::Fill::Half)
            << c;
        EXPECT_EQ(g.ballColourAt(8, c), c == bombColumn ? Ball::ColourBomb : -1) << c;
    }
    EXPECT_EQ(g.ballColourAt(0, 0), 3);
    EXPECT_EQ(countBalls(g), 2);
    ASSERT_TRUE(runUntil(
        g, [&] { return settled(g); }, 2000));
    EXPECT_EQ(g.score(), f->score());
    EXPECT_EQ(g.ballsExploded(), 4);

    // The field itself is left as it was: its balls still explode there.
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->ballAt(8, 0) == nullptr; }, 1000));
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(f->cellBackAt(8, c)->fill, g.cellBackAt(8, c)->fill) << c;
        EXPECT_EQ(f->ballColourAt(8, c), g.ballColourAt(8, c)) << c;
    }
}

TEST_F(SaveLoad, BoardClearedAfterALostLevelIsSavedAsItStands) {
    // The balls that the clearing explodes did not score and change no fill:
    // a lost level saved meanwhile comes back full, and is lost again.
    auto f = bareField(emptyLevel(3, 3));
    const int colours[] = {0, 1, 2, 3, 4, 0, 1}; // no three alike
    int i = 0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < f->width(r); ++c) {
            FieldTestAccess::put(*f, r, c, colours[i++]);
        }
    }
    f->update(16.0f);
    ASSERT_EQ(f->state(), Field::State::LevelOver);
    ASSERT_FALSE(f->isComplete());
    f->onClick(0, 0);
    PropertyFile props;
    f->save(props);
    EXPECT_EQ(props.getString("field.field", ""), "0 1 2 3 4 0 1 ");
    EXPECT_EQ(props.getString("field.cellBacks", ""), "0 0 0 0 0 0 0 ");
    Field g(1, emptyLevel(3, 3), 3);
    ASSERT_TRUE(g.load(props));
    EXPECT_EQ(countBalls(g), 7);
    ASSERT_TRUE(runUntil(
        g, [&] { return g.isFinished(); }, 2000));
    EXPECT_FALSE(g.isComplete());
}

TEST_F(SaveLoad, HostileTextsLeaveAValidField) {
    struct Hostile {
        const char* field;
        const char* backs;
        const char* next;
    };
    const Hostile texts[] = {
        {"1", "3", ""},                        // far too short
        {"1 2", "0 1 2 3 4 5 6 7 -1 99", "1"}, // odd fills, one number
        {"-1 -1 -1 -1 -1 99 -7 12 13 14 15 16 2000000000", "x y z", "1 2"},
        {"abc", "   ", "a b c d e f"},
        {"  ", "-", "99999999999999999999 5 1 "},
        {"5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 "
         "5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5",
         "4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 "
         "4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4",
         "-5000 -5000 1 0 0 1 100000 100000 1 120 157"},
        {"2\t2\n2\r2 2", "1\t1\n1", "120 157 1\t200 442 2\n"},
        {"1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"
         " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ",
         "0", "120 157 1 120 157 1 120 157 1 120 157 1 "},
        {"- - - + +1 -1", "3 3 3", "120 157 13 160 157 14 200 157 15 240 157 16 "},
    };
    // A board with holes, so that positions without cells get entries too.
    std::string map = uniformMap(9, 9, '0');
    for (std::size_t i = 0; i < map.size(); i += 4) {
        map[i] = '.';
    }
    for (const Hostile& h : texts) {
        SCOPED_TRACE(std::string(h.field) + " | " + h.backs + " | " + h.next);
        Field f(1, level(5, 20, 5, 9, 9, map), 2);
        PropertyFile props;
        props.setString("field.field", h.field);
        props.setString("field.cellBacks", h.backs);
        props.setString("field.newCells", h.next);
        props.setString("field.score", "12abc");
        props.setString("field.m_statTimeOnLevel", "-40");
        EXPECT_TRUE(f.load(roundTripText(props)));
        expectValid(f);
        EXPECT_EQ(f.score(), 12);
        // And it still plays: a few seconds of updates, then a move if one can be made.
        runUntil(
            f, [&] { return settled(f) || f.isFinished(); }, 2000);
        expectValid(f);
        for (int i = 0; i < 100; ++i) {
            f.update(16.0f);
        }
        expectValid(f);
    }
}

TEST_F(SaveLoad, SpecialColoursRoundTrip) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, 13);
    FieldTestAccess::put(*f, 4, 8, 14);
    FieldTestAccess::put(*f, 8, 2, 15);
    PropertyFile props;
    f->save(props);
    Field g(1, emptyLevel(), 5);
    ASSERT_TRUE(g.load(props));
    EXPECT_EQ(g.ballColourAt(0, 0), 13);
    EXPECT_EQ(g.ballColourAt(4, 8), 14);
    EXPECT_EQ(g.ballColourAt(8, 2), 15);
    EXPECT_EQ(countBalls(g), 3);
}

// The first move a player could make, in row order: a resting ball to the
// free cell farthest down the board that a path reaches.
bool makeSomeMove(Field& f) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (f.selectBall(r, c) < 0) {
                continue;
            }
            for (int rr = f.rows() - 1; rr >= 0; --rr) {
                for (int cc = f.width(rr) - 1; cc >= 0; --cc) {
                    if (f.isCell(rr, cc) && !f.ballAt(rr, cc) && f.moveSelectedTo(rr, cc)) {
                        return true;
                    }
                }
            }
            f.deselectAll();
        }
    }
    return false;
}

std::string savedText(const Field& f) {
    PropertyFile props;
    f.save(props);
    return props.text();
}

// A copy made directly and one made through the saved text are the same
// field, and leave the random generator in the same place, whatever the
// moment: at rest, while balls travel, explode and land.
TEST_F(SaveLoad, DirectCopyIsTheSavedAndLoadedField) {
    LevelFile file = level(4, 40, 10, 9, 9, uniformMap(9, 9, '0'));
    int compared = 0;
    for (unsigned seed : {3u, 17u, 40u}) {
        Field f(2, file, seed);
        for (int step = 0; step < 3000 && !f.isFinished(); ++step) {
            if (settled(f)) {
                ASSERT_TRUE(makeSomeMove(f));
            }
            f.update(16.0f);
            if (step % 7 != 0) {
                continue;
            }
            SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
            const unsigned copySeed = seed * 1000 + static_cast<unsigned>(step);
            Field viaText(2, file, copySeed);
            PropertyFile props;
            f.save(props);
            ASSERT_TRUE(viaText.load(props));
            const int afterText = Random::rand();
            Field direct(2, file, copySeed);
            ASSERT_TRUE(direct.loadFrom(f));
            EXPECT_EQ(Random::rand(), afterText);
            EXPECT_EQ(savedText(direct), savedText(viaText));
            for (int r = 0; r < f.rows(); ++r) {
                for (int c = 0; c < f.width(r); ++c) {
                    const Ball* a = direct.ballAt(r, c);
                    const Ball* b = viaText.ballAt(r, c);
                    ASSERT_EQ(a == nullptr, b == nullptr);
                    if (a) {
                        EXPECT_EQ(a->state, b->state);
                        EXPECT_EQ(a->frameRate, b->frameRate);
                        EXPECT_FLOAT_EQ(a->delay, b->delay);
                    }
                }
            }
            ASSERT_EQ(direct.newCells().size(), viaText.newCells().size());
            for (std::size_t i = 0; i < direct.newCells().size(); ++i) {
                EXPECT_EQ(direct.newCells()[i]->point, viaText.newCells()[i]->point);
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST_F(SaveLoad, DirectCopyRefusesAnotherBoard) {
    LevelFile file = level(4, 40, 10, 9, 9, uniformMap(9, 9, '0'));
    Field f(2, file, 5);
    const std::string before = savedText(f);
    std::string holed = uniformMap(9, 9, '0');
    holed[10] = '.';
    Field otherCells(2, level(4, 40, 10, 9, 9, holed), 6);
    Field otherSize(2, level(4, 40, 10, 9, 11, uniformMap(9, 11, '0')), 6);
    Field otherColours(2, level(5, 40, 10, 9, 9, uniformMap(9, 9, '0')), 6);
    EXPECT_FALSE(f.loadFrom(otherCells));
    EXPECT_FALSE(f.loadFrom(otherSize));
    EXPECT_FALSE(f.loadFrom(otherColours));
    EXPECT_EQ(savedText(f), before);
}

} // namespace

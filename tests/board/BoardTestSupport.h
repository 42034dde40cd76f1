#pragma once

#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/LevelFile.h"

#include <gtest/gtest.h>

#include <string>

namespace boardtest {

// A level file text: six numbers with CR LF, then the map.
inline std::string levelText(int colours, int fill, int jokers, int rows, int columns,
                             const std::string& map) {
    return std::to_string(colours) + "\r\n" + std::to_string(fill) + "\r\n0\r\n" +
           std::to_string(jokers) + "\r\n" + std::to_string(rows) + "\r\n" +
           std::to_string(columns) + "\r\n" + map;
}

// A map of rows x columns positions all of one character.
inline std::string uniformMap(int rows, int columns, char ch) {
    HexGeometry g(rows, columns);
    std::string map;
    for (int r = 0; r < rows; ++r) {
        map.append(static_cast<std::size_t>(g.width(r)), ch);
    }
    return map;
}

inline LevelFile level(int colours, int fill, int jokers, int rows, int columns,
                       const std::string& map) {
    auto parsed = LevelFile::parse(levelText(colours, fill, jokers, rows, columns, map));
    EXPECT_TRUE(parsed.has_value());
    return parsed.value_or(LevelFile::fallback());
}

// An empty board of empty cells, no starting balls.
inline LevelFile emptyLevel(int rows = 9, int columns = 9, int colours = 5) {
    return level(colours, 0, 0, rows, columns, uniformMap(rows, columns, '0'));
}

// Runs field updates of dt until pred holds; false if it never does within
// limit. The effect layer is left alone, so every text the rules add stays.
template <typename Pred> bool runUntil(Field& f, Pred pred, int limit = 100000, float dt = 16.0f) {
    for (int i = 0; i < limit; ++i) {
        if (pred()) {
            return true;
        }
        f.update(dt);
    }
    return pred();
}

// Every test gets a fresh effect layer.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        EffectLayer::destroy();
        EffectLayer::create();
    }
    void TearDown() override { EffectLayer::destroy(); }
    EffectLayer& layer() { return *EffectLayer::instance(); }
};

} // namespace boardtest

#include "FieldTestAccess.h"

#include <memory>

namespace boardtest {

// A field in play with nothing on the board and no next balls, so that a
// test can set up exactly the balls it needs.
inline std::unique_ptr<Field> bareField(const LevelFile& file, unsigned seed = 1) {
    auto f = std::make_unique<Field>(1, file, seed);
    FieldTestAccess::removeAll(*f);
    FieldTestAccess::clearNewCells(*f);
    FieldTestAccess::setState(*f, Field::State::Play);
    return f;
}

// The ball in the table entry of (r, c), whether or not (r, c) is a cell.
inline const Ball* rawBall(const Field& f, int r, int c) {
    return f.board().balls()[static_cast<std::size_t>(f.geometry().index(r, c))].get();
}

inline int countBalls(const Field& f) {
    int n = 0;
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            n += f.ballAt(r, c) ? 1 : 0;
        }
    }
    return n;
}

// True when no ball moves, pops or explodes, no effect runs and the field is
// in play.
inline bool settled(const Field& f) {
    if (f.state() != Field::State::Play || f.effectCount() != 0) {
        return false;
    }
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (Ball* b = f.ballAt(r, c); b && !b->isIdle()) {
                return false;
            }
        }
    }
    return true;
}

} // namespace boardtest

#pragma once

// Ends the level in play of a game screen the quick way, for the tests of
// what the game does once a level is over.
#include "board/BoardFill.h"
#include "board/CellBack.h"
#include "board/Field.h"
#include "game/Game.h"

#include <gtest/gtest.h>

namespace levelend {

// Runs game updates of 16 ms until pred holds; false if it never does.
template <typename Pred> bool runUntil(Game& g, Pred pred, int limit = 20000) {
    for (int i = 0; i < limit; ++i) {
        if (pred()) {
            return true;
        }
        g.update(16.0f);
    }
    return pred();
}

// Waits for the opening sweep, so the field takes moves.
inline bool waitForPlay(Game& g) {
    return runUntil(g, [&] { return g.field()->state() == Field::State::Play; });
}

// Every cell back filled: the level is completed on the next update.
inline void fillBacks(Field& f) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (CellBack* back = f.cellBackAt(r, c)) {
                back->fill = CellBack::Fill::Filled;
            }
        }
    }
}

// Ends the level in play (won, or lost on a full board), clicks the summary
// away and runs until the game has moved on to its next field.
inline bool finish(Game& g, bool won) {
    if (!waitForPlay(g)) {
        ADD_FAILURE() << "the level never came into play";
        return false;
    }
    Field* before = g.field();
    if (won) {
        fillBacks(*before);
    } else {
        fillWithoutLines(*before);
    }
    if (!runUntil(
            g, [&] { return before->state() == Field::State::LevelOver; }, 200)) {
        ADD_FAILURE() << "the level did not end";
        return false;
    }
    g.onLButtonDown(400, 300, 0);
    g.onLButtonUp(400, 300, 0);
    if (!before->levelOverClicked()) {
        ADD_FAILURE() << "the summary took no click";
        return false;
    }
    // The new field may reuse the old one's address: it is the one not clicked.
    return runUntil(g, [&] { return !g.field()->levelOverClicked(); });
}

} // namespace levelend

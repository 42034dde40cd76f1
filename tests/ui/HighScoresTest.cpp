#include "ui/HighScores.h"
#include "persist/PropertyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void expectDefaults(const HighScores& table, int category) {
    for (int i = 0; i < HighScores::entryCount; ++i) {
        EXPECT_EQ(table.getName(category, i), "Nemo") << i;
        EXPECT_EQ(table.getPoints(category, i), 0) << i;
    }
}

} // namespace

TEST(HighScores, FirstPointEntersAtTheTopOfTheDefaultTable) {
    HighScores table(2);
    EXPECT_EQ(table.getCategoryCount(), 2);
    EXPECT_FALSE(table.accepts(0, 0));
    ASSERT_TRUE(table.accepts(0, 1));
    table.add(0, 1, "Ada");
    EXPECT_EQ(table.getName(0, 0), "Ada");
    EXPECT_EQ(table.getPoints(0, 0), 1);
    for (int i = 1; i < HighScores::entryCount; ++i) {
        EXPECT_EQ(table.getName(0, i), "Nemo");
        EXPECT_EQ(table.getPoints(0, i), 0);
    }
    expectDefaults(table, 1);
}

TEST(HighScores, SeventhPlaceIsTheThreshold) {
    HighScores table(1);
    for (int points : {700, 600, 500, 400, 300, 200, 100}) {
        table.add(0, points, "p" + std::to_string(points));
    }
    EXPECT_FALSE(table.accepts(0, 100));
    table.add(0, 100, "late");
    EXPECT_EQ(table.getName(0, 6), "p100");
    ASSERT_TRUE(table.accepts(0, 150));
    table.add(0, 150, "new");
    EXPECT_EQ(table.getName(0, 6), "new");
    EXPECT_EQ(table.getName(0, 5), "p200");
    table.add(0, 1000, "top");
    EXPECT_EQ(table.getName(0, 0), "top");
    EXPECT_EQ(table.getName(0, 1), "p700");
    EXPECT_EQ(table.getName(0, 6), "p200") << "the last entry drops out";
}

TEST(HighScores, LaterEqualScoreRanksBelow) {
    HighScores table(1);
    table.add(0, 50, "first");
    table.add(0, 50, "second");
    table.add(0, 80, "third");
    EXPECT_EQ(table.getName(0, 0), "third");
    EXPECT_EQ(table.getName(0, 1), "first");
    EXPECT_EQ(table.getName(0, 2), "second");
}

TEST(HighScores, KeysNameCategoryAndRankInThreeDigits) {
    HighScores table(2);
    for (int i = 0; i < 5; ++i) {
        table.add(0, 100 - i, "n" + std::to_string(i));
    }
    PropertyFile store;
    table.save(store);
    EXPECT_EQ(store.getString("top7.rec_name000004", ""), "n4");
    EXPECT_EQ(store.getInt("top7.rec_points000004", -1), 96);
    EXPECT_EQ(store.getString("top7.rec_name001006", ""), "Nemo");
    EXPECT_EQ(store.all().size(), 28u);

    HighScores back(2);
    back.load(store);
    for (int i = 0; i < HighScores::entryCount; ++i) {
        EXPECT_EQ(back.getName(0, i), table.getName(0, i));
        EXPECT_EQ(back.getPoints(0, i), table.getPoints(0, i));
    }
    expectDefaults(back, 1);
}

TEST(HighScores, MissingKeysTakeTheirDefaults) {
    PropertyFile store;
    store.setString("top7.rec_name000002", "Kay");
    store.setString("top7.rec_points000002", "not a number");
    HighScores table(2);
    table.add(0, 10, "gone");
    table.load(store);
    EXPECT_EQ(table.getName(0, 0), "Nemo");
    EXPECT_EQ(table.getName(0, 2), "Kay");
    EXPECT_EQ(table.getPoints(0, 2), 0);
}

TEST(HighScores, FileRoundTripAndDamagedFileGivesDefaults) {
    TempDir dir;
    const std::string path = dir.file("top7.tbl");
    HighScores table(2);
    table.add(0, 42, "Zed");
    ASSERT_TRUE(table.saveFile(path));
    HighScores back(2);
    ASSERT_TRUE(back.loadFile(path));
    EXPECT_EQ(back.getName(0, 0), "Zed");
    EXPECT_EQ(back.getPoints(0, 0), 42);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << "\x01\x02garbage\xff";
    HighScores damaged(2);
    damaged.add(0, 9, "old");
    // Whatever the bytes unscramble to holds none of the keys.
    damaged.loadFile(path);
    expectDefaults(damaged, 0);
    // The next write replaces the damaged file whole.
    ASSERT_TRUE(table.saveFile(path));
    HighScores again(2);
    EXPECT_TRUE(again.loadFile(path));
    EXPECT_EQ(again.getName(0, 0), "Zed");

    HighScores missing(2);
    EXPECT_FALSE(missing.loadFile(dir.file("nothing.tbl")));
    expectDefaults(missing, 0);
}

TEST(HighScores, OutOfRangeQuestionsAreHarmless) {
    HighScores table(1);
    EXPECT_FALSE(table.accepts(1, 100));
    EXPECT_FALSE(table.accepts(-1, 100));
    table.add(3, 100, "nowhere");
    EXPECT_EQ(table.getName(0, 7), "Nemo");
    EXPECT_EQ(table.getPoints(-1, 0), 0);
    EXPECT_EQ(table.getName(5, 2), "Nemo");
    expectDefaults(table, 0);
    EXPECT_EQ(HighScores(0).getCategoryCount(), 0);
}

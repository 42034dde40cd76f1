#pragma once

#include "ui/MenuScreen.h"

#include <memory>

class Button;
class DragonFlock;
class HighScores;

// The seven best scores of the game's own category, with the players'
// names, over the high-score background.
class HighScoreWindow : public MenuScreen {
public:
    static constexpr const char* layoutName = "mui/top_wnd.txt";
    static constexpr int rowCount = 7;

    struct Row {
        float x = 0;
        float y = 0;
    };

    HighScoreWindow(float logicalWidth, float logicalHeight, HighScores* table);
    ~HighScoreWindow() override;

    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;

    Button* closeButton() const { return closeButton_; }
    HighScores* table() const { return table_; }
    const Row& row(int index) const { return rows_[index]; }
    float scoreSpace() const { return scoreSpace_; }
    float numberSpace() const { return numberSpace_; }
    float fontSize() const { return fontSize_; }

private:
    Button* closeButton_;
    HighScores* table_;
    Row rows_[rowCount];
    float scoreSpace_ = 400;
    float numberSpace_ = 30;
    float fontSize_ = 10;
    std::unique_ptr<DragonFlock> dragons_;
};

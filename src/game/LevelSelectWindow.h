#pragma once

#include "ui/MenuScreen.h"

#include <memory>

class Button;
class DragonFlock;
class Field;
class TrackBar;

// The choice of the level a new game starts at, with a small picture of the
// chosen level's board and a padlock over the levels not reached yet. Made
// once by the main menu and kept, so the slider remembers the last choice.
class LevelSelectWindow : public MenuScreen {
public:
    static constexpr const char* layoutName = "mui/custom_wnd.txt";
    static constexpr int levelCount = 100;

    LevelSelectWindow(float logicalWidth, float logicalHeight);
    ~LevelSelectWindow() override;

    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;

    // Whether the window was closed with its start button.
    bool isStart() const { return start_; }
    // The slider's level, from 0; the game starts at this + 1.
    int selectedLevelIndex() const;
    // Whether the chosen level is above the highest one reached.
    bool isLocked() const;
    // The board shown for the chosen level, made again when the choice moved.
    Field* preview();

    Button* closeButton() const { return closeButton_; }
    Button* okButton() const { return okButton_; }
    Button* nextButton() const { return nextButton_; }
    Button* prevButton() const { return prevButton_; }
    TrackBar* levelBar() const { return levelBar_; }

private:
    Button* closeButton_;
    Button* okButton_;
    Button* nextButton_;
    Button* prevButton_;
    TrackBar* levelBar_;
    bool start_ = false;
    std::unique_ptr<Field> preview_;
    std::unique_ptr<DragonFlock> dragons_;
};

#pragma once

#include "game/KeyboardCursor.h"
#include "ui/Window.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class Button;
class EnterNameDialog;
class Field;
class FieldController;
class GameResources;
class HighScores;
class HintPage;
class PropertyFile;

// The game screen and the game in progress: the field of the level being
// played, the pointer control, the hint pages over it, the spare lives and
// the score carried from level to level. The main menu keeps it while the
// game is suspended.
class Game : public Window {
public:
    // Spare lives at the start of a game.
    static constexpr int startLives = 3;

    Game(int startLevel, HighScores* highScores);
    ~Game() override;

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    bool onRButtonUp(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;
    void activate() override;
    bool onRButtonDown(int x, int y, unsigned flags) override;
    void onDialogClosed(int result, Window* dialog) override;
    void onCloseRequest() override;

    // The "game." keys and the field's own keys of the saved game.
    bool saveState(PropertyFile& props);
    // False, with nothing changed, without a level in range 1 to 100; false
    // too when the field refuses its keys.
    bool loadState(PropertyFile& props);

    // Called once the game has moved on from a finished level (to the next
    // level, the same one again, or the end of the game), so the holder can
    // keep what a crash would otherwise lose.
    void setLevelEndListener(std::function<void()> listener) {
        levelEndListener_ = std::move(listener);
    }

    // The level in play (0 without a field) and the field's score.
    int level() const;
    int score() const;
    int lives() const { return lives_; }
    // The spare lives as the screen shows them: never below 0.
    int livesShown() const;
    bool isGameOver() const { return gameOver_; }
    bool isNameStored() const { return nameStored_; }
    Field* field() const { return field_; }
    // The total of the last finished level.
    int totalScore() const { return score_; }
    bool hasHintPage() const { return !hintPages_.empty(); }
    const std::vector<HintPage*>& hintPages() const { return hintPages_; }
    Button* mainMenuButton() const { return mainMenuButton_; }
    EnterNameDialog* enterNameDialog() const { return enterNameDialog_; }
    FieldController* fieldController() const { return fieldController_; }
    const KeyboardCursor& keyboardCursor() const { return keyboardCursor_; }

    // The game's tunes, shuffled again at every return to the game.
    static const std::vector<std::string>& musicRotation();

private:
    // A new field (and its controller) for level, carrying score.
    void replaceField(int level, int score);
    void endLevel();
    void endGame();
    void openNameDialog();
    // A press of the left button on the hint pages, the summary and the board.
    void pressBoard(int x, int y);
    // Space or Enter: a click of the left button on the keyboard cursor's cell.
    void clickWithKeys();
    // The held ball follows the keyboard cursor while it shows, else the mouse.
    void steer();
    void hideKeyboardCursor();

    EnterNameDialog* enterNameDialog_ = nullptr;
    Field* field_ = nullptr;
    FieldController* fieldController_ = nullptr;
    KeyboardCursor keyboardCursor_;
    // The last mouse position seen, so that a move message without a move
    // leaves the keyboard cursor alone.
    int mouseX_ = -1;
    int mouseY_ = -1;
    bool gameOver_ = false;
    int lives_ = startLives;
    int score_ = 0;
    HighScores* highScores_;
    bool nameStored_ = false;
    Button* mainMenuButton_ = nullptr;
    GameResources* resources_ = nullptr;
    std::vector<HintPage*> hintPages_;
    std::function<void()> levelEndListener_;
};

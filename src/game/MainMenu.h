#pragma once

#include "ui/MenuScreen.h"

#include <memory>

class Button;
class ContinueDialog;
class DragonFlock;
class Game;
class HelpWindow;
class HighScoreWindow;
class HighScores;
class LevelSelectWindow;
class OptionsWindow;
class UiResources;

// The first screen and the bottom of the stack for the whole run: every
// other screen opens over it and closes back to it. It owns the shared UI
// pictures, the high-score table and the game in progress or suspended.
class MainMenu : public MenuScreen {
public:
    static constexpr const char* layoutName = "mui/main_wnd.txt";
    static constexpr const char* savedGamePath = "data/saved.dat";
    static constexpr const char* savedGameKey = "lorvendax&*!";
    static constexpr int savedGameKeyLength = 12;
    static constexpr const char* menuMusic = "music/menu.xm";

    MainMenu();
    ~MainMenu() override;

    // Reads the saved game: a game its store refuses is dropped.
    void loadSavedGame(const char* path = savedGamePath);
    // Writes the game in progress or suspended (or none) to the saved game.
    // Besides the exit, the menu does so whenever a level of its game ends
    // and whenever the game returns to it: a crash costs at most the level
    // in play.
    void writeSavedGame(const char* path = savedGamePath);
    // Back to a window for a minimise or the web page.
    void goWindowed();

    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;
    void activate() override;
    void onDialogClosed(int result, Window* dialog) override;
    void onWindowClosed(Window* window) override;
    void onCloseRequest() override;

    Game* game() const { return game_; }
    HighScores& highScores() const { return *highScores_; }
    OptionsWindow* optionsScreen() const { return optionsScreen_; }
    HelpWindow* helpScreen() const { return helpScreen_; }
    HighScoreWindow* topScreen() const { return topScreen_; }
    LevelSelectWindow* levelSelect() const { return levelSelect_; }
    ContinueDialog* continueDialog() const { return continueDialog_; }
    UiResources* resources() const { return resources_.get(); }
    Button* newGameButton() const { return newGameButton_; }
    Button* quitButton() const { return quitButton_; }
    Button* helpButton() const { return helpButton_; }
    Button* topButton() const { return topButton_; }
    Button* optionsButton() const { return optionsButton_; }
    Button* siteButton() const { return siteButton_; }

private:
    void openLevelSelect();
    void startGame(int level);
    // The game in progress writes the saved game as each of its levels ends.
    void saveAtLevelEnds();
    void restartMenuMusic();

    Game* game_ = nullptr;
    OptionsWindow* optionsScreen_ = nullptr;
    HelpWindow* helpScreen_ = nullptr;
    HighScoreWindow* topScreen_ = nullptr;
    LevelSelectWindow* levelSelect_ = nullptr;
    ContinueDialog* continueDialog_ = nullptr;
    std::unique_ptr<UiResources> resources_;
    Button* newGameButton_ = nullptr;
    Button* quitButton_ = nullptr;
    Button* helpButton_ = nullptr;
    Button* topButton_ = nullptr;
    Button* optionsButton_ = nullptr;
    Button* siteButton_ = nullptr;
    std::unique_ptr<HighScores> highScores_;
    std::unique_ptr<DragonFlock> dragons_;
};

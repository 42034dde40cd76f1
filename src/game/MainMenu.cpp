#include "game/MainMenu.h"

#include "audio/CSoundManager.h"
#include "audio/MusicPlaylist.h"
#include "game/ContinueDialog.h"
#include "game/Game.h"
#include "game/HelpWindow.h"
#include "game/LevelSelectWindow.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "platform/Shell.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/HighScoreWindow.h"
#include "ui/HighScores.h"
#include "ui/Layout.h"
#include "ui/OptionsWindow.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

namespace {

// The game fills category 0; the second only travels through the file.
constexpr int highScoreCategories = 2;

Button* placedButton(MainMenu* menu, const PropertyFile& store, const char* name,
                     const char* picture) {
    auto* button = new Button(menu, MenuScreen::picture(picture));
    button->loadPosition(store, name);
    menu->addWidget(button);
    return button;
}

} // namespace

MainMenu::MainMenu() : MenuScreen(800, 600) {
    resources_ = std::make_unique<UiResources>();
    resources_->load();
    PropertyFile store;
    layout::load(store, layoutName);
    setDraggable(true);
    newGameButton_ = placedButton(this, store, "m_game_btn", "m_new_game_btn");
    quitButton_ = placedButton(this, store, "m_quit_game_btn", "m_quit_game_btn");
    helpButton_ = placedButton(this, store, "m_help_btn", "m_help_btn");
    topButton_ = placedButton(this, store, "m_top_btn", "m_top7_btn");
    optionsButton_ = placedButton(this, store, "m_options_btn", "m_options_btn");
    siteButton_ = placedButton(this, store, "m_qv_btn", "m_qv_btn");
    dragons_ = std::make_unique<DragonFlock>(resources_->getDragonSprite(),
                                             DragonFlock::Variant::FourLooks);
    if (Settings* settings = Settings::instance()) {
        MusicPlaylist::instance()->setVolume(settings->musicVolume);
        CSoundManager::instance()->setEnabled(settings->sound);
    }
    highScores_ = std::make_unique<HighScores>(highScoreCategories);
    highScores_->loadFile();
}

MainMenu::~MainMenu() {
    highScores_->saveFile();
    for (Button* button :
         {newGameButton_, quitButton_, helpButton_, topButton_, optionsButton_, siteButton_})
        delete button;
    delete levelSelect_;
    delete game_;
    delete optionsScreen_;
    delete helpScreen_;
    delete topScreen_;
    delete continueDialog_;
    dragons_.reset();
    resources_.reset();
}

void MainMenu::loadSavedGame(const char* path) {
    PropertyFile store;
    if (!store.loadFile(path, true, savedGameKey, savedGameKeyLength))
        return;
    delete game_;
    game_ = new Game(1, highScores_.get());
    if (!game_->loadState(store)) {
        delete game_;
        game_ = nullptr;
        return;
    }
    saveAtLevelEnds();
}

void MainMenu::saveAtLevelEnds() {
    game_->setLevelEndListener([this] { writeSavedGame(); });
}

void MainMenu::writeSavedGame(const char* path) {
    PropertyFile store;
    store.setString("menudata.gamename", "vorbel game");
    // A game that is over has nothing left to continue.
    if (game_ && !game_->isGameOver())
        game_->saveState(store);
    store.saveFile(path, savedGameKey, savedGameKeyLength);
}

void MainMenu::goWindowed() {
    if (Frame* frame = Frame::instance())
        frame->leaveFullScreen();
    setDraggable(true);
    setup2D();
}

void MainMenu::activate() {
    if (Cursor* cursor = Cursor::instance())
        cursor->setKind(0);
    setup2D();
    followDisplayMode();
    Window::activate();
    MusicPlaylist* music = MusicPlaylist::instance();
    music->setPlaylist({menuMusic});
    if (!music->isPlaying())
        music->playNext();
}

void MainMenu::update(float elapsedMs) {
    updateScreen(elapsedMs, *dragons_);
}

void MainMenu::draw() {
    clearFrame();
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    drawBackground(picture("m_main_window_back"));
    Window::draw();
    dragons_->draw();
    glPopMatrix();
    finishFrame();
}

void MainMenu::onKeyDown(int key) {
    Settings* settings = Settings::instance();
    if (settings && key == settings->quitKey) {
        onCloseRequest();
    } else if (settings && key == settings->minimizeKey) {
        MusicPlaylist::instance()->stop();
        Frame* frame = Frame::instance();
        if (frame && frame->isFullScreen())
            goWindowed();
        if (frame)
            frame->minimize();
    }
    Window::onKeyDown(key);
}

void MainMenu::openLevelSelect() {
    if (!levelSelect_)
        levelSelect_ = new LevelSelectWindow(logicalWidth_, logicalHeight_);
    if (Frame* frame = Frame::instance())
        frame->pushWindow(levelSelect_);
}

void MainMenu::startGame(int level) {
    delete game_;
    game_ = new Game(level, highScores_.get());
    saveAtLevelEnds();
    if (Frame* frame = Frame::instance())
        frame->pushWindow(game_);
}

void MainMenu::restartMenuMusic() {
    MusicPlaylist* music = MusicPlaylist::instance();
    music->setPlaylist({menuMusic});
    music->stop();
    music->playNext();
}

void MainMenu::onCommand(Widget* widget) {
    Window::onCommand(widget);
    Frame* frame = Frame::instance();
    if (!frame)
        return;
    if (widget == newGameButton_) {
        if (game_) {
            delete continueDialog_;
            continueDialog_ = new ContinueDialog(game_->level(), game_->score());
            continueDialog_->setShadeSize(800, 600);
            continueDialog_->setPosition(144, 44, 0, 1);
            continueDialog_->setPanelSize(512, 512);
            frame->pushDialog(continueDialog_);
        } else {
            openLevelSelect();
        }
    } else if (widget == quitButton_) {
        onCloseRequest();
    } else if (widget == helpButton_) {
        delete helpScreen_;
        helpScreen_ = new HelpWindow(logicalWidth_, logicalHeight_);
        frame->pushWindow(helpScreen_);
    } else if (widget == topButton_) {
        delete topScreen_;
        topScreen_ = new HighScoreWindow(logicalWidth_, logicalHeight_, highScores_.get());
        frame->pushWindow(topScreen_);
    } else if (widget == optionsButton_) {
        delete optionsScreen_;
        optionsScreen_ = new OptionsWindow(logicalWidth_, logicalHeight_);
        frame->pushWindow(optionsScreen_);
    } else if (widget == siteButton_) {
        MusicPlaylist::instance()->stop();
        frame->minimize();
        platform::openUrl(resources_->getSiteAddress());
    }
}

void MainMenu::onDialogClosed(int result, Window* dialog) {
    Window::onDialogClosed(result, dialog);
    if (!continueDialog_ || dialog != continueDialog_)
        return;
    const ContinueDialog::Choice choice = continueDialog_->choice();
    // The frame is done with it once it has reported the close.
    delete continueDialog_;
    continueDialog_ = nullptr;
    if (choice == ContinueDialog::Choice::Continue) {
        if (Frame* frame = Frame::instance())
            frame->pushWindow(game_);
    } else if (choice == ContinueDialog::Choice::NewGame) {
        openLevelSelect();
    }
}

void MainMenu::onWindowClosed(Window* window) {
    Window::onWindowClosed(window);
    if (game_ && window == game_) {
        restartMenuMusic();
        // What the exit would write; a game that is over is already left out.
        writeSavedGame();
        if (game_->isGameOver()) {
            delete topScreen_;
            topScreen_ = nullptr;
            const bool nameStored = game_->isNameStored();
            delete game_;
            game_ = nullptr;
            if (nameStored) {
                topScreen_ = new HighScoreWindow(logicalWidth_, logicalHeight_, highScores_.get());
                if (Frame* frame = Frame::instance())
                    frame->pushWindow(topScreen_);
            }
        }
        return;
    }
    if (window == optionsScreen_) {
        delete optionsScreen_;
        optionsScreen_ = nullptr;
    } else if (window == helpScreen_) {
        delete helpScreen_;
        helpScreen_ = nullptr;
    } else if (window == topScreen_) {
        delete topScreen_;
        topScreen_ = nullptr;
    } else if (levelSelect_ && window == levelSelect_ && levelSelect_->isStart()) {
        startGame(levelSelect_->selectedLevelIndex() + 1);
    }
}

void MainMenu::onCloseRequest() {
    if (Frame* frame = Frame::instance())
        frame->postCloseMessage();
}

// The game screen: construction, input and drawing. The level flow and the
// saved-game keys are in GameFlow.cpp.
#include "game/Game.h"

#include "audio/MusicPlaylist.h"
#include "board/BoardText.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "game/EnterNameDialog.h"
#include "game/FieldController.h"
#include "game/GameResources.h"
#include "game/HintPage.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "platform/Key.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/Setup2D.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

using platform::Key;

Game::Game(int startLevel, HighScores* highScores) : highScores_(highScores) {
    EffectLayer::create();
    resources_ = GameResources::instance();
    field_ = new Field(startLevel);
    fieldController_ = new FieldController(field_);
    keyboardCursor_.setField(field_);

    PropertyFile layoutFile;
    layout::load(layoutFile, "dat/bonuses_buttons.txt");
    mainMenuButton_ = new Button(this, resources_->mainMenuButton());
    mainMenuButton_->loadPosition(layoutFile, "m_main_menu_btn");
    addWidget(mainMenuButton_);

    const Settings* settings = Settings::instance();
    if (settings != nullptr && (settings->hints || settings->firstRun)) {
        hintPages_.push_back(new HintPage(0));
    }
}

Game::~Game() {
    delete fieldController_;
    delete field_;
    for (HintPage* page : hintPages_) {
        delete page;
    }
    delete enterNameDialog_;
    delete mainMenuButton_;
}

bool Game::onMouseMove(int x, int y, unsigned flags) {
    if (x != mouseX_ || y != mouseY_) {
        mouseX_ = x;
        mouseY_ = y;
        hideKeyboardCursor();
    }
    return Window::onMouseMove(x, y, flags);
}

bool Game::onLButtonUp(int x, int y, unsigned flags) {
    if (fieldController_ != nullptr) {
        fieldController_->onLButtonUp(x, y);
    }
    return Window::onLButtonUp(x, y, flags);
}

bool Game::onRButtonUp(int x, int y, unsigned flags) {
    return Window::onRButtonUp(x, y, flags);
}

bool Game::onLButtonDown(int x, int y, unsigned flags) {
    hideKeyboardCursor();
    pressBoard(x, y);
    return Window::onLButtonDown(x, y, flags);
}

void Game::pressBoard(int x, int y) {
    for (HintPage* page : hintPages_) {
        page->onLButtonDown();
    }
    if (field_ != nullptr) {
        field_->onClick(x, y);
    }
    if (fieldController_ != nullptr) {
        fieldController_->onLButtonDown(x, y);
    }
}

void Game::onKeyDown(int key) {
    if (key == code(Key::Escape)) {
        if (Frame* frame = Frame::instance()) {
            frame->closeTop(false);
        }
    } else {
        const KeyboardCursor::Action action = keyboardCursor_.onKeyDown(key);
        if (action == KeyboardCursor::Action::Click) {
            clickWithKeys();
        }
        steer();
        // The path answers the key at once rather than at the next frame.
        if (action == KeyboardCursor::Action::Moved && field_ != nullptr &&
            fieldController_ != nullptr && fieldController_->isHolding()) {
            const platform::Point p = keyboardCursor_.point();
            field_->previewPath(p.x, p.y);
        }
    }
    Window::onKeyDown(key);
}

void Game::clickWithKeys() {
    // A mouse click without the widgets: the keys act on the board alone.
    const platform::Point p = keyboardCursor_.point();
    pressBoard(p.x, p.y);
    if (fieldController_ != nullptr) {
        fieldController_->onLButtonUp(p.x, p.y);
    }
}

void Game::steer() {
    if (fieldController_ == nullptr) {
        return;
    }
    if (keyboardCursor_.isVisible()) {
        fieldController_->setAim(keyboardCursor_.point());
    } else {
        fieldController_->setAim(std::nullopt);
    }
}

void Game::hideKeyboardCursor() {
    keyboardCursor_.hide();
    steer();
}

void Game::onCommand(Widget* widget) {
    Window::onCommand(widget);
    if (widget == mainMenuButton_) {
        if (Frame* frame = Frame::instance()) {
            frame->closeTop(false);
        }
    }
}

bool Game::onRButtonDown(int x, int y, unsigned flags) {
    hideKeyboardCursor();
    if (fieldController_ != nullptr) {
        fieldController_->onRButtonDown(x, y);
    }
    return Window::onRButtonUp(x, y, flags);
}

void Game::onCloseRequest() {
    if (Frame* frame = Frame::instance()) {
        frame->postCloseMessage();
    }
}

int Game::livesShown() const {
    return std::max(lives_, 0);
}

void Game::draw() {
    setUpLogicalScreen(800, 600);
    glClearColor(1, 1, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Everything lies at depth 0 and is painted in order.
    glDisable(GL_DEPTH_TEST);

    glPushMatrix();
    if (field_ != nullptr) {
        field_->drawBackground();
        field_->draw();
    }
    keyboardCursor_.draw();
    if (fieldController_ != nullptr) {
        fieldController_->draw();
    }
    for (const HintPage* page : hintPages_) {
        page->draw();
    }
    glPopMatrix();

    mainMenuButton_->setVisible(hintPages_.empty());
    BoardText::centred(resources_->font(), std::to_string(livesShown()), 24, 65, 90,
                       Rgba{1, 1, 1, 1});

    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->draw();
    }
    if (field_ != nullptr) {
        field_->drawSummary();
    }
    Window::draw();
    MusicPlaylist::instance()->service();
    if (Cursor* cursor = Cursor::instance()) {
        cursor->draw();
    }
}

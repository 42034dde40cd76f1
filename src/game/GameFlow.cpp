// The game from level to level: lives, the running score, the music, the end
// of the game with the name entry, and the "game." keys of the saved game.
#include "game/Game.h"

#include "audio/MusicPlaylist.h"
#include "board/BoardSprites.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "game/EnterNameDialog.h"
#include "game/FieldController.h"
#include "game/HintPage.h"
#include "persist/PropertyFile.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/HighScores.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int lastLevel = 100;

void closeTop() {
    if (Frame* frame = Frame::instance()) {
        frame->closeTop(false);
    }
}

} // namespace

const std::vector<std::string>& Game::musicRotation() {
    // The menu tune is part of the game's rotation.
    static const std::vector<std::string> files{"music/game01.xm", "music/game02.xm",
                                                "music/game03.xm", "music/menu.xm",
                                                "music/game04.xm"};
    return files;
}

void Game::activate() {
    Window::activate();
    if (enterNameDialog_ != nullptr) {
        return;
    }
    MusicPlaylist* music = MusicPlaylist::instance();
    music->setPlaylist(musicRotation());
    music->shuffle();
    music->playNext();
}

int Game::level() const {
    return field_ != nullptr ? field_->level() : 0;
}

int Game::score() const {
    return field_ != nullptr ? field_->score() : 0;
}

void Game::replaceField(int level, int score) {
    delete fieldController_;
    delete field_;
    field_ = new Field(level);
    field_->setScore(score);
    fieldController_ = new FieldController(field_);
    keyboardCursor_.setField(field_);
    steer();
}

void Game::update(float elapsedMs) {
    keyboardCursor_.update(elapsedMs);
    if (fieldController_ != nullptr) {
        fieldController_->update(elapsedMs);
    }
    for (std::size_t i = 0; i < hintPages_.size();) {
        if (hintPages_[i]->update(elapsedMs)) {
            delete hintPages_[i];
            hintPages_.erase(hintPages_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (field_ != nullptr && hintPages_.empty()) {
        field_->update(elapsedMs);
    }
    // Hidden (and so not clickable) while a hint page is up.
    mainMenuButton_->setVisible(hintPages_.empty());
    BoardSprites::current().advanceClock(elapsedMs);
    MusicPlaylist::instance()->service();
    if (field_ != nullptr && field_->isFinished() && field_->state() == Field::State::Play) {
        endLevel();
    }
    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->update(elapsedMs);
    }
    Window::update(elapsedMs);
}

void Game::endLevel() {
    int level = field_->level();
    const int total = field_->score() + field_->timeBonus() + field_->chainBonus();
    score_ = total;
    const bool won = field_->isComplete();
    if (!won) {
        replaceField(level, total);
        --lives_;
        if (lives_ < 0) {
            endGame();
        }
    } else {
        if (level >= lastLevel) {
            // The board is built again at the last level, which is what a
            // later save keeps.
            --level;
            endGame();
        }
        replaceField(level + 1, total);
        MusicPlaylist::instance()->playNext();
    }
    if (levelEndListener_) {
        levelEndListener_();
    }
}

void Game::endGame() {
    gameOver_ = true;
    if (highScores_ != nullptr && highScores_->accepts(0, score_)) {
        openNameDialog();
    } else {
        nameStored_ = false;
        closeTop();
    }
}

void Game::openNameDialog() {
    delete enterNameDialog_;
    enterNameDialog_ = new EnterNameDialog;
    enterNameDialog_->setShadeSize(800, 600);
    enterNameDialog_->setPosition(144, 172, 0, 1);
    enterNameDialog_->setPanelSize(512, 256);
    if (Frame* frame = Frame::instance()) {
        frame->pushDialog(enterNameDialog_);
    }
}

void Game::onDialogClosed(int result, Window* dialog) {
    Window::onDialogClosed(result, dialog);
    if (dialog == nullptr || dialog != enterNameDialog_) {
        return;
    }
    std::string name = enterNameDialog_->name();
    if (name.empty()) {
        name = "Nemo";
    }
    if (highScores_ != nullptr) {
        highScores_->add(0, score_, name);
    }
    delete enterNameDialog_;
    enterNameDialog_ = nullptr;
    nameStored_ = true;
    closeTop();
}

bool Game::saveState(PropertyFile& props) {
    if (field_ != nullptr) {
        props.setInt("game.m_level", field_->level());
        props.setInt("game.m_lives", lives_);
        field_->save(props);
    }
    return true;
}

bool Game::loadState(PropertyFile& props) {
    const int level = props.getInt("game.m_level", -1);
    // A level outside the game would build the stand-in board instead.
    if (level < 1 || level > lastLevel) {
        return false;
    }
    delete fieldController_;
    delete field_;
    field_ = new Field(level);
    fieldController_ = new FieldController(field_);
    keyboardCursor_.setField(field_);
    steer();
    // The game itself holds -1 (the loss that ended it) to 3; a damaged count
    // would give endless lives.
    lives_ = std::clamp(props.getInt("game.m_lives", startLives), -1, startLives);
    return field_->load(props);
}

#include "game/LevelSelectWindow.h"

#include "audio/MusicPlaylist.h"
#include "board/Field.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/TrackBar.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

// A field made only to be looked at. Building a field raises the highest
// level reached, which would unlock every level the player merely browses.
std::unique_ptr<Field> displayField(int level) {
    Settings* settings = Settings::instance();
    const int reached = settings ? settings->level : 0;
    auto field = std::make_unique<Field>(level);
    if (settings)
        settings->level = reached;
    return field;
}

} // namespace

LevelSelectWindow::LevelSelectWindow(float logicalWidth, float logicalHeight)
    : MenuScreen(logicalWidth, logicalHeight) {
    PropertyFile store;
    layout::load(store, layoutName);
    followDisplayMode();
    closeButton_ = new Button(this, picture("m_cancel_btn"));
    closeButton_->loadPosition(store, "m_close_btn");
    okButton_ = new Button(this, picture("m_start_btn"));
    okButton_->loadPosition(store, "m_ok_btn");
    nextButton_ = new Button(this, picture("m_help_next_btn"));
    nextButton_->loadPosition(store, "m_next_btn");
    prevButton_ = new Button(this, picture("m_help_prev_btn"));
    prevButton_->loadPosition(store, "m_prev_btn");
    levelBar_ = new TrackBar(this, picture("m_music_track_bar"));
    levelBar_->loadPosition(store, "m_level_track_bar");
    levelBar_->setRange(0, levelCount - 1);
    levelBar_->setLength((levelCount - 1) * 5);
    levelBar_->setValue(0);
    for (Widget* widget : {static_cast<Widget*>(closeButton_), static_cast<Widget*>(okButton_),
                           static_cast<Widget*>(nextButton_), static_cast<Widget*>(prevButton_),
                           static_cast<Widget*>(levelBar_)})
        addWidget(widget);
    UiResources* resources = UiResources::instance();
    dragons_ = std::make_unique<DragonFlock>(resources ? resources->getDragonSprite() : nullptr,
                                             DragonFlock::Variant::ThreeLooks);
    preview_ = displayField(1);
}

LevelSelectWindow::~LevelSelectWindow() {
    delete closeButton_;
    delete okButton_;
    delete nextButton_;
    delete prevButton_;
    delete levelBar_;
}

int LevelSelectWindow::selectedLevelIndex() const {
    return static_cast<int>(levelBar_->getValue());
}

bool LevelSelectWindow::isLocked() const {
    Settings* settings = Settings::instance();
    return settings && selectedLevelIndex() + 1 > settings->level;
}

Field* LevelSelectWindow::preview() {
    const int level = selectedLevelIndex() + 1;
    if (!preview_ || preview_->level() != level)
        preview_ = displayField(level);
    return preview_.get();
}

void LevelSelectWindow::onKeyDown(int key) {
    if (isQuitKey(key))
        onCommand(closeButton_);
    Window::onKeyDown(key);
}

void LevelSelectWindow::onCommand(Widget* widget) {
    Window::onCommand(widget);
    Frame* frame = Frame::instance();
    if (widget == closeButton_) {
        start_ = false;
        if (frame)
            frame->closeTop(false);
    } else if (widget == okButton_) {
        start_ = true;
        if (!isLocked() && frame)
            frame->closeTop(false);
    } else if (widget == prevButton_) {
        if (levelBar_->getValue() > 0)
            levelBar_->setValue(levelBar_->getValue() - 1);
    } else if (widget == nextButton_) {
        if (levelBar_->getValue() < levelCount - 1)
            levelBar_->setValue(levelBar_->getValue() + 1);
    }
}

void LevelSelectWindow::update(float elapsedMs) {
    updateScreen(elapsedMs, *dragons_);
}

void LevelSelectWindow::draw() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    drawBackground(picture("m_cust_lev_wnd"));
    UiResources* resources = UiResources::instance();
    if (resources) {
        char text[32];
        std::snprintf(text, sizeof text, "Level: %d", selectedLevelIndex() + 1);
        resources->getFont()->drawText(text, 38, 307, 401, 10, 1, 1, 1, 1, false, false);
    }
    glPushMatrix();
    glTranslatef(300, 180, 0);
    glScalef(0.262f, 0.262f, 0.2625f);
    preview()->drawPreview();
    glPopMatrix();
    if (resources && isLocked()) {
        if (Texture* lock = resources->getLockTexture()) {
            glEnable(GL_TEXTURE_2D);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            lock->bind();
            lock->drawAt(446, 210, 0);
            glDisable(GL_BLEND);
        }
    }
    Window::draw();
    dragons_->draw();
    glPopMatrix();
    finishFrame();
}

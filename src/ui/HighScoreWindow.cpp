#include "ui/HighScoreWindow.h"

#include "audio/MusicPlaylist.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/HighScores.h"
#include "ui/Layout.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

HighScoreWindow::HighScoreWindow(float logicalWidth, float logicalHeight, HighScores* table)
    : MenuScreen(logicalWidth, logicalHeight), table_(table) {
    followDisplayMode();
    PropertyFile store;
    layout::load(store, layoutName);
    closeButton_ = new Button(this, picture("m_back_btn"));
    closeButton_->loadPosition(store, "m_close_btn");
    addWidget(closeButton_);
    scoreSpace_ = layout::number(store, "m_score_space", scoreSpace_);
    numberSpace_ = layout::number(store, "m_num_space", numberSpace_);
    fontSize_ = layout::number(store, "m_font_size", fontSize_);
    for (int k = 1; k <= rowCount; ++k) {
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d", k);
        rows_[k - 1].x = layout::number(store, std::string(key) + ".x");
        rows_[k - 1].y = layout::number(store, std::string(key) + ".y");
    }
    UiResources* resources = UiResources::instance();
    dragons_ = std::make_unique<DragonFlock>(resources ? resources->getDragonSprite() : nullptr,
                                             DragonFlock::Variant::FourLooks);
}

HighScoreWindow::~HighScoreWindow() {
    delete closeButton_;
}

void HighScoreWindow::onKeyDown(int key) {
    if (isQuitKey(key))
        onCommand(closeButton_);
    Window::onKeyDown(key);
}

void HighScoreWindow::onCommand(Widget* widget) {
    Window::onCommand(widget);
    if (widget == closeButton_) {
        if (Frame* frame = Frame::instance())
            frame->closeTop(false);
    }
}

void HighScoreWindow::update(float elapsedMs) {
    updateScreen(elapsedMs, *dragons_);
}

void HighScoreWindow::draw() {
    clearFrame();
    // After a game this is the first screen drawn over the menu's 2D set-up,
    // which leaves depth testing on: the rows share the background's depth.
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    drawBackground(picture("m_top_window_back"));
    UiResources* resources = UiResources::instance();
    if (resources && table_ && table_->getCategoryCount() > 0) {
        const Font* font = resources->getFont();
        for (int i = 0; i < rowCount; ++i) {
            const Row& at = rows_[i];
            char text[16];
            std::snprintf(text, sizeof text, "%d.", i + 1);
            font->drawTextOutlined(text, fontSize_, at.x - numberSpace_, at.y, 0, 1, 1, 1, 1, false,
                                   false);
            font->drawTextOutlined(table_->getName(0, i).c_str(), fontSize_, at.x, at.y, 0, 1, 1, 1,
                                   1, false, false);
            std::snprintf(text, sizeof text, "%d", table_->getPoints(0, i));
            font->drawTextOutlined(text, fontSize_, at.x + scoreSpace_, at.y, 0, 1, 1, 1, 1, false,
                                   false);
        }
    }
    Window::draw();
    dragons_->draw();
    glPopMatrix();
    finishFrame();
}

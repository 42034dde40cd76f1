#include "game/ContinueDialog.h"

#include "audio/MusicPlaylist.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/MenuScreen.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

ContinueDialog::ContinueDialog(int level, int score) : level_(level), score_(score) {
    PropertyFile store;
    layout::load(store, layoutName);
    continueButton_ = new Button(this, MenuScreen::picture("m_continuesaved_btn"));
    continueButton_->loadPosition(store, "m_continuesaved_btn");
    newButton_ = new Button(this, MenuScreen::picture("m_startnew_btn"));
    newButton_->loadPosition(store, "m_startnew_btn");
    cancelButton_ = new Button(this, MenuScreen::picture("m_cancel_btn"));
    cancelButton_->loadPosition(store, "m_cancel_btn");
    addWidget(continueButton_);
    addWidget(newButton_);
    addWidget(cancelButton_);
}

ContinueDialog::~ContinueDialog() {
    delete continueButton_;
    delete newButton_;
    delete cancelButton_;
}

void ContinueDialog::onCommand(Widget* widget) {
    Window::onCommand(widget);
    if (widget == continueButton_) {
        choice_ = Choice::Continue;
        setResult(0);
    } else if (widget == newButton_) {
        choice_ = Choice::NewGame;
        setResult(0);
    } else if (widget == cancelButton_) {
        choice_ = Choice::Cancel;
        setResult(1);
    } else {
        return;
    }
    if (Frame* frame = Frame::instance())
        frame->closeTop(false);
}

void ContinueDialog::draw() {
    fade_ = std::min(fade_ + 0.075f, 1.0f);
    glPushMatrix();
    drawShade(0, 0, 0, std::min(fade_, 0.5f));
    if (Texture* panel = MenuScreen::picture("m_continue_dlg_back")) {
        // Whatever screen lies beneath, the box is in front of its shade.
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, fade_);
        panel->bind();
        Texture::drawRegion(x(), y(), z(), static_cast<float>(panelWidth()),
                            static_cast<float>(panelHeight()), 0, 1, 0, 1);
        glColor4f(1, 1, 1, 1);
        glDisable(GL_BLEND);
    }
    if (UiResources* resources = UiResources::instance()) {
        char text[32];
        std::snprintf(text, sizeof text, "LEVEL : %d", level_);
        resources->getFont()->drawText(text, 25, x() + 162, 275, 0, 1, 1, 1, 1, false, false);
        std::snprintf(text, sizeof text, "SCORE : %d", score_);
        resources->getFont()->drawText(text, 25, x() + 164, 305, 0, 1, 1, 1, 1, false, false);
    }
    Dialog::draw();
    glPopMatrix();
    MenuScreen::finishFrame();
}

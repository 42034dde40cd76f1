#include "game/EnterNameDialog.h"

#include "audio/MusicPlaylist.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/EditBox.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

#include <algorithm>

namespace {
constexpr float fadeIn = 0.025f;
constexpr float nameFontSize = 28.0f;
} // namespace

EnterNameDialog::EnterNameDialog() : resources_(UiResources::instance()) {
    PropertyFile layoutFile;
    layout::load(layoutFile, "mui/entername_dlg.txt");
    Texture* okPicture = resources_ ? resources_->getTexture("m_ok_btn") : nullptr;
    okButton_ = new Button(this, okPicture);
    okButton_->loadPosition(layoutFile, "m_ok_btn");
    addWidget(okButton_);

    Texture* boxPicture = resources_ ? resources_->getTexture("m_enter_name_editbox") : nullptr;
    Font* font = resources_ ? resources_->getFont() : nullptr;
    nameBox_ = new EditBox(this, font, nameFontSize, boxPicture);
    nameBox_->setPosition(layout::number(layoutFile, "m_enter_name_box.x"),
                          layout::number(layoutFile, "m_enter_name_box.y"), 0);
    nameBox_->setMaxLength(maxNameLength);
    nameBox_->setFocused(true);
    addWidget(nameBox_);
}

EnterNameDialog::~EnterNameDialog() {
    delete okButton_;
    delete nameBox_;
}

std::string EnterNameDialog::name() const {
    return nameBox_->getText();
}

void EnterNameDialog::onCommand(Widget* widget) {
    Window::onCommand(widget);
    if (widget == okButton_) {
        setResult(0);
        if (Frame* frame = Frame::instance()) {
            frame->closeTop(false);
        }
    }
}

void EnterNameDialog::draw() {
    fade_ = std::min(fade_ + fadeIn, 1.0f);
    glPushMatrix();
    drawShade(0, 0, 0, std::min(fade_, 0.5f));
    Texture* back = resources_ ? resources_->getTexture("m_enter_name_dlg_back") : nullptr;
    if (back != nullptr && back->glName() != 0) {
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        back->bind();
        glColor4f(1, 1, 1, fade_);
        back->drawSized(x(), y(), 0, static_cast<float>(panelWidth()),
                        static_cast<float>(panelHeight()));
        glColor4f(1, 1, 1, 1);
    }
    Dialog::draw();
    glPopMatrix();
    MusicPlaylist::instance()->service();
    if (Cursor* cursor = Cursor::instance()) {
        cursor->draw();
    }
}

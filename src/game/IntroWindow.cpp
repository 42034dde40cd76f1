#include "game/IntroWindow.h"

#include "persist/ResourceManager.h"
#include "gfx/Texture.h"
#include "ui/Frame.h"
#include "ui/Setup2D.h"

#include <GL/gl.h>

IntroWindow::IntroWindow()
    : picture_(Texture::load(ResourceManager::get("main"), pictureName, false, false)) {}

IntroWindow::~IntroWindow() {
    delete picture_;
}

void IntroWindow::activate() {
    Window::activate();
    if (Frame* frame = Frame::instance())
        setup2D(frame->clientWidth(), frame->clientHeight(), frame->logicalWidth(),
                frame->logicalHeight());
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
}

void IntroWindow::draw() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (picture_) {
        picture_->bind();
        // A 1024-unit square centred on the 800 by 600 screen.
        Texture::drawRegion(-112, -212, 0, 1024, 1024, 0, 1, 0, 1);
    }
    Window::draw();
    glPopMatrix();
}

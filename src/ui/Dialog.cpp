#include "ui/Dialog.h"

#include "platform/Key.h"
#include "ui/Frame.h"

#include <GL/gl.h>

using platform::Key;

void Dialog::setShadeSize(int width, int height) {
    shadeWidth_ = width;
    shadeHeight_ = height;
}

void Dialog::setPosition(float x, float y, float z, float w) {
    x_ = x;
    y_ = y;
    z_ = z;
    w_ = w;
}

void Dialog::setPanelSize(int width, int height) {
    panelWidth_ = width;
    panelHeight_ = height;
}

platform::Point Dialog::toLocal(int x, int y) const {
    platform::Point p = toLogical(x, y);
    return platform::Point{p.x - static_cast<int>(x_), p.y - static_cast<int>(y_)};
}

bool Dialog::onMouseMove(int x, int y, unsigned flags) {
    platform::Point p = toLocal(x, y);
    return Window::onMouseMove(p.x, p.y, flags);
}

bool Dialog::onLButtonUp(int x, int y, unsigned flags) {
    platform::Point p = toLocal(x, y);
    return Window::onLButtonUp(p.x, p.y, flags);
}

bool Dialog::onLButtonDown(int x, int y, unsigned flags) {
    platform::Point p = toLocal(x, y);
    return Window::onLButtonDown(p.x, p.y, flags);
}

void Dialog::onKeyDown(int key) {
    Frame* app = Frame::instance();
    if (key == code(Key::Escape)) {
        setResult(1);
        if (app) {
            app->closeTop(false);
        }
    } else if (key == code(Key::Return)) {
        setResult(0);
        if (app) {
            app->closeTop(false);
        }
    }
    Window::onKeyDown(key);
}

void Dialog::draw() {
    glTranslatef(x_, y_, z_);
    Window::draw();
}

void Dialog::drawShade(float r, float g, float b, float a) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTranslatef(0, 0, 0.5f);
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(shadeWidth_, 0);
    glVertex2i(shadeWidth_, shadeHeight_);
    glVertex2i(0, shadeHeight_);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
}

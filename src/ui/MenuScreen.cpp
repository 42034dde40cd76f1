#include "ui/MenuScreen.h"

#include "audio/MusicPlaylist.h"
#include "gfx/Texture.h"
#include "persist/Settings.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/Setup2D.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

bool MenuScreen::onMouseMove(int x, int y, unsigned flags) {
    platform::Point p = toLogical(x, y);
    return Window::onMouseMove(p.x, p.y, flags);
}

bool MenuScreen::onLButtonUp(int x, int y, unsigned flags) {
    platform::Point p = toLogical(x, y);
    return Window::onLButtonUp(p.x, p.y, flags);
}

bool MenuScreen::onLButtonDown(int x, int y, unsigned flags) {
    platform::Point p = toLogical(x, y);
    return Window::onLButtonDown(p.x, p.y, flags);
}

void MenuScreen::setup2D() {
    if (Frame* frame = Frame::instance())
        ::setup2D(frame->clientWidth(), frame->clientHeight(), frame->logicalWidth(),
                  frame->logicalHeight());
}

void MenuScreen::clearFrame() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void MenuScreen::drawBackground(Texture* picture) {
    if (!picture)
        return;
    picture->bind();
    Texture::drawRegion(-112, -212, 0, 1024, 1024, 0, 1, 0, 1);
}

void MenuScreen::followDisplayMode() {
    Frame* frame = Frame::instance();
    setDraggable(!frame || !frame->isFullScreen());
}

Texture* MenuScreen::picture(const char* key) {
    UiResources* resources = UiResources::instance();
    return resources ? resources->getTexture(key) : nullptr;
}

void MenuScreen::finishFrame() {
    MusicPlaylist::instance()->service();
    if (Cursor* cursor = Cursor::instance())
        cursor->draw();
}

bool MenuScreen::isQuitKey(int key) {
    const Settings* settings = Settings::instance();
    return settings && key == settings->quitKey;
}

void MenuScreen::updateScreen(float elapsedMs, DragonFlock& dragons) {
    Window::update(elapsedMs);
    if (Cursor* cursor = Cursor::instance())
        cursor->update(elapsedMs);
    dragons.update(elapsedMs);
}

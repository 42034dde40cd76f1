#include "app/EmptyScreen.h"

#include "app/Application.h"
#include "platform/Key.h"

#include <GL/gl.h>

using platform::Key;

void EmptyScreen::onKeyDown(int key) {
    if (key == code(Key::Escape)) {
        if (Application* app = Application::instance()) {
            app->postCloseMessage();
        }
    }
    Window::onKeyDown(key);
}

void EmptyScreen::draw() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Window::draw();
}

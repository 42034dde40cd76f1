#include "app/View.h"

#include <GL/gl.h>

void View::setLogicalSize(int width, int height) {
    logicalWidth = width;
    logicalHeight = height;
}

void View::applyOrtho(float width, float height, bool flipY) {
    viewportWidth = width;
    viewportHeight = height;
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double bottom = flipY ? -static_cast<double>(logicalHeight) : logicalHeight;
    glOrtho(0, logicalWidth, bottom, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void View::setup2D(int width, int height) {
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_LIGHTING);
    applyOrtho(static_cast<float>(width), static_cast<float>(height), false);
}

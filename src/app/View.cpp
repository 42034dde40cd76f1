#include "app/View.h"

#include "ui/Setup2D.h"

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
    viewportWidth = static_cast<float>(width);
    viewportHeight = static_cast<float>(height);
    ::setup2D(width, height, logicalWidth, logicalHeight);
}

#include "ui/Setup2D.h"

#include "ui/Frame.h"

#include <GL/gl.h>

namespace {

void logicalProjection(int clientWidth, int clientHeight, float logicalWidth, float logicalHeight) {
    glViewport(0, 0, clientWidth, clientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, logicalWidth, logicalHeight, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace

void setup2D(int clientWidth, int clientHeight, int logicalWidth, int logicalHeight) {
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_LIGHTING);
    logicalProjection(clientWidth, clientHeight, static_cast<float>(logicalWidth),
                      static_cast<float>(logicalHeight));
}

void setUpLogicalScreen(float logicalWidth, float logicalHeight) {
    GLint viewport[4] = {0, 0, 0, 0};
    if (Frame* frame = Frame::instance()) {
        viewport[2] = frame->clientWidth();
        viewport[3] = frame->clientHeight();
    } else {
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    logicalProjection(viewport[2], viewport[3], logicalWidth, logicalHeight);
}

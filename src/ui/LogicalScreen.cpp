#include "ui/LogicalScreen.h"

#include "ui/Frame.h"

#include <GL/gl.h>

void setUpLogicalScreen(float logicalWidth, float logicalHeight) {
    if (Frame* frame = Frame::instance()) {
        glViewport(0, 0, frame->clientWidth(), frame->clientHeight());
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, logicalWidth, logicalHeight, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

#include "ui/Setup2D.h"

#include <GL/gl.h>

void setup2D(int clientWidth, int clientHeight, int logicalWidth, int logicalHeight) {
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_LIGHTING);
    glViewport(0, 0, clientWidth, clientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, logicalWidth, logicalHeight, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

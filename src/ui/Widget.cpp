#include "ui/Widget.h"

bool Widget::onMouseMove(int, int, unsigned) {
    return false;
}
bool Widget::onLButtonUp(int, int, unsigned) {
    return false;
}
bool Widget::onRButtonUp(int, int, unsigned) {
    return false;
}
bool Widget::onLButtonDown(int, int, unsigned) {
    return false;
}
void Widget::onKeyDown(int) {}
void Widget::onChar(unsigned short, int) {}
void Widget::update(float) {}
void Widget::draw() {}
void Widget::reset() {}

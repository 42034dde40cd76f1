#include "ui/Frame.h"

namespace {

Frame* theFrame = nullptr;

} // namespace

Frame* Frame::instance() {
    return theFrame;
}

void Frame::setInstance(Frame* frame) {
    theFrame = frame;
}

#pragma once

#include "platform/Geometry.h"

#include <vector>

namespace platform {

// The desktop rectangle of every screen, the primary one first; empty before
// the video system has started or when it cannot tell.
std::vector<Rect> screenRects();

} // namespace platform

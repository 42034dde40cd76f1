#include "audio/ChannelState.h"

#include <algorithm>

void ChannelState::addVolume(int delta) {
    volume = std::clamp(volume + delta, 0, 64);
}

void ChannelState::addPanning(int delta) {
    panning = std::clamp(panning + delta, 0, 255);
    flags |= panningFlag;
}

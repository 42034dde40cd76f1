#include "audio/EnvelopeState.h"

#include "audio/Envelope.h"

#include <algorithm>

void EnvelopeState::reset(int y) {
    position = 0;
    point = 0;
    value = y << 16;
    slope = 0;
    finished = false;
}

void EnvelopeState::step(const Envelope& e, bool keyOff) {
    if (finished || e.points <= 0) {
        return;
    }
    // ">=" rather than "==" so that a damaged envelope whose points do not
    // advance in x cannot slide its value forever.
    if (point < e.points && position >= e.x[point]) {
        if ((e.type & Envelope::loopOn) && point == e.loopEnd) {
            point = e.loopStart;
            position = e.x[point];
        }
        if (point >= e.points - 1) {
            value = e.y[e.points - 1] << 16;
            finished = true;
            return;
        }
        if ((e.type & Envelope::sustainOn) && point == e.sustain && !keyOff) {
            value = e.y[point] << 16;
            return;
        }
        const int dx = e.x[point + 1] - e.x[point];
        slope = dx > 0 ? (e.y[point + 1] - e.y[point]) * 65536 / dx : 0;
        value = e.y[point] << 16;
        ++point;
    } else {
        value += slope;
    }
    ++position;
}

void EnvelopeState::jumpTo(const Envelope& e, int x) {
    if (e.points <= 0) {
        return;
    }
    int i = 0;
    while (i + 1 < e.points && e.x[i + 1] <= x) {
        ++i;
    }
    position = x;
    finished = false;
    if (i == e.points - 1 || x <= e.x[i]) {
        // Exactly on a point (or past the last one): the next step takes it.
        point = i;
        value = e.y[i] << 16;
        slope = 0;
        return;
    }
    const int dx = e.x[i + 1] - e.x[i];
    slope = dx > 0 ? (e.y[i + 1] - e.y[i]) * 65536 / dx : 0;
    value = (e.y[i] << 16) + slope * (x - e.x[i] - 1);
    point = i + 1;
}

int EnvelopeState::output() const {
    return std::clamp(value / 65536, 0, 64);
}

#include "Harmony.h"

#include <cstdlib>

namespace {
int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int mod(int a, int b) {
    return ((a % b) + b) % b;
}
} // namespace

Harmony::Harmony(int tonic, Mode mode) : tonic_(tonic), mode_(mode) {
    static const std::array<int, 7> scales[] = {
        {0, 2, 4, 5, 7, 9, 11}, // major
        {0, 2, 3, 5, 7, 8, 10}, // natural minor
        {0, 2, 3, 5, 7, 9, 10}, // dorian
        {0, 2, 4, 5, 7, 9, 10}, // mixolydian
        {0, 2, 3, 5, 7, 8, 11}, // harmonic minor
        {0, 2, 4, 6, 7, 9, 11}, // lydian
    };
    steps_ = scales[static_cast<int>(mode)];
}

int Harmony::degreeNote(int degree, int octave) const {
    const int base = mod(tonic_, 12) + 12 * octave;
    return base + 12 * floorDiv(degree, 7) + steps_[mod(degree, 7)];
}

int Harmony::degreeOf(int note) const {
    const int pc = mod(note - tonic_, 12);
    for (int d = 0; d < 7; ++d) {
        if (steps_[d] == pc) {
            return d;
        }
    }
    return -1;
}

bool Harmony::inScale(int note) const {
    return degreeOf(note) >= 0;
}

int Harmony::snapToScale(int note) const {
    for (int delta : {0, -1, 1, -2, 2}) {
        if (inScale(note + delta)) {
            return note + delta;
        }
    }
    return note;
}

int Harmony::stepFrom(int note, int steps) const {
    int n = snapToScale(note);
    const int dir = steps > 0 ? 1 : -1;
    for (int k = 0; k != steps; k += dir) {
        do {
            n += dir;
        } while (!inScale(n));
    }
    return n;
}

std::array<int, 3> Harmony::triad(int degree) const {
    std::array<int, 3> pcs{};
    for (int k = 0; k < 3; ++k) {
        pcs[k] = mod(degreeNote(degree + 2 * k, 0), 12);
    }
    return pcs;
}

bool Harmony::inChord(int note, int degree) const {
    for (int pc : triad(degree)) {
        if (mod(note, 12) == pc) {
            return true;
        }
    }
    return false;
}

int Harmony::nearestOfClass(int note, int pc) {
    const int up = mod(pc - note, 12);
    return up <= 6 ? note + up : note + up - 12;
}

int Harmony::nearestChordTone(int note, int degree) const {
    int best = note, bestDistance = 99;
    for (int pc : triad(degree)) {
        int candidate = nearestOfClass(note, pc);
        int distance = std::abs(candidate - note);
        if (distance < bestDistance || (distance == bestDistance && candidate > best)) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

int Harmony::arpeggio(int degree) const {
    const auto t = triad(degree);
    return mod(t[1] - t[0], 12) << 4 | mod(t[2] - t[0], 12);
}

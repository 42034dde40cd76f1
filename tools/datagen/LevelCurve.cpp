#include "LevelDesign.h"

#include <algorithm>
#include <cmath>

int LevelDesign::coloursFor(int number) {
    if (number <= 12) {
        return 4;
    }
    if (number <= 40) {
        return 5;
    }
    return number <= 78 ? 6 : 7;
}

namespace {
double progress(int number) {
    return (number - 1) / double(LevelDesign::levelCount - 1);
}
} // namespace

int LevelDesign::fillPercentFor(int number) {
    // A new colour is a big step, so the starting balls ease off for a
    // stretch after one and then climb again.
    int ease = 0;
    for (int step = 2; step <= number; ++step) {
        if (coloursFor(step) != coloursFor(step - 1)) {
            ease = std::max(0, 10 - (number - step) * 2 / 5);
        }
    }
    return std::max(2, 4 + static_cast<int>(std::lround(26.0 * progress(number))) - ease);
}

int LevelDesign::jokerPercentFor(int number) {
    return 15 - static_cast<int>(std::lround(13.0 * progress(number)));
}

int LevelDesign::lockedCountFor(int number) {
    return number < 16 ? 0 : std::min(18, 3 * ((number - 16) / 16 + 1));
}

int LevelDesign::targetWorkFor(int number) {
    // Rises quickly at first and levels off where the board runs out of room.
    double rise = 1.0 - std::pow(1.0 - progress(number), 1.6);
    return static_cast<int>(std::lround(108.0 + 132.0 * rise));
}

int LevelDesign::workOf(const std::string& map) {
    int work = 0;
    for (char ch : map) {
        work += ch == '0' ? 2 : ch == '1' ? 1 : ch == '4' ? 3 : 0;
    }
    return work;
}

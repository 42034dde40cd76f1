#include "board/Shake.h"

#include "platform/Random.h"

void Shake::raise(int n) {
    while (static_cast<int>(offsets_.size()) < n) {
        if (offsets_.size() % 2 == 1) {
            Point last = offsets_.back();
            offsets_.push_back({-last.x, -last.y});
        } else {
            float x = static_cast<float>(Random::rand() % 4 - 2);
            float y = static_cast<float>(Random::rand() % 4 - 2);
            offsets_.push_back({x, y});
        }
    }
}

void Shake::update() {
    if (offsets_.empty()) {
        return;
    }
    if (--hold_ < 0) {
        offsets_.pop_front();
        hold_ = 2;
    }
}

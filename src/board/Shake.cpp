#include "board/Shake.h"

#include "platform/Random.h"

void Shake::raise(int n) {
    while (static_cast<int>(m_offsets.size()) < n) {
        if (m_offsets.size() % 2 == 1) {
            Point last = m_offsets.back();
            m_offsets.push_back({-last.x, -last.y});
        } else {
            float x = static_cast<float>(Random::rand() % 4 - 2);
            float y = static_cast<float>(Random::rand() % 4 - 2);
            m_offsets.push_back({x, y});
        }
    }
}

void Shake::update() {
    if (m_offsets.empty()) {
        return;
    }
    if (--m_hold < 0) {
        m_offsets.pop_front();
        m_hold = 2;
    }
}

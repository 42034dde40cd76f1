#include "audio/Voice.h"

#include "audio/Sample.h"

#include <algorithm>

namespace {
constexpr float levelScale = 1.0f / 255.0f;
constexpr float fractionScale = 1.0f / 2147483648.0f;
} // namespace

void Voice::startRampIfNeeded() {
    if (targetLeft == previousTargetLeft && targetRight == previousTargetRight) {
        return;
    }
    previousTargetLeft = targetLeft;
    previousTargetRight = targetRight;
    incrementLeft = (targetLeft - levelLeft) / rampSamples;
    incrementRight = (targetRight - levelRight) / rampSamples;
    rampLeft = rampSamples;
}

bool Voice::wrap(std::int64_t& pos) {
    if (sample->loopType == Sample::noLoop) {
        return false;
    }
    const std::int64_t start = static_cast<std::int64_t>(sample->loopStart) << 32;
    const std::int64_t length = static_cast<std::int64_t>(sample->loopLength) << 32;
    if (sample->loopType == Sample::forwardLoop) {
        pos = start + (pos - start) % length;
        return true;
    }
    // Ping-pong: unfold the bouncing into a straight run over twice the loop.
    std::int64_t u = direction == forward ? pos - start : 2 * length - (pos - start);
    u %= 2 * length;
    if (u < 0) {
        u += 2 * length;
    }
    if (u < length) {
        direction = forward;
        pos = start + u;
    } else {
        direction = backward;
        pos = start + (2 * length - u);
    }
    return true;
}

void Voice::mixStretch(float* out, int frames, std::int64_t& pos, std::int64_t delta) {
    const std::int16_t* data = sample->data.data();
    int i = 0;
    for (; i < frames && rampLeft > 0; ++i) {
        const auto index = static_cast<std::size_t>(pos >> 32);
        const float s0 = data[index];
        const float s = s0 + (data[index + 1] - s0) *
                                 static_cast<float>(static_cast<std::uint32_t>(pos) >> 1) *
                                 fractionScale;
        out[2 * i] += s * levelLeft * levelScale;
        out[2 * i + 1] += s * levelRight * levelScale;
        levelLeft += incrementLeft;
        levelRight += incrementRight;
        if (--rampLeft == 0) {
            levelLeft = targetLeft;
            levelRight = targetRight;
        }
        pos += delta;
    }
    const float left = levelLeft * levelScale;
    const float right = levelRight * levelScale;
    for (; i < frames; ++i) {
        const auto index = static_cast<std::size_t>(pos >> 32);
        const float s0 = data[index];
        const float s = s0 + (data[index + 1] - s0) *
                                 static_cast<float>(static_cast<std::uint32_t>(pos) >> 1) *
                                 fractionScale;
        out[2 * i] += s * left;
        out[2 * i + 1] += s * right;
        pos += delta;
    }
}

bool Voice::settle(std::int64_t& pos, std::int64_t start, std::int64_t end) {
    if (direction == forward ? pos >= end : pos <= start) {
        if (!wrap(pos)) {
            sample = nullptr;
            return false;
        }
    }
    return true;
}

void Voice::mix(float* out, int frames) {
    if (sample == nullptr) {
        return;
    }
    startRampIfNeeded();
    std::int64_t pos = (static_cast<std::int64_t>(position) << 32) | fraction;
    const std::int64_t start = static_cast<std::int64_t>(sample->loopStart) << 32;
    const std::int64_t end = static_cast<std::int64_t>(sample->loopEnd()) << 32;
    // Stretches up to the next loop or sample end, or the end of the request.
    while (frames > 0 && settle(pos, start, end)) {
        const std::int64_t distance = direction == forward ? end - pos : pos - start;
        int n = frames;
        if (step > 0) {
            n = static_cast<int>(std::min<std::int64_t>((distance + step - 1) / step, frames));
        }
        mixStretch(out, n, pos, direction == forward ? step : -step);
        out += 2 * n;
        frames -= n;
    }
    if (sample == nullptr || !settle(pos, start, end)) {
        return;
    }
    position = static_cast<std::uint32_t>(pos >> 32);
    fraction = static_cast<std::uint32_t>(pos);
    if (fading && rampLeft == 0 && levelLeft == 0 && levelRight == 0) {
        sample = nullptr;
    }
}

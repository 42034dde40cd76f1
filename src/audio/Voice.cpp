#include "audio/Voice.h"

#include "audio/Sample.h"
#include "audio/StereoMixer.h"

#include <algorithm>

namespace {
constexpr float levelScale = 1.0f / 255.0f;
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

bool Voice::isSilent() const {
    return rampLeft == 0 && levelLeft == 0 && levelRight == 0;
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
    std::int64_t u = direction == Direction::Forward ? pos - start : 2 * length - (pos - start);
    u %= 2 * length;
    if (u < 0) {
        u += 2 * length;
    }
    if (u < length) {
        direction = Direction::Forward;
        pos = start + u;
    } else {
        direction = Direction::Backward;
        pos = start + (2 * length - u);
    }
    return true;
}

void Voice::mixStretch(float* out, int frames, std::int64_t& pos, std::int64_t delta) {
    const std::int16_t* data = sample->data.data();
    // The ramp is a short stretch of its own, so the long steady run keeps
    // its gains.
    const int ramped = std::min(frames, rampLeft);
    if (ramped > 0) {
        const StereoMixer::Gains gains = {levelLeft * levelScale, levelRight * levelScale,
                                          incrementLeft * levelScale, incrementRight * levelScale};
        StereoMixer::addInterpolated(out, ramped, data, pos, delta, gains);
        rampLeft -= ramped;
        levelLeft += static_cast<float>(ramped) * incrementLeft;
        levelRight += static_cast<float>(ramped) * incrementRight;
        if (rampLeft == 0) {
            levelLeft = targetLeft;
            levelRight = targetRight;
        }
    }
    const StereoMixer::Gains gains = {levelLeft * levelScale, levelRight * levelScale, 0, 0};
    StereoMixer::addInterpolated(out + 2 * ramped, frames - ramped, data, pos, delta, gains);
}

bool Voice::settle(std::int64_t& pos, std::int64_t start, std::int64_t end) {
    if (direction == Direction::Forward ? pos >= end : pos <= start) {
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
    // A silent voice only moves on through its sample.
    const bool silent = isSilent();
    std::int64_t pos = (static_cast<std::int64_t>(position) << 32) | fraction;
    const std::int64_t start = static_cast<std::int64_t>(sample->loopStart) << 32;
    const std::int64_t end = static_cast<std::int64_t>(sample->loopEnd()) << 32;
    // Stretches up to the next loop or sample end, or the end of the request.
    while (frames > 0 && settle(pos, start, end)) {
        const bool ahead = direction == Direction::Forward;
        const std::int64_t distance = ahead ? end - pos : pos - start;
        int n = frames;
        if (step > 0) {
            n = static_cast<int>(std::min<std::int64_t>((distance + step - 1) / step, frames));
        }
        const std::int64_t delta = ahead ? step : -step;
        if (silent) {
            pos += n * delta;
        } else {
            mixStretch(out, n, pos, delta);
        }
        out += 2 * n;
        frames -= n;
    }
    if (sample == nullptr || !settle(pos, start, end)) {
        return;
    }
    position = static_cast<std::uint32_t>(pos >> 32);
    fraction = static_cast<std::uint32_t>(pos);
    if (fading && isSilent()) {
        sample = nullptr;
    }
}

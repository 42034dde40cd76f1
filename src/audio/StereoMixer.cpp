#include "audio/StereoMixer.h"

#include <algorithm>
#include <bit>
#include <cstring>

// The vectors below live only inside this file's inlined helpers, so the
// note that their passing would differ between AVX and plain builds does not
// apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

static_assert(std::endian::native == std::endian::little,
              "two neighbouring samples are read as one word, the first in its low half");

constexpr float fractionScale = 1.0f / 2147483648.0f;

// The compiler's portable vector types: 4 lanes fill the SSE or NEON
// registers every 64-bit processor has, 8 fill those of AVX2.
template <int lanes> struct Vectors;
template <> struct Vectors<4> {
    using Floats = float __attribute__((vector_size(16)));
    using Ints = std::int32_t __attribute__((vector_size(16)));
    using Words = std::uint32_t __attribute__((vector_size(16)));
};
template <> struct Vectors<8> {
    using Floats = float __attribute__((vector_size(32)));
    using Ints = std::int32_t __attribute__((vector_size(32)));
    using Words = std::uint32_t __attribute__((vector_size(32)));
};

// Mixing `lanes` frames at a time.
template <int lanes> struct Run {
    using Floats = typename Vectors<lanes>::Floats;
    using Ints = typename Vectors<lanes>::Ints;
    using Words = typename Vectors<lanes>::Words;

    __attribute__((always_inline)) static Floats load(const float* p) {
        Floats v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }

    __attribute__((always_inline)) static void store(float* p, Floats v) {
        std::memcpy(p, &v, sizeof v);
    }

    // The sample at a 32.32 position and the one after it.
    __attribute__((always_inline)) static std::int32_t pairAt(const std::int16_t* data,
                                                              std::int64_t pos) {
        std::int32_t pair;
        std::memcpy(&pair, data + (pos >> 32), sizeof pair);
        return pair;
    }

    // 0, 0, 1, 1, 2, 2, ...: the frame of each value of the stereo output.
    __attribute__((always_inline)) static Floats frameOfValue() {
        Floats v{};
        for (int k = 0; k < lanes; ++k) {
            v[k] = static_cast<float>(k / 2);
        }
        return v;
    }

    // Interpolates the pairs at their fractions and adds the frames to out,
    // the first half at the gains in low, the second half at those in high.
    __attribute__((always_inline)) static void add(float* out, Ints pairs, Words fractions,
                                                   Floats low, Floats high) {
        const Floats s0 = __builtin_convertvector((Ints)((Words)pairs << 16) >> 16, Floats);
        const Floats s1 = __builtin_convertvector(pairs >> 16, Floats);
        const Floats f = __builtin_convertvector((Ints)(fractions >> 1), Floats) * fractionScale;
        const Floats s = s0 + (s1 - s0) * f;
        if constexpr (lanes == 4) {
            store(out, load(out) + __builtin_shufflevector(s, s, 0, 0, 1, 1) * low);
            store(out + 4, load(out + 4) + __builtin_shufflevector(s, s, 2, 2, 3, 3) * high);
        } else {
            static_assert(lanes == 8);
            store(out, load(out) + __builtin_shufflevector(s, s, 0, 0, 1, 1, 2, 2, 3, 3) * low);
            store(out + 8,
                  load(out + 8) + __builtin_shufflevector(s, s, 4, 4, 5, 5, 6, 6, 7, 7) * high);
        }
    }

    // A ramp moves the gains on every frame; the steady run keeps them.
    template <bool ramp>
    __attribute__((always_inline)) static void mix(float* out, int frames, const std::int16_t* data,
                                                   std::int64_t& position, std::int64_t delta,
                                                   const StereoMixer::Gains& g) {
        // A local position: the stores to out could otherwise reach it.
        std::int64_t pos = position;
        const auto d = static_cast<std::uint32_t>(delta);
        Words fractions{};
        Ints pairs{};
        for (int k = 0; k < lanes; ++k) {
            fractions[k] = static_cast<std::uint32_t>(pos) + static_cast<std::uint32_t>(k) * d;
        }
        Floats step{};
        Floats low{};
        for (int k = 0; k < lanes; k += 2) {
            step[k] = g.stepLeft;
            step[k + 1] = g.stepRight;
            low[k] = g.left;
            low[k + 1] = g.right;
        }
        low += step * frameOfValue();
        Floats high = low + (lanes / 2) * step;
        int i = 0;
        for (; i + lanes <= frames; i += lanes) {
#pragma GCC unroll 8
            for (int k = 0; k < lanes; ++k) {
                pairs[k] = pairAt(data, pos + k * delta);
            }
            add(out + 2 * i, pairs, fractions, low, high);
            pos += lanes * delta;
            fractions += lanes * d;
            if constexpr (ramp) {
                low += lanes * step;
                high += lanes * step;
            }
        }
        const int rest = frames - i;
        if (rest > 0) {
            // The lanes past the end repeat the last frame and are dropped.
            for (int k = 0; k < lanes; ++k) {
                pairs[k] = pairAt(data, pos + std::min(k, rest - 1) * delta);
            }
            float tail[2 * lanes] = {};
            std::copy(out + 2 * i, out + 2 * frames, tail);
            add(tail, pairs, fractions, low, high);
            std::copy(tail, tail + 2 * rest, out + 2 * i);
            pos += rest * delta;
        }
        position = pos;
    }
};

bool isRamp(const StereoMixer::Gains& g) {
    return g.stepLeft != 0 || g.stepRight != 0;
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void mixWide(float* out, int frames, const std::int16_t* data,
                                             std::int64_t& pos, std::int64_t delta,
                                             const StereoMixer::Gains& g) {
    if (isRamp(g)) {
        Run<8>::mix<true>(out, frames, data, pos, delta, g);
    } else {
        Run<8>::mix<false>(out, frames, data, pos, delta, g);
    }
}

bool hasAvx2() {
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return avx2;
}
#endif

bool wideAllowed = true;

} // namespace

void StereoMixer::addInterpolated(float* out, int frames, const std::int16_t* data,
                                  std::int64_t& pos, std::int64_t delta, const Gains& gains) {
#if defined(__x86_64__) || defined(__i386__)
    if (wideAllowed && hasAvx2()) {
        mixWide(out, frames, data, pos, delta, gains);
        return;
    }
#endif
    if (isRamp(gains)) {
        Run<4>::mix<true>(out, frames, data, pos, delta, gains);
    } else {
        Run<4>::mix<false>(out, frames, data, pos, delta, gains);
    }
}

void StereoMixer::allowWideVectors(bool allowed) {
    wideAllowed = allowed;
}

void StereoMixer::toSixteenBits(const float* in, std::int16_t* out, int count) {
    using Floats = Run<4>::Floats;
    using Ints = Run<4>::Ints;
    // Adding 1.5 x 2^23 leaves the rounded whole number in the low bits of
    // the float, rounded to even as lrint does.
    constexpr float magic = 12582912.0f;
    constexpr std::int32_t magicBits = 0x4B400000;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        Floats x = Run<4>::load(in + i);
        x = x < -32768.0f ? -32768.0f : x;
        x = x > 32767.0f ? 32767.0f : x;
        const Ints v = (Ints)(x + magic) - magicBits;
        for (int k = 0; k < 4; ++k) {
            out[i + k] = static_cast<std::int16_t>(v[k]);
        }
    }
    for (; i < count; ++i) {
        const float x = std::clamp(in[i], -32768.0f, 32767.0f);
        out[i] = static_cast<std::int16_t>(std::bit_cast<std::int32_t>(x + magic) - magicBits);
    }
}

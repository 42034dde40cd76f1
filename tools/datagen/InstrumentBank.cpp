#include "InstrumentBank.h"

#include "Biquad.h"
#include "SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr double c4Frequency = 261.6256;
constexpr double baseRate = 8363.0; // playback rate of an untransposed C-4
constexpr double drumRate = 22050.0;
using Shape = Biquad::Shape;

// Scales to 16-bit with the loudest sample at 90 % of full scale.
std::vector<int> toPcm(const std::vector<double>& wave) {
    double peak = 1e-9;
    for (double v : wave) {
        peak = std::max(peak, std::abs(v));
    }
    std::vector<int> pcm;
    pcm.reserve(wave.size());
    for (double v : wave) {
        pcm.push_back(static_cast<int>(std::lround(v / peak * 29500.0)));
    }
    return pcm;
}

// `cycles` periods in `length` samples of a sum of harmonics (amplitude by
// harmonic number), so the loop joins without a seam.
std::vector<double> harmonics(int length, int cycles, int count,
                              const std::function<double(int)>& amplitude, double phaseSeed) {
    std::vector<double> w(length, 0.0);
    for (int h = 1; h <= count; ++h) {
        double a = amplitude(h);
        if (a == 0.0) {
            continue;
        }
        double phase = std::fmod(phaseSeed * h * 1.618, 1.0) * 2.0 * M_PI;
        for (int i = 0; i < length; ++i) {
            w[i] += a * std::sin(2.0 * M_PI * h * cycles * i / length + phase);
        }
    }
    return w;
}

xm::Envelope envelope(std::vector<std::pair<int, int>> points, int sustain = -1) {
    xm::Envelope e;
    e.enabled = true;
    e.points = std::move(points);
    e.sustain = sustain;
    return e;
}

xm::Instrument instrument(const char* name, xm::Sample sample, xm::Envelope volume, int fadeout) {
    xm::Instrument ins;
    ins.name = name;
    sample.name = name;
    ins.samples.push_back(std::move(sample));
    ins.noteMap.fill(0);
    ins.volumeEnvelope = std::move(volume);
    ins.fadeout = fadeout;
    return ins;
}

xm::Sample looped(std::vector<double> wave, double period) {
    xm::Sample s;
    s.bits = 16;
    s.pcm = toPcm(wave);
    s.loop = xm::Sample::Loop::Forward;
    s.loopStart = 0;
    s.loopLength = static_cast<int>(s.pcm.size());
    InstrumentBank::tune(s, period);
    return s;
}

xm::Sample oneShot(std::vector<double> wave, double period) {
    xm::Sample s;
    s.bits = 16;
    // A few samples of silence at the end so the voice stops at rest.
    wave.insert(wave.end(), 16, 0.0);
    s.pcm = toPcm(wave);
    InstrumentBank::tune(s, period);
    return s;
}

double decay(double t, double attack, double tau) {
    return (t < attack ? t / attack : 1.0) * std::exp(-std::max(0.0, t - attack) / tau);
}

std::vector<double> drum(double seconds, const std::function<double(double, SeededRandom&)>& f,
                         std::uint64_t seed) {
    SeededRandom rnd(seed);
    std::vector<double> w(static_cast<size_t>(seconds * drumRate));
    for (size_t i = 0; i < w.size(); ++i) {
        w[i] = f(i / drumRate, rnd);
    }
    // Fade the last 5 ms so the hit ends at rest.
    const size_t tail = std::min<size_t>(w.size(), 110);
    for (size_t i = 0; i < tail; ++i) {
        w[w.size() - 1 - i] *= i / double(tail);
    }
    return w;
}

// A sine sweeping from `high` down toward `low` Hz.
std::function<double(double, SeededRandom&)> sweep(double low, double high, double fall,
                                                   double tau) {
    auto phase = std::make_shared<double>(0.0);
    return [=](double t, SeededRandom&) {
        double f = low + (high - low) * std::exp(-t / fall);
        *phase += 2.0 * M_PI * f / drumRate;
        return std::sin(*phase) * decay(t, 0.001, tau);
    };
}

// A drum whose body is a falling sine, with a click of noise on its front.
xm::Instrument sweptDrum(const char* name, double low, double high, double fall, double tau,
                         double click, double clickTau, double seconds, std::uint64_t seed) {
    auto body = sweep(low, high, fall, tau);
    auto w = drum(
        seconds,
        [&](double s, SeededRandom& r) {
            return body(s, r) + click * r.signedUnit() * decay(s, 0.0002, clickTau);
        },
        seed);
    xm::Sample sample = oneShot(w, drumRate / c4Frequency);
    return instrument(name, std::move(sample), envelope({{0, 64}, {50, 0}}), 1024);
}

} // namespace

void InstrumentBank::tune(xm::Sample& sample, double periodSamples) {
    const double semis = 12.0 * std::log2(c4Frequency * periodSamples / baseRate);
    const int rel = static_cast<int>(std::lround(semis));
    sample.relativeNote = rel;
    sample.finetune = std::clamp(static_cast<int>(std::lround((semis - rel) * 128.0)), -128, 127);
}

std::vector<xm::Instrument> InstrumentBank::make(const Timbre& t) {
    SeededRandom rnd(t.seed);
    std::vector<xm::Instrument> bank;
    xm::Instrument echo;
    const double bright = std::clamp(t.brightness, 0.0, 1.0);

    // Lead: a soft, slightly hollow tone (odd harmonics stronger), ten
    // harmonics at most so high notes stay clean; a gentle delayed vibrato.
    {
        const double tilt = 2.1 - bright * 0.8;
        auto w = harmonics(
            64, 1, 10, [&](int h) { return (h % 2 ? 1.0 : 0.45) / std::pow(h, tilt); }, rnd.unit());
        auto ins = instrument("lead", looped(w, 64),
                              envelope({{0, 0}, {2, 64}, {10, 50}, {40, 0}}, 2), 1024);
        ins.vibratoType = 0;
        ins.vibratoSweep = 48;
        ins.vibratoDepth = 3;
        ins.vibratoRate = 22;
        ins.samples[0].panning = 0x98;
        bank.push_back(ins);
        ins.name = ins.samples[0].name = "lead echo";
        ins.samples[0].panning = 0x48;
        echo = std::move(ins);
    }
    // Second lead: a bell of stretched partials, or a plucked string.
    if (t.bellLead) {
        const double ratio[] = {1.0, 2.0, 3.01, 4.21, 5.43, 6.79};
        const double gain[] = {1.0, 0.55, 0.35, 0.22, 0.12, 0.08};
        const double tau[] = {1.4, 0.8, 0.5, 0.3, 0.2, 0.12};
        const double period = 32.0;
        const double rate = baseRate * 2.0; // its playback rate around C-5
        std::vector<double> w(24000, 0.0);
        for (int p = 0; p < 6; ++p) {
            for (size_t i = 0; i < w.size(); ++i) {
                double secs = i / rate;
                w[i] += gain[p] * std::sin(2.0 * M_PI * ratio[p] * i / period) *
                        decay(secs, 0.002, tau[p]);
            }
        }
        bank.push_back(instrument("bell", oneShot(w, period),
                                  envelope({{0, 64}, {30, 40}, {120, 12}, {200, 0}}), 512));
    } else {
        // Karplus-Strong: a burst of noise circulating through a soft
        // averaging delay line.
        const int delay = 32;
        std::vector<double> line(delay);
        for (double& v : line) {
            v = rnd.signedUnit();
        }
        std::vector<double> w(20000);
        const double damping = 0.996 - 0.004 * (1.0 - bright);
        for (size_t i = 0; i < w.size(); ++i) {
            double a = line[i % delay];
            double b = line[(i + 1) % delay];
            w[i] = a;
            line[i % delay] = damping * 0.5 * (a + b);
        }
        bank.push_back(instrument("pluck", oneShot(w, delay + 0.5),
                                  envelope({{0, 64}, {40, 44}, {140, 10}, {220, 0}}), 512));
    }
    // Pad: three detuned saws with their tops rolled off, many periods long
    // so the chorus drifts through the loop.
    {
        const int cycles = 256, length = 64 * cycles;
        const int spread = 1 + static_cast<int>(std::lround(t.detune * 2.0));
        const double roll = 5.0 + 9.0 * bright;
        std::vector<double> w(length, 0.0);
        for (int voice = -1; voice <= 1; ++voice) {
            auto part = harmonics(
                length, cycles + voice * spread, 18, [&](int h) { return std::exp(-h / roll) / h; },
                rnd.unit());
            for (int i = 0; i < length; ++i) {
                w[i] += part[i];
            }
        }
        bank.push_back(instrument("pad", looped(w, 64),
                                  envelope({{0, 0}, {20, 64}, {36, 54}, {90, 0}}, 2), 400));
    }
    // Bass: a round saw with a little square in it.
    {
        const double roll = 7.0 + 10.0 * bright;
        auto w = harmonics(
            128, 1, 40, [&](int h) { return std::exp(-h / roll) * (h % 2 ? 1.2 : 0.8) / h; },
            rnd.unit());
        bank.push_back(instrument("bass", looped(w, 128),
                                  envelope({{0, 64}, {8, 50}, {24, 42}, {32, 0}}, 2), 2048));
    }
    // Chip: a band-limited pulse for arpeggios, plucky.
    {
        const double pw = std::clamp(t.pulseWidth, 0.1, 0.5);
        auto w = harmonics(
            64, 1, 12, [&](int h) { return std::sin(M_PI * h * pw) / h; }, 0.0);
        bank.push_back(instrument("chip", looped(w, 64),
                                  envelope({{0, 64}, {4, 44}, {16, 22}, {44, 0}}), 1024));
    }
    const double drumPeriod = drumRate / c4Frequency;
    // Kick: a falling sine with a click on top.
    bank.push_back(sweptDrum("kick", 46, 150, 0.035, 0.16, 0.35, 0.003, 0.38, t.seed + 6));
    // Snare: rattling noise over a short tone.
    {
        Biquad bp(Shape::BandPass, 2200, 0.6, drumRate);
        auto tone = sweep(180, 230, 0.02, 0.05);
        auto w = drum(
            0.28,
            [&](double s, SeededRandom& r) {
                return 0.9 * bp.process(r.signedUnit()) * 2.2 * decay(s, 0.0005, 0.085) +
                       0.6 * tone(s, r);
            },
            t.seed + 7);
        bank.push_back(
            instrument("snare", oneShot(w, drumPeriod), envelope({{0, 64}, {40, 0}}), 1024));
    }
    // Hats: high noise, short and open.
    for (int open = 0; open < 2; ++open) {
        Biquad hp(Shape::HighPass, 7000, 0.7, drumRate);
        Biquad peak(Shape::Peak, 9500, 2.0, drumRate, 6.0);
        const double tau = open ? 0.13 : 0.018;
        auto w = drum(
            open ? 0.42 : 0.08,
            [&](double s, SeededRandom& r) {
                return peak.process(hp.process(r.signedUnit())) * decay(s, 0.0005, tau);
            },
            t.seed + 8 + open);
        bank.push_back(instrument(open ? "open hat" : "hat", oneShot(w, drumPeriod),
                                  envelope({{0, 64}, {open ? 40 : 10, 0}}), 1024));
    }
    // Crash: a long wash of bright noise.
    {
        Biquad hp(Shape::HighPass, 3500, 0.6, drumRate);
        Biquad ring(Shape::Peak, 5200, 3.0, drumRate, 8.0);
        auto w = drum(
            1.4,
            [&](double s, SeededRandom& r) {
                return ring.process(hp.process(r.signedUnit())) * decay(s, 0.002, 0.45);
            },
            t.seed + 10);
        bank.push_back(
            instrument("crash", oneShot(w, drumPeriod), envelope({{0, 64}, {120, 0}}), 256));
    }
    // Tom: a pitched drum for fills.
    bank.push_back(sweptDrum("tom", 140, 185, 0.05, 0.17, 0.15, 0.01, 0.4, t.seed + 11));
    bank.push_back(std::move(echo));
    return bank;
}

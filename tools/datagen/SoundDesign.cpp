#include "SoundDesign.h"

#include "Biquad.h"
#include "SeededRandom.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRate = SoundDesign::rate;
using Shape = Biquad::Shape;

std::vector<double> silence(double seconds) {
    return std::vector<double>(static_cast<size_t>(seconds * kRate), 0.0);
}

double decay(double t, double attack, double tau) {
    if (t < 0) {
        return 0;
    }
    return (t < attack ? t / attack : 1.0) * std::exp(-std::max(0.0, t - attack) / tau);
}

// A sine whose frequency follows f(t); returns samples of amplitude `gain`
// shaped by e(t), added into `out` from `start` seconds.
template <typename Freq, typename Env>
void addTone(std::vector<double>& out, double start, double gain, Freq f, Env e) {
    double phase = 0;
    for (size_t i = static_cast<size_t>(start * kRate); i < out.size(); ++i) {
        double t = i / kRate - start;
        out[i] += gain * e(t) * std::sin(phase);
        phase += 2.0 * M_PI * f(t) / kRate;
    }
}

// Filtered noise shaped by a struck envelope (attack, decay), added in.
void addBurst(std::vector<double>& out, SeededRandom& rnd, Biquad filter, double gain,
              double attack, double tau) {
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += gain * decay(i / kRate, attack, tau) * filter.process(rnd.signedUnit());
    }
}

// Brings the loudest 50 ms to the common level, rounds peaks off softly
// below the ceiling and makes sure the sound starts and ends at rest.
std::vector<float> finish(std::vector<double> s) {
    const size_t fadeIn = std::min<size_t>(s.size(), 22);
    for (size_t i = 0; i < fadeIn; ++i) {
        s[i] *= i / double(fadeIn);
    }
    const size_t fadeOut = std::min<size_t>(s.size(), static_cast<size_t>(0.006 * kRate));
    for (size_t i = 0; i < fadeOut; ++i) {
        s[s.size() - 1 - i] *= i / double(fadeOut);
    }
    std::vector<float> f(s.begin(), s.end());
    const double gain = SoundDesign::loudness / SoundDesign::loudestRms(f);
    const double knee = 0.7, room = SoundDesign::ceiling - knee;
    for (size_t i = 0; i < s.size(); ++i) {
        double v = s[i] * gain;
        double a = std::abs(v);
        if (a > knee) {
            a = knee + room * std::tanh((a - knee) / room);
        }
        f[i] = static_cast<float>(v < 0 ? -a : a);
    }
    return f;
}

} // namespace

double SoundDesign::loudestRms(const std::vector<float>& samples, double seconds) {
    const size_t window = std::max<size_t>(1, static_cast<size_t>(seconds * rate));
    double sum = 0, best = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += double(samples[i]) * samples[i];
        if (i >= window) {
            sum -= double(samples[i - window]) * samples[i - window];
        }
        if (i + 1 >= window) {
            best = std::max(best, std::sqrt(std::max(0.0, sum) / window));
        }
    }
    // A sound shorter than the window counts over the window all the same.
    return samples.size() < window ? std::sqrt(std::max(0.0, sum) / window) : best;
}

// A crack of bright noise, then shards ringing at high, unrelated pitches and
// a few late fragments tinkling down.
std::vector<float> SoundDesign::glassBreaking() {
    SeededRandom rnd(101);
    auto s = silence(0.8);
    addBurst(s, rnd, Biquad(Shape::HighPass, 2600, 0.7, kRate), 0.9, 0.0005, 0.014);
    for (int k = 0; k < 34; ++k) {
        double u = rnd.unit();
        double start = k < 10 ? rnd.between(0, 0.012) : 0.35 * u * u + 0.01;
        double freq = rnd.between(2300, 9200);
        double tau = rnd.between(0.02, 0.11);
        double gain = rnd.between(0.12, 0.32) * std::exp(-start * 3.0);
        addTone(
            s, start, gain, [freq](double) { return freq; },
            [tau](double t) { return decay(t, 0.0003, tau); });
    }
    addBurst(s, rnd, Biquad(Shape::BandPass, 1800, 1.2, kRate), 0.5, 0.001, 0.03);
    return finish(s);
}

// A cork-like pop: a quick downward blip with a tiny click at its front.
std::vector<float> SoundDesign::pop() {
    SeededRandom rnd(102);
    auto s = silence(0.12);
    addTone(
        s, 0, 1.0, [](double t) { return 330 + 950 * std::exp(-t / 0.012); },
        [](double t) { return decay(t, 0.0008, 0.02); });
    addBurst(s, rnd, Biquad(Shape::LowPass, 4000, 0.7, kRate), 0.35, 0.0002, 0.0015);
    return finish(s);
}

// A drop falling into water: the bubble's pitch rises fast as it closes.
std::vector<float> SoundDesign::waterDrop() {
    auto s = silence(0.17);
    auto freq = [](double t) { return 650 + 1350 * (1 - std::exp(-t / 0.022)); };
    addTone(s, 0, 1.0, freq, [](double t) { return decay(t, 0.002, 0.032); });
    addTone(
        s, 0, 0.12, [&](double t) { return 2 * freq(t); },
        [](double t) { return decay(t, 0.002, 0.018); });
    return finish(s);
}

// A hollow knock, its pitch dropping like a cartoon bonk.
std::vector<float> SoundDesign::bonk() {
    SeededRandom rnd(104);
    auto s = silence(0.26);
    auto freq = [](double t) { return 150 + 230 * std::exp(-t / 0.03); };
    addTone(s, 0, 1.0, freq, [](double t) { return decay(t, 0.001, 0.065); });
    addTone(
        s, 0, 0.35, [&](double t) { return 2.76 * freq(t); },
        [](double t) { return decay(t, 0.001, 0.025); });
    addBurst(s, rnd, Biquad(Shape::LowPass, 1500, 0.8, kRate), 0.6, 0.0003, 0.004);
    return finish(s);
}

// A struck singing bowl: inharmonic partials in slowly beating pairs.
std::vector<float> SoundDesign::bowl() {
    SeededRandom rnd(105);
    auto s = silence(2.4);
    const double f0 = 311.1;
    const double ratio[] = {1.0, 2.76, 5.40, 8.93};
    const double gain[] = {1.0, 0.5, 0.25, 0.1};
    const double tau[] = {1.5, 0.85, 0.45, 0.25};
    for (int p = 0; p < 4; ++p) {
        for (double beat : {-0.7, 0.7}) {
            double f = f0 * ratio[p] + beat * ratio[p];
            double tp = tau[p];
            addTone(
                s, 0, gain[p] * 0.5, [f](double) { return f; },
                [tp](double t) { return decay(t, 0.003, tp); });
        }
    }
    addBurst(s, rnd, Biquad(Shape::BandPass, 1200, 1.5, kRate), 0.4, 0.0005, 0.008);
    const size_t tail = static_cast<size_t>(0.25 * kRate);
    for (size_t i = 0; i < tail; ++i) {
        s[s.size() - tail + i] *= 1.0 - i / double(tail);
    }
    return finish(s);
}

// A muffled shot: a burst of noise closing down fast over a low thump.
std::vector<float> SoundDesign::shot() {
    SeededRandom rnd(106);
    auto s = silence(0.45);
    Biquad lp;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / kRate;
        lp.set(Shape::LowPass, 400 + 5600 * std::exp(-t / 0.05), 0.9, kRate);
        s[i] += 0.9 * decay(t, 0.0005, 0.06) * lp.process(rnd.signedUnit());
    }
    addTone(
        s, 0, 0.9, [](double t) { return 48 + 95 * std::exp(-t / 0.03); },
        [](double t) { return decay(t, 0.001, 0.09); });
    return finish(s);
}

namespace {
// A soft glide between two pitches, for picking a ball up and putting it down.
std::vector<float> glide(double from, double to) {
    auto s = silence(0.12);
    auto freq = [=](double t) { return from * std::pow(to / from, std::min(1.0, t / 0.07)); };
    auto env = [](double t) {
        double a = std::min(1.0, t / 0.004);
        return t < 0.06 ? a : a * std::exp(-(t - 0.06) / 0.018);
    };
    addTone(s, 0, 1.0, freq, env);
    addTone(
        s, 0, 0.22, [&](double t) { return 2 * freq(t); }, env);
    addTone(
        s, 0, 0.08, [&](double t) { return 3 * freq(t); }, env);
    return finish(s);
}
} // namespace

std::vector<float> SoundDesign::select() {
    return glide(700, 1400);
}

std::vector<float> SoundDesign::unselect() {
    return glide(1400, 700);
}

// Lift-off: a rush of air rising in pitch as it speeds away.
std::vector<float> SoundDesign::takeOff() {
    SeededRandom rnd(109);
    auto s = silence(0.75);
    Biquad bp;
    auto env = [](double t) {
        double rise = std::min(1.0, t / 0.18);
        return t < 0.45 ? rise : std::max(0.0, 1.0 - (t - 0.45) / 0.3);
    };
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / kRate;
        bp.set(Shape::BandPass, 350 * std::pow(12.0, t / 0.75), 2.5, kRate);
        s[i] += 1.6 * env(t) * bp.process(rnd.signedUnit());
    }
    addTone(
        s, 0, 0.25, [](double t) { return 180 * std::pow(5.0, t / 0.75); }, env);
    return finish(s);
}

// A short, dry click.
std::vector<float> SoundDesign::buttonClick() {
    SeededRandom rnd(1001);
    auto s = silence(0.035);
    addTone(
        s, 0, 0.8, [](double) { return 2100.0; }, [](double t) { return decay(t, 0.0003, 0.004); });
    addTone(
        s, 0, 0.5, [](double) { return 900.0; }, [](double t) { return decay(t, 0.0005, 0.006); });
    addBurst(s, rnd, Biquad(Shape::HighPass, 3000, 0.7, kRate), 0.6, 0.0001, 0.0015);
    return finish(s);
}

std::vector<SoundDesign::Effect> SoundDesign::all() {
    return {
        {"wav/glassbreaks.wav", glassBreaking()},
        {"wav/pop.wav", pop()},
        {"wav/waterdrop2.wav", waterDrop()},
        {"wav/bonk.wav", bonk()},
        {"wav/bowl.wav", bowl()},
        {"wav/shot.wav", shot()},
        {"wav/select.wav", select()},
        {"wav/unselect.wav", unselect()},
        {"wav/takeoff.wav", takeOff()},
        {"wav/btn_click.wav", buttonClick()},
    };
}

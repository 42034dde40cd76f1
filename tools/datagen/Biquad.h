#pragma once

// A second-order filter section (the usual audio cookbook shapes). The
// coefficients may be changed between samples for sweeps.
class Biquad {
public:
    enum class Shape { LowPass, HighPass, BandPass, Peak };

    Biquad() = default;
    Biquad(Shape shape, double frequency, double q, double rate, double gainDb = 0.0);

    void set(Shape shape, double frequency, double q, double rate, double gainDb = 0.0);
    double process(double x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

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
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

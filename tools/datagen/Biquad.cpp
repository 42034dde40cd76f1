#include "Biquad.h"

#include <algorithm>
#include <cmath>

Biquad::Biquad(Shape shape, double frequency, double q, double rate, double gainDb) {
    set(shape, frequency, q, rate, gainDb);
}

void Biquad::set(Shape shape, double frequency, double q, double rate, double gainDb) {
    const double w = 2.0 * M_PI * std::clamp(frequency, 10.0, rate * 0.49) / rate;
    const double cw = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * q);
    double b0 = 0, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (shape) {
    case Shape::LowPass:
        b0 = (1 - cw) / 2, b1 = 1 - cw, b2 = (1 - cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Shape::HighPass:
        b0 = (1 + cw) / 2, b1 = -(1 + cw), b2 = (1 + cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Shape::BandPass:
        b0 = alpha, b1 = 0, b2 = -alpha;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Shape::Peak: {
        const double a = std::pow(10.0, gainDb / 40.0);
        b0 = 1 + alpha * a, b1 = -2 * cw, b2 = 1 - alpha * a;
        a0 = 1 + alpha / a, a1 = -2 * cw, a2 = 1 - alpha / a;
        break;
    }
    }
    b0_ = b0 / a0, b1_ = b1 / a0, b2_ = b2 / a0, a1_ = a1 / a0, a2_ = a2 / a0;
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return y;
}

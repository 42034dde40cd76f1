#pragma once

#include <cmath>

// A point or a vector of the logical 800 by 600 screen.
struct Point {
    float x = 0.0f;
    float y = 0.0f;

    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, float k) { return {a.x * k, a.y * k}; }
    friend bool operator==(Point a, Point b) = default;

    float length() const { return std::sqrt(x * x + y * y); }
    // The unit vector of this one, or (0, 0) for the null vector.
    Point normalised() const {
        float len = length();
        return len > 0.0f ? Point{x / len, y / len} : Point{};
    }
};

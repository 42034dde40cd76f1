#pragma once

// A drawing colour with opacity, each part 0 to 1.
struct Rgba {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;
};

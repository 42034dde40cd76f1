#pragma once

#include "picturewriter/PictureWriter.h"

#include <vector>

// A synthetic font picture: bands of glyph runs, each band led by a marker
// run, with the expected glyph table alongside. Glyph n is (n % 4) + 1
// columns wide; runs are two columns apart.
struct FontPicture {
    struct Run {
        int start, end, top, bottom;
    };
    static constexpr int width = 600;
    static constexpr int bandHeight = 10; // rows top - bottom + 1
    int height = 0;
    std::vector<Run> runs;
    PictureWriter::Bytes file;

    // With solid, every glyph column is opaque over the whole band.
    explicit FontPicture(const std::vector<int>& runsPerBand, int height = 64, bool solid = false)
        : height(height) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4, 0);
        auto set = [&](int column, int row) {
            std::uint8_t* p = &pixels[(static_cast<std::size_t>(row) * width + column) * 4];
            p[0] = 10;  // blue
            p[2] = 200; // red
            p[3] = 255;
        };
        int n = 0;
        for (std::size_t band = 0; band < runsPerBand.size(); ++band) {
            const int top = height - 3 - static_cast<int>(band) * (bandHeight + 3);
            const int bottom = top - bandHeight + 1;
            for (int row = bottom; row <= top; ++row) {
                set(1, row); // the marker, two columns over the whole band
                set(2, row);
            }
            int column = 5;
            for (int r = 0; r < runsPerBand[band]; ++r, ++n) {
                const int glyphWidth = n % 4 + 1;
                for (int c = column; c < column + glyphWidth; ++c) {
                    if (solid) {
                        for (int row = bottom; row <= top; ++row) {
                            set(c, row);
                        }
                    } else {
                        set(c, bottom + (c + n) % bandHeight); // one pixel per column is enough
                    }
                }
                runs.push_back(Run{column, column + glyphWidth - 1, top, bottom});
                column += glyphWidth + 2;
            }
        }
        file = PictureWriter::tga(2, 32, width, height, pixels);
    }
};

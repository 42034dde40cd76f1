#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes pictures in memory in the formats the game's decoders read, so that
// tests and benchmarks build their inputs instead of keeping binary files.
class PictureWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    // A TGA of the given type (2, 3 or 10) and depth; pixels are stored as
    // given (B, G, R[, A] or grey), rows in the order given. For type 10 the
    // pixels are run-length packed row after row, packets running on across
    // row ends.
    static Bytes tga(int type, int bits, int width, int height, const Bytes& pixels,
                     const std::string& id = "");

    // A PNG from raw samples in file order (top row first). colorType and
    // bitDepth as libpng names them; palette and trns are optional chunks
    // (palette: R, G, B triples; trns: alpha per palette entry, or a grey or
    // RGB sample value for the other types); background adds a bKGD chunk,
    // gamma a gAMA chunk when above 0.
    struct PngOptions {
        int colorType = 2;
        int bitDepth = 8;
        Bytes palette;
        Bytes trnsAlpha;
        int trnsGrey = -1;
        int trnsRgb[3] = {-1, -1, -1};
        bool interlaced = false;
        int backgroundIndex = -1; // palette index, or grey level, for bKGD
        double gamma = 0;
    };
    static Bytes png(int width, int height, const Bytes& samples, const PngOptions& options);

    // A baseline JPEG (components 1 or 3) from samples in file order.
    static Bytes jpeg(int width, int height, int components, const Bytes& samples, int quality);

    // A DDS file: header followed by the data of every level as given.
    // fourCC "DXT1"/"DXT3"/"DXT5", or empty with rgbBits 32, 24 or 8.
    static Bytes dds(int width, int height, int mipCount, const std::string& fourCC, int rgbBits,
                     const Bytes& data, std::uint32_t caps2 = 0, int depth = 0);
};

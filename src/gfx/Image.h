#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture: the pixels of one image file and how to hand them to GL.
// PNG, JPEG and DDS pictures come out bottom row first (the GL convention);
// TGA pictures keep the row order of the file.
class Image {
public:
    // Format codes; each names the GL pixel format used for the upload.
    enum Format {
        Dxt1 = 0,
        Dxt3 = 2,
        Dxt5 = 4,
        Rgba = 5,
        Rgb = 6,
        Bgra = 7,
        Bgr = 8,
        Luminance = 9,
    };

    // A level below the base (DDS pictures only).
    struct MipLevel {
        int width = 0;
        int height = 0;
        int dataSize = 0;
        std::vector<std::uint8_t> data;
    };

    // Larger pictures are refused: they cannot be textures anyway, and a lying
    // header must not make us allocate gigabytes.
    static constexpr int maxSide = 8192;

    int width = 0;
    int height = 0;
    int dataSize = 0;
    std::vector<std::uint8_t> pixels;
    int components = 0;
    bool compressed = false;
    int formatCode = 0;
    std::vector<MipLevel> mipLevels;

    // Decodes the bytes of a picture file, choosing the decoder by the end of
    // the name. A size of 0 reads the file from the disk by name first. A
    // DDS picture is always read from the disk by name. Whatever cannot be
    // read or decoded leaves the image empty.
    void decode(const std::string& fileName, const std::uint8_t* data, std::size_t size);

    bool empty() const { return pixels.empty(); }
    void clear();

    // The GL pixel format of formatCode.
    unsigned glFormat() const;
    // The code for a count of bytes per pixel (1, 3 or 4); -1 for any other.
    static int formatForComponents(int components);
    // Reads a whole disk file; empty when it cannot be read.
    static std::vector<std::uint8_t> readDiskFile(const std::string& path);
};

#pragma once

#include <string>
#include <vector>

class ResourceManager;

// One picture file as an OpenGL texture. Every live texture is registered so
// that all of them can be made again after the GL context is replaced (a
// display switch). Without a current context a texture decodes its file and
// knows its size but has no GL name until reloadAll runs with a context.
class Texture {
public:
    // Reads and decodes the file through the resources (the disk when null)
    // and uploads it. Every call makes a new texture; the caller deletes it.
    static Texture* load(ResourceManager* resources, const std::string& fileName, bool wrap,
                         bool mipmap);
    virtual ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Reads, decodes and creates the GL texture (replacing any earlier one).
    virtual void upload();
    // Deletes the GL texture; the texture keeps its file and size.
    void releaseGl();
    // Binds the texture unless it is the one bound last.
    void bind();
    // Nearest-texel sampling instead of the linear filter, for a picture drawn
    // with one texel on each pixel centre: the same pixels for far less work
    // on a software renderer. Binds the texture when the filter changes.
    void setNearest(bool nearest);

    // Around a change of GL context: every registered texture drops its GL
    // texture, and later uploads it again, in creation order.
    static void releaseAll();
    static void reloadAll();
    // The GL name bound last through bind or upload; 0 when not known.
    static unsigned boundTexture();
    static const std::vector<Texture*>& registry();
    // True when a GL context is current on this thread.
    static bool hasGlContext();
    // Bits per pixel of the desktop (32 until told): 32-bit desktops get
    // full-colour textures, others 16-bit ones.
    static void setDisplayDepth(int bitsPerPixel);
    static int displayDepth();

    // Quads in logical units (y down) at depth z; the caller binds first.
    void drawAt(float x, float y, float z) const;
    void drawSized(float x, float y, float z, float w, float h) const;
    static void drawRegion(float x, float y, float z, float w, float h, float uLeft, float uRight,
                           float vBottom, float vTop);

    const std::string& fileName() const { return fileName_; }
    ResourceManager* resources() const { return resources_; }
    bool wrap() const { return wrap_; }
    bool mipmap() const { return mipmap_; }
    unsigned glName() const { return glName_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int components() const { return components_; }

protected:
    Texture(ResourceManager* resources, const std::string& fileName, bool wrap, bool mipmap);
    // Creates the GL texture from straight RGBA rows (replacing any earlier
    // one), filtered and wrapped as a picture file without mipmaps would be.
    void uploadPixels(const unsigned char* rgba, int width, int height);

private:
    // A new GL name, bound, with the environment, filters and wrap set.
    unsigned startGl(bool storedLevels);

    ResourceManager* resources_;
    std::string fileName_;
    bool wrap_;
    bool mipmap_;
    unsigned glName_ = 0;
    bool mipFilter_ = false;
    bool nearest_ = false;
    int width_ = 0;
    int height_ = 0;
    int components_ = 0;
};

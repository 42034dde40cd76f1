#include "gfx/Texture.h"

#include "gfx/Image.h"
#include "persist/FileData.h"
#include "persist/ResourceManager.h"
#include "platform/GlExtensions.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace {

constexpr GLenum rgba16 = 0x805B;

int& depthOfDisplay() {
    static int depth = 32;
    return depth;
}
constexpr GLenum textureMaxLevel = 0x813D;
using CompressedTexImage2D = void (*)(GLenum, GLint, GLenum, GLsizei, GLsizei, GLint, GLsizei,
                                      const void*);

struct Registry {
    std::vector<Texture*> textures;
    unsigned bound = 0;
};

Registry& registryState() {
    static Registry registry;
    return registry;
}

} // namespace

Texture::Texture(ResourceManager* resources, const std::string& fileName, bool wrap, bool mipmap)
    : resources_(resources), fileName_(fileName), wrap_(wrap), mipmap_(mipmap) {
    registryState().textures.push_back(this);
}

Texture::~Texture() {
    releaseGl();
    auto& list = registryState().textures;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

Texture* Texture::load(ResourceManager* resources, const std::string& fileName, bool wrap,
                       bool mipmap) {
    auto* texture = new Texture(resources, fileName, wrap, mipmap);
    texture->upload();
    return texture;
}

bool Texture::hasGlContext() {
    return glGetString(GL_VERSION) != nullptr;
}

unsigned Texture::boundTexture() {
    return registryState().bound;
}

const std::vector<Texture*>& Texture::registry() {
    return registryState().textures;
}

namespace {

bool isPowerOfTwo(int width, int height) {
    auto single = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
    return single(width) && single(height);
}

} // namespace

void Texture::upload() {
    Image image;
    if (resources_ != nullptr) {
        const FileData file = resources_->readFile(fileName_);
        image.decode(fileName_, file.data(), file.size);
    } else {
        image.decode(fileName_, nullptr, 0);
    }
    width_ = image.width;
    height_ = image.height;
    components_ = image.components;

    releaseGl();
    if (!hasGlContext()) {
        return; // decoded and measured; reloadAll uploads once a context exists
    }
    // Stored levels are used only when they are uploaded; a mipmap filter
    // without them would leave the texture incomplete (drawn blank).
    const bool storedLevels = mipmap_ && !image.mipLevels.empty();
    const GLuint name = startGl(storedLevels);
    if (storedLevels) {
        glTexParameteri(GL_TEXTURE_2D, textureMaxLevel, static_cast<GLint>(image.mipLevels.size()));
    }

    const GLenum format = image.glFormat();
    if (image.empty()) {
        // An unreadable picture: a name without an image.
    } else if (image.compressed) {
        auto compressedImage = reinterpret_cast<CompressedTexImage2D>(
            platform::glProcAddress("glCompressedTexImage2DARB"));
        if (compressedImage != nullptr) {
            compressedImage(GL_TEXTURE_2D, 0, format, image.width, image.height, 0, image.dataSize,
                            image.pixels.data());
            if (storedLevels) {
                for (std::size_t i = 0; i < image.mipLevels.size(); ++i) {
                    const Image::MipLevel& level = image.mipLevels[i];
                    compressedImage(GL_TEXTURE_2D, static_cast<GLint>(i + 1), format, level.width,
                                    level.height, 0, level.dataSize, level.data.data());
                }
            }
        }
    } else {
        const GLint internal = displayDepth() == 32 ? GL_RGBA : rgba16;
        if (mipmap_ && image.mipLevels.empty() && !isPowerOfTwo(image.width, image.height)) {
            // Only the GLU path brings a picture of another size to powers of
            // two. The smaller levels it adds are never sampled (the filter
            // above is linear), so a picture already of such a size goes up as
            // its one level: the same texels at a fraction of the start-up.
            gluBuild2DMipmaps(GL_TEXTURE_2D, image.components, image.width, image.height, format,
                              GL_UNSIGNED_BYTE, image.pixels.data());
        } else {
            glTexImage2D(GL_TEXTURE_2D, 0, internal, image.width, image.height, 0, format,
                         GL_UNSIGNED_BYTE, image.pixels.data());
            if (storedLevels) {
                for (std::size_t i = 0; i < image.mipLevels.size(); ++i) {
                    const Image::MipLevel& level = image.mipLevels[i];
                    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i + 1), internal, level.width,
                                 level.height, 0, format, GL_UNSIGNED_BYTE, level.data.data());
                }
            }
        }
    }
    glName_ = name;
}

unsigned Texture::startGl(bool storedLevels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    registryState().bound = name;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Rows of RGB and grey pictures are packed without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    storedLevels ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    mipFilter_ = storedLevels;
    nearest_ = false;
    const GLint wrapMode = wrap_ ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    return name;
}

void Texture::uploadPixels(const unsigned char* rgba, int width, int height) {
    releaseGl();
    width_ = width;
    height_ = height;
    components_ = 4;
    if (!hasGlContext()) {
        return;
    }
    const GLuint name = startGl(false);
    const GLint internal = displayDepth() == 32 ? GL_RGBA : rgba16;
    glTexImage2D(GL_TEXTURE_2D, 0, internal, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glName_ = name;
}

void Texture::releaseGl() {
    if (glName_ == 0) {
        return;
    }
    if (hasGlContext()) {
        const GLuint name = glName_;
        glDeleteTextures(1, &name);
    }
    // GL hands a deleted name out again; it must not count as bound then.
    if (registryState().bound == glName_) {
        registryState().bound = 0;
    }
    glName_ = 0;
}

void Texture::bind() {
    Registry& state = registryState();
    if (glName_ != state.bound) {
        glBindTexture(GL_TEXTURE_2D, glName_);
    }
    state.bound = glName_;
}

void Texture::setNearest(bool nearest) {
    if (glName_ == 0 || nearest == nearest_) {
        return;
    }
    bind();
    const GLint linearMin = mipFilter_ ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, nearest ? GL_NEAREST : linearMin);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, nearest ? GL_NEAREST : GL_LINEAR);
    nearest_ = nearest;
}

void Texture::releaseAll() {
    for (Texture* texture : registryState().textures) {
        texture->releaseGl();
    }
    registryState().bound = 0;
}

void Texture::reloadAll() {
    for (Texture* texture : registryState().textures) {
        texture->upload();
    }
    registryState().bound = 0;
}

void Texture::drawAt(float x, float y, float z) const {
    drawRegion(x, y, z, static_cast<float>(width_), static_cast<float>(height_), 0, 1, 0, 1);
}

void Texture::drawSized(float x, float y, float z, float w, float h) const {
    drawRegion(x, y, z, w, h, 0, 1, 0, 1);
}

void Texture::drawRegion(float x, float y, float z, float w, float h, float uLeft, float uRight,
                         float vBottom, float vTop) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(uLeft, vTop);
    glVertex3f(x, y, z);
    glTexCoord2f(uLeft, vBottom);
    glVertex3f(x, y + h, z);
    glTexCoord2f(uRight, vTop);
    glVertex3f(x + w, y, z);
    glTexCoord2f(uRight, vBottom);
    glVertex3f(x + w, y + h, z);
    glEnd();
}

void Texture::setDisplayDepth(int bitsPerPixel) {
    depthOfDisplay() = bitsPerPixel > 0 ? bitsPerPixel : 32;
}

int Texture::displayDepth() {
    return depthOfDisplay();
}

#include "platform/ScaledPresenter.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

namespace platform {

struct ScaledPresenter::Functions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
};

namespace {

bool hasExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!all) {
        return false;
    }
    size_t len = std::strlen(name);
    for (const char* p = std::strstr(all, name); p; p = std::strstr(p + 1, name)) {
        bool startOk = p == all || p[-1] == ' ';
        bool endOk = p[len] == ' ' || p[len] == '\0';
        if (startOk && endOk) {
            return true;
        }
    }
    return false;
}

template <typename F>
bool lookUp(ScaledPresenter::ProcLookup lookup, F& f, const char* name, const char* suffix) {
    char full[96];
    std::strncpy(full, name, sizeof full - 8);
    full[sizeof full - 8] = '\0';
    std::strcat(full, suffix);
    f = reinterpret_cast<F>(lookup(full));
    return f != nullptr;
}

} // namespace

ScaledPresenter::~ScaledPresenter() {
    delete gl_;
}

bool ScaledPresenter::load(ProcLookup lookup) {
    delete gl_;
    gl_ = nullptr;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* suffix = nullptr;
    if ((version && std::atoi(version) >= 3) || hasExtension("GL_ARB_framebuffer_object")) {
        suffix = "";
    } else if (hasExtension("GL_EXT_framebuffer_object") &&
               hasExtension("GL_EXT_framebuffer_blit")) {
        suffix = "EXT";
    } else {
        return false;
    }
    auto* f = new Functions;
    bool ok = lookUp(lookup, f->genFramebuffers, "glGenFramebuffers", suffix) &&
              lookUp(lookup, f->deleteFramebuffers, "glDeleteFramebuffers", suffix) &&
              lookUp(lookup, f->bindFramebuffer, "glBindFramebuffer", suffix) &&
              lookUp(lookup, f->framebufferRenderbuffer, "glFramebufferRenderbuffer", suffix) &&
              lookUp(lookup, f->checkFramebufferStatus, "glCheckFramebufferStatus", suffix) &&
              lookUp(lookup, f->genRenderbuffers, "glGenRenderbuffers", suffix) &&
              lookUp(lookup, f->deleteRenderbuffers, "glDeleteRenderbuffers", suffix) &&
              lookUp(lookup, f->bindRenderbuffer, "glBindRenderbuffer", suffix) &&
              lookUp(lookup, f->renderbufferStorage, "glRenderbufferStorage", suffix) &&
              lookUp(lookup, f->blitFramebuffer, "glBlitFramebuffer", suffix);
    if (!ok) {
        delete f;
        return false;
    }
    gl_ = f;
    return true;
}

bool ScaledPresenter::begin(int clientWidth, int clientHeight) {
    end();
    if (!gl_ || clientWidth <= 0 || clientHeight <= 0) {
        return false;
    }
    width_ = clientWidth;
    height_ = clientHeight;
    gl_->genRenderbuffers(1, &colorBuffer_);
    gl_->bindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    gl_->renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    gl_->genRenderbuffers(1, &depthBuffer_);
    gl_->bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    gl_->renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width_, height_);
    gl_->bindRenderbuffer(GL_RENDERBUFFER, 0);
    gl_->genFramebuffers(1, &framebuffer_);
    gl_->bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl_->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                 colorBuffer_);
    gl_->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                 depthBuffer_);
    if (gl_->checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        end();
        return false;
    }
    return true;
}

void ScaledPresenter::end() {
    if (!gl_) {
        return;
    }
    if (framebuffer_) {
        gl_->bindFramebuffer(GL_FRAMEBUFFER, 0);
        gl_->deleteFramebuffers(1, &framebuffer_);
    }
    if (colorBuffer_) {
        gl_->deleteRenderbuffers(1, &colorBuffer_);
    }
    if (depthBuffer_) {
        gl_->deleteRenderbuffers(1, &depthBuffer_);
    }
    framebuffer_ = colorBuffer_ = depthBuffer_ = 0;
}

void ScaledPresenter::present(int windowWidth, int windowHeight, const Rect& area) {
    if (!active()) {
        return;
    }
    // The game's own state (clear colour, scissor) must survive the copy.
    GLfloat clearColor[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);

    gl_->bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl_->bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // GL rows count from the bottom.
    gl_->blitFramebuffer(0, 0, width_, height_, area.left, windowHeight - area.bottom, area.right,
                         windowHeight - area.top, GL_COLOR_BUFFER_BIT, GL_LINEAR);

    // The swap shows the window's buffer whatever is bound; the next frame
    // is drawn off-screen again.
    gl_->bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    if (scissor) {
        glEnable(GL_SCISSOR_TEST);
    }
}

} // namespace platform

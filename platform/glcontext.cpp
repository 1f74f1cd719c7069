#include "platform/glcontext.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "platform/window.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace plat {
namespace {

SDL_GLContext g_context = nullptr;
GLuint g_texture = 0;
// Size of the picture the texture holds.
int g_texture_w = 0;
int g_texture_h = 0;
uint32_t g_generation = 0;
uint32_t g_foreign_draws = 0;

// A window on a host without a screen is seen by nobody: its picture is
// kept here and drawn only when something reads the window back, instead
// of at every present (a software renderer pays for the upload and the
// full-window quad of every picture).
bool g_draw_every_picture = false;
std::vector<uint32_t> g_held;
int g_held_w = 0;
int g_held_h = 0;
bool g_held_keep_aspect = false;
bool g_held_pending = false;

constexpr GLenum kFramebuffer = 0x8D40;         // GL_FRAMEBUFFER
constexpr GLenum kFramebufferBinding = 0x8CA6;  // GL_FRAMEBUFFER_BINDING
using BindFramebufferProc = void (*)(GLenum, GLuint);

SDL_Window* Window() { return static_cast<SDL_Window*>(HostWindow()); }

// The picture's half-extent in normalised device coordinates: the whole
// drawable when stretched, else scaled to fit with bars beside or below.
void PictureExtent(int drawable_w, int drawable_h, int width, int height, bool keep_aspect, float* sx,
                   float* sy) {
    *sx = 1.0f;
    *sy = 1.0f;
    if (keep_aspect && drawable_w > 0 && drawable_h > 0) {
        float picture = float(width) / float(height);
        float screen = float(drawable_w) / float(drawable_h);
        if (picture > screen) {
            *sy = screen / picture;
        } else {
            *sx = picture / screen;
        }
    }
}

void DrawTexturedQuad(float sx, float sy) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-sx, sy);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(sx, sy);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(sx, -sy);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-sx, -sy);
    glEnd();
}

}  // namespace

bool GLWindowUnseen() {
    if (g_draw_every_picture) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") == 0;
}

namespace {

// Takes the changed rows of a picture into the held copy.
void HoldPicture(const uint32_t* pixels, int width, int height, bool keep_aspect,
                 const std::vector<PictureRows>& changed) {
    const size_t rowPixels = size_t(width);
    if (g_held_w != width || g_held_h != height || g_held.size() != rowPixels * size_t(height)) {
        g_held.assign(pixels, pixels + rowPixels * size_t(height));
        g_held_w = width;
        g_held_h = height;
    } else {
        for (const PictureRows& run : changed) {
            const int top = std::clamp(run.top, 0, height), bottom = std::clamp(run.bottom, top, height);
            std::memcpy(g_held.data() + size_t(top) * rowPixels, pixels + size_t(top) * rowPixels,
                        size_t(bottom - top) * rowPixels * sizeof(uint32_t));
        }
    }
    g_held_keep_aspect = keep_aspect;
    g_held_pending = true;
}

bool DrawPicture(const uint32_t* pixels, int width, int height, bool keep_aspect,
                 const std::vector<PictureRows>& changed);

// Draws the held picture whole when the window lags behind it.
void DrawHeldPicture() {
    if (!g_held_pending || !GLContextUp()) return;
    g_held_pending = false;
    DrawPicture(g_held.data(), g_held_w, g_held_h, g_held_keep_aspect, {PictureRows{0, g_held_h}});
}

}  // namespace

bool GLContextUp() {
    if (g_context != nullptr) {
        return SDL_GL_MakeCurrent(Window(), g_context) == 0;
    }
    if (Window() == nullptr) return false;
    g_context = SDL_GL_CreateContext(Window());
    if (g_context == nullptr) return false;
    SDL_GL_MakeCurrent(Window(), g_context);
    SDL_GL_SetSwapInterval(0);
    ++g_generation;
    return true;
}

bool GLContextExists() { return g_context != nullptr; }

void GLContextDown() {
    if (g_context == nullptr) return;
    SDL_GL_MakeCurrent(Window(), g_context);
    if (g_texture != 0) glDeleteTextures(1, &g_texture);
    g_texture = 0;
    g_texture_w = g_texture_h = 0;
    g_held_pending = false;
    SDL_GL_DeleteContext(g_context);
    g_context = nullptr;
}

void GLDrawableSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    if (Window() != nullptr) SDL_GL_GetDrawableSize(Window(), width, height);
}

void* GLProcAddress(const char* name) { return g_context != nullptr ? SDL_GL_GetProcAddress(name) : nullptr; }

uint32_t GLContextGeneration() { return g_generation; }
uint32_t GLForeignDrawCount() { return g_foreign_draws; }

void GLSwapWindow() {
    if (g_context != nullptr && Window() != nullptr) SDL_GL_SwapWindow(Window());
}

bool GLPresentPicture(const uint32_t* pixels, int width, int height, bool keep_aspect,
                      const std::vector<PictureRows>& changed) {
    if (width <= 0 || height <= 0 || !GLContextUp()) return false;
    if (GLWindowUnseen()) {
        HoldPicture(pixels, width, height, keep_aspect, changed);
        return true;
    }
    // A picture held back while nobody looked goes first, so that the rows
    // drawn now land on the picture they belong to.
    DrawHeldPicture();
    return DrawPicture(pixels, width, height, keep_aspect, changed);
}

void GLDrawUnseenWindowEveryPicture(bool every) {
    DrawHeldPicture();
    g_draw_every_picture = every;
}

namespace {

bool DrawPicture(const uint32_t* pixels, int width, int height, bool keep_aspect,
                 const std::vector<PictureRows>& changed) {
    int dw = 0, dh = 0;
    GLDrawableSize(&dw, &dh);
    ++g_foreign_draws;

    // The 3D device draws into a framebuffer object of its own.
    auto bind = reinterpret_cast<BindFramebufferProc>(GLProcAddress("glBindFramebuffer"));
    GLint framebuffer = 0;
    if (bind != nullptr) {
        glGetIntegerv(kFramebufferBinding, &framebuffer);
        bind(kFramebuffer, 0);
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, dw, dh);
    float sx = 1.0f, sy = 1.0f;
    PictureExtent(dw, dh, width, height, keep_aspect, &sx, &sy);
    // The bars are cleared; a picture that covers the drawable needs no
    // clear (a software renderer pays for every pixel twice otherwise).
    if (sx < 1.0f || sy < 1.0f) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    const bool fresh = g_texture == 0 || g_texture_w != width || g_texture_h != height;
    // A single-buffered drawable keeps what was drawn on it, so a picture
    // shown at its own size needs only its changed rows drawn again.
    GLboolean doubleBuffered = GL_TRUE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    const bool partial = !fresh && !doubleBuffered && dw == width && dh == height && sx == 1.0f && sy == 1.0f;
    if (g_texture == 0) glGenTextures(1, &g_texture);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, g_texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // 0x00RRGGBB little-endian is the byte order blue, green, red, pad.
    if (fresh) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
        g_texture_w = width;
        g_texture_h = height;
    } else {
        for (const PictureRows& run : changed) {
            const int top = std::clamp(run.top, 0, height), bottom = std::clamp(run.bottom, top, height);
            if (bottom > top)
                glTexSubImage2D(GL_TEXTURE_2D, 0, 0, top, width, bottom - top, GL_BGRA, GL_UNSIGNED_BYTE,
                                pixels + size_t(top) * size_t(width));
        }
    }
    if (!partial) {
        DrawTexturedQuad(sx, sy);
    } else {
        // Each run of changed rows drawn again; GL counts rows from the bottom.
        glEnable(GL_SCISSOR_TEST);
        for (const PictureRows& run : changed) {
            const int top = std::clamp(run.top, 0, height), bottom = std::clamp(run.bottom, top, height);
            if (bottom <= top) continue;
            glScissor(0, height - bottom, width, bottom - top);
            DrawTexturedQuad(sx, sy);
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();

    SDL_GL_SwapWindow(Window());
    if (bind != nullptr) bind(kFramebuffer, GLuint(framebuffer));
    return true;
}

}  // namespace

bool GLReadWindowPixels(std::vector<uint32_t>* pixels, int* width, int* height) {
    pixels->clear();
    *width = 0;
    *height = 0;
    if (g_context == nullptr || !GLContextUp()) return false;
    DrawHeldPicture();
    int dw = 0, dh = 0;
    GLDrawableSize(&dw, &dh);
    auto bind = reinterpret_cast<BindFramebufferProc>(GLProcAddress("glBindFramebuffer"));
    GLint framebuffer = 0;
    if (bind != nullptr) {
        glGetIntegerv(kFramebufferBinding, &framebuffer);
        bind(kFramebuffer, 0);
    }
    std::vector<uint32_t> rows(size_t(dw) * size_t(dh));
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, dw, dh, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    glPopClientAttrib();
    if (bind != nullptr) bind(kFramebuffer, GLuint(framebuffer));
    pixels->resize(rows.size());
    for (int y = 0; y < dh; ++y) {
        for (int x = 0; x < dw; ++x) {
            (*pixels)[size_t(y) * size_t(dw) + size_t(x)] =
                rows[size_t(dh - 1 - y) * size_t(dw) + size_t(x)] & 0xFFFFFF;
        }
    }
    *width = dw;
    *height = dh;
    return true;
}

}  // namespace plat

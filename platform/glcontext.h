// The one OpenGL context of the main window.  The 2D presenter and the 3D
// device share it; whoever needs it first creates it, and it goes when the
// window goes.
#pragma once
#include <cstdint>
#include <vector>

namespace plat {

// Creates the context when there is none and makes it current.  False when
// there is no window or the host offers no OpenGL.
bool GLContextUp();
bool GLContextExists();
// Destroys the context (the window does this before it is destroyed).
void GLContextDown();
// Size in pixels of the window's drawable (0, 0 without a window).
void GLDrawableSize(int* width, int* height);
void GLSwapWindow();
// An OpenGL entry point by name (null when the context lacks it).
void* GLProcAddress(const char* name);
// Counts contexts made so far: GL objects of an older context are gone.
uint32_t GLContextGeneration();
// Counts drawings that changed GL state behind the 3D device's back.
uint32_t GLForeignDrawCount();

// Draws a picture of 0x00RRGGBB pixels (rows from the top, width pixels
// apart) over the whole drawable and shows it.  With keep_aspect the picture
// is scaled to fit and centred with black bars; otherwise it is stretched.
// The 3D device's GL state and framebuffer binding are saved and put back
// around the drawing.
// Only the rows of `changed` (runs from top to bottom, exclusive, in order)
// differ from the picture drawn last time; the rest is taken from what was
// sent then when the size is the same.
// Returns false when there is no context.
struct PictureRows {
    int top = 0;
    int bottom = 0;
};
// On a host without a screen (the offscreen video driver) the picture is
// kept and drawn when the window is read back, as nobody else sees it.
bool GLPresentPicture(const uint32_t* pixels, int width, int height, bool keep_aspect,
                      const std::vector<PictureRows>& changed);

// Whether presented pictures wait for a read-back of the window.
bool GLWindowUnseen();
// Test seam: true draws every picture on the window as it comes, even where
// nobody sees it (false: as the host decides).
void GLDrawUnseenWindowEveryPicture(bool every);

// Test seam: what the window's drawable shows, as 0x00RRGGBB pixels with the
// top row first.  False when there is no context.
bool GLReadWindowPixels(std::vector<uint32_t>* pixels, int* width, int* height);

}  // namespace plat

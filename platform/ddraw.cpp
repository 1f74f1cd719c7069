#include "platform/ddraw.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/glcontext.h"
#include "platform/pixelrows.h"
#include "platform/window.h"

namespace plat {

struct DeviceContext {
    DirectDrawSurface7* surface = nullptr;
};

namespace {

constexpr HResult kDdErrCantLockSurface = int32_t(0x887601B3);
constexpr HResult kDdErrCannotAttachSurface = int32_t(0x8876000A);

constexpr uint32_t kVideoMemory = 64u << 20;
constexpr uint32_t kTextureMemory = 56u << 20;
constexpr uint32_t kMaxTextureSize = 2048;
constexpr int kPitchAlign = 16;
constexpr uint32_t kPresentIntervalMs = 8;

struct Card {
    bool has_guid = false;
    Guid guid;
    std::string description;
    std::string driver;
    uint32_t pass = 1;
    bool fails_probe = false;
    int device_count = 1;
};

struct State {
    std::vector<TestCard> test_cards;
    int primary_devices = 1;
    std::vector<PixelFormat> zformats;
    uint32_t desktop_bits = 0;
    std::vector<std::pair<std::string, HResult>> failures;
    std::vector<DirectDrawSurface7*> surfaces;
    int live_dd = 0;
    // What the window shows.
    std::vector<uint32_t> frame;
    int frame_w = 0;
    int frame_h = 0;
    int presents = 0;
    uint32_t last_present_ms = 0;
    DirectDrawSurface7* pending = nullptr;
    // The primary surface the frame was last taken from, the part of each
    // row written since then (left and right, empty when left >= right),
    // and whether the next present must take it whole.
    const DirectDrawSurface7* presented = nullptr;
    std::vector<std::pair<int32_t, int32_t>> changed;
    bool any_changed = false;
    bool present_all = true;
    // The primary's memory was written where no rectangle was noted (a lock,
    // a flip, the 3D device's frame read back): the next present compares
    // its rows with the ones last shown and takes those that differ.
    bool rows_written = false;
    // The primary's pixels as last converted into the frame, row after row
    // without the pitch's padding.
    std::vector<uint8_t> shown;
    // The changed rows as runs of neighbours, kept between presents so that
    // a drawn match's frames do not each allocate them anew.
    std::vector<PictureRows> runs;
    int drawable_w = 0;
    int drawable_h = 0;
    // One converted row of a copy into the primary, compared before it is
    // written.
    std::vector<uint8_t> row_scratch;
};

State& S() {
    static State s;
    return s;
}

}  // namespace

HResult TakeInjectedFailure(std::string_view method) {
    auto& f = S().failures;
    for (auto it = f.begin(); it != f.end(); ++it) {
        if (it->first == method) {
            HResult r = it->second;
            f.erase(it);
            return r;
        }
    }
    return kDdOk;
}

namespace {

HResult Injected(std::string_view method) { return TakeInjectedFailure(method); }

#define DD_INJECT(name)                             \
    do {                                            \
        if (HResult r_ = Injected(name)) return r_; \
    } while (0)

std::vector<Card> Cards() {
    std::vector<Card> cards;
    Card primary;
    primary.description = "Primary display driver";
    primary.driver = "display";
    primary.device_count = S().primary_devices;
    cards.push_back(primary);
    for (const TestCard& t : S().test_cards) {
        Card c;
        c.has_guid = true;
        c.guid = t.guid;
        c.description = t.description;
        c.driver = t.driver;
        c.pass = t.pass;
        c.fails_probe = t.fails_probe;
        c.device_count = t.device_count;
        cards.push_back(c);
    }
    return cards;
}

// ---- Pixel formats ------------------------------------------------------
PixelFormat RgbFormat(uint32_t bits, uint32_t r, uint32_t g, uint32_t b) {
    PixelFormat f;
    f.flags = kPfRgb;
    f.bit_count = bits;
    f.red_mask = r;
    f.green_mask = g;
    f.blue_mask = b;
    return f;
}

PixelFormat Palettised8() {
    PixelFormat f;
    f.flags = kPfRgb | kPfPaletteIndexed8;
    f.bit_count = 8;
    return f;
}

PixelFormat FormatForBits(uint32_t bits) {
    switch (bits) {
        case 8:
            return Palettised8();
        case 16:
            return RgbFormat(16, 0xF800, 0x07E0, 0x001F);
        case 24:
            return RgbFormat(24, 0xFF0000, 0x00FF00, 0x0000FF);
        default:
            return RgbFormat(32, 0xFF0000, 0x00FF00, 0x0000FF);
    }
}

PixelFormat DesktopFormat() {
    if (S().desktop_bits != 0) return FormatForBits(S().desktop_bits);
    SDL_DisplayMode mode;
    if (VideoSubsystemUp() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        int bpp = 0;
        Uint32 r = 0, g = 0, b = 0, a = 0;
        int bytes = SDL_BYTESPERPIXEL(mode.format);
        if (bytes >= 2 && SDL_PixelFormatEnumToMasks(mode.format, &bpp, &r, &g, &b, &a)) {
            return RgbFormat(uint32_t(bytes * 8), r, g, b);
        }
    }
    return FormatForBits(32);
}

void DesktopSize(uint32_t* w, uint32_t* h) {
    SDL_DisplayMode mode;
    if (VideoSubsystemUp() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *w = uint32_t(mode.w);
        *h = uint32_t(mode.h);
        return;
    }
    *w = 1024;
    *h = 768;
}

bool ContiguousMask(uint32_t mask) {
    if (mask == 0) return true;
    uint32_t low = mask & (~mask + 1);
    return ((mask + low) & mask) == 0;
}

bool ValidColourFormat(const PixelFormat& f) {
    if (f.flags & kPfPaletteIndexed8) return f.bit_count == 8;
    if ((f.flags & kPfRgb) == 0) return false;
    if (f.bit_count != 16 && f.bit_count != 24 && f.bit_count != 32) return false;
    uint32_t limit = f.bit_count == 32 ? 0xFFFFFFFFu : (1u << f.bit_count) - 1;
    uint32_t masks[4] = {f.red_mask, f.green_mask, f.blue_mask,
                         (f.flags & kPfAlphaPixels) ? f.alpha_mask : 0u};
    uint32_t seen = 0;
    for (uint32_t m : masks) {
        if (!ContiguousMask(m) || (m & ~limit) != 0 || (seen & m) != 0) return false;
        seen |= m;
    }
    return f.red_mask != 0 && f.green_mask != 0 && f.blue_mask != 0;
}

bool ValidZFormat(const PixelFormat& f) {
    return (f.flags & kPfZBuffer) != 0 && (f.bit_count == 16 || f.bit_count == 24 || f.bit_count == 32);
}

uint32_t BytesPerPixel(const PixelFormat& f) { return (f.bit_count + 7) / 8; }

// The row loops run unchecked in the sanitizer build, where they were most
// of a checked test's time: the checked code here touches the first and
// last byte of both rows first, so a row outside its surface is still
// reported.
void TouchRow(const uint8_t* p, size_t bytes) {
    if (bytes == 0) return;
    volatile uint8_t sink = p[0];
    sink = p[bytes - 1];
    (void)sink;
}

void ConvertCheckedRow(uint32_t inBytes, uint32_t outBytes, const uint8_t* in, uint8_t* out, size_t count,
                       const PixelConverter& convert) {
    TouchRow(in, count * inBytes);
    TouchRow(out, count * outBytes);
    ConvertRow(inBytes, outBytes, in, out, count, convert);
}

// ---- Presenting ---------------------------------------------------------
bool IsFullscreenPrimary(const DirectDrawSurface7* s);

// What a primary surface shows changed there (the next present takes it).
// Kept row by row: a screen wiped from both ends at once changes two bands
// far apart, and the rows between them need not be taken again.
void NoteChanged(const DirectDrawSurface7* s, const Rect& r) {
    if (!s->IsPrimary()) return;
    State& st = S();
    const int32_t top = std::max(r.top, 0), bottom = std::min(r.bottom, int32_t(s->Height()));
    const int32_t left = std::max(r.left, 0), right = std::min(r.right, int32_t(s->Width()));
    if (bottom <= top || right <= left) return;
    if (st.changed.size() < size_t(s->Height())) st.changed.resize(s->Height(), {0, 0});
    for (int32_t y = top; y < bottom; ++y) {
        auto& span = st.changed[size_t(y)];
        span = span.first >= span.second
                   ? std::make_pair(left, right)
                   : std::make_pair(std::min(span.first, left), std::max(span.second, right));
    }
    st.any_changed = true;
}

void NoteAllChanged(const DirectDrawSurface7* s) {
    if (s->IsPrimary()) S().present_all = true;
}

void NoteRowsWritten(const DirectDrawSurface7* s) {
    if (s->IsPrimary()) S().rows_written = true;
}

// Shows the primary surface in the window: the part written since the last
// present is converted into the frame and drawn.  Where the memory was
// written without a rectangle (locked, flipped, or drawn by the 3D device
// and read back) the rows that differ from the ones last shown are found by
// comparison.  With nothing written and the window's picture intact nothing
// is done.
void PresentNow(DirectDrawSurface7* s) {
    State& st = S();
    st.pending = nullptr;
    const int w = int(s->Width()), h = int(s->Height());
    int drawableW = 0, drawableH = 0;
    GLDrawableSize(&drawableW, &drawableH);
    const bool whole = st.present_all || st.presented != s || st.frame_w != w || st.frame_h != h ||
                       drawableW != st.drawable_w || drawableH != st.drawable_h;
    const uint32_t bytes = BytesPerPixel(s->Format());
    const size_t rowBytes = size_t(w) * bytes;
    if (st.changed.size() < size_t(h)) st.changed.resize(size_t(h), {0, 0});
    if (whole) {
        st.changed.assign(size_t(h), {0, w});
    } else if (st.rows_written || s->Mirror() != nullptr) {
        // A surface the 3D device draws into changes behind our back.
        for (int32_t y = 0; y < h; ++y) {
            if (std::memcmp(s->Pixels() + size_t(y) * size_t(s->Pitch()),
                            st.shown.data() + size_t(y) * rowBytes, rowBytes) != 0)
                st.changed[size_t(y)] = {0, w};
        }
    } else if (!st.any_changed) {
        return;
    }
    st.rows_written = false;
    st.any_changed = false;
    // The changed rows, as runs of neighbours for the window's picture.
    std::vector<PictureRows>& runs = st.runs;
    runs.clear();
    size_t changedPixels = 0;
    for (int32_t y = 0; y < h; ++y) {
        auto& span = st.changed[size_t(y)];
        span = {std::max(span.first, 0), std::min(span.second, int32_t(w))};
        if (span.first >= span.second) continue;
        changedPixels += size_t(span.second - span.first);
        if (!runs.empty() && runs.back().bottom == y) {
            runs.back().bottom = y + 1;
        } else {
            runs.push_back(PictureRows{y, y + 1});
        }
    }
    if (runs.empty() && !whole) return;
    st.present_all = false;
    st.presented = s;
    st.drawable_w = drawableW;
    st.drawable_h = drawableH;
    st.last_present_ms = ClockMilliseconds();
    if (whole) {
        st.frame.assign(size_t(w) * size_t(h), 0);
        st.shown.assign(rowBytes * size_t(h), 0);
        st.frame_w = w;
        st.frame_h = h;
    }
    if (changedPixels > 0) {
        static const PixelFormat kFrameFormat = RgbFormat(32, 0xFF0000, 0xFF00, 0xFF);
        PixelConverter convert(s->Format(), s->Palette(), kFrameFormat);
        if (bytes <= 2 && changedPixels >= (size_t(1) << (8 * bytes))) convert.Tabulate(bytes);
        for (const PictureRows& run : runs) {
            for (int32_t y = run.top; y < run.bottom; ++y) {
                auto& span = st.changed[size_t(y)];
                const size_t at = size_t(span.first) * bytes, count = size_t(span.second - span.first);
                const uint8_t* in = s->Pixels() + size_t(y) * size_t(s->Pitch()) + at;
                uint32_t* out = st.frame.data() + size_t(y) * size_t(w) + size_t(span.first);
                ConvertCheckedRow(bytes, 4, in, reinterpret_cast<uint8_t*>(out), count, convert);
                std::memcpy(st.shown.data() + size_t(y) * rowBytes + at, in, count * bytes);
                span = {0, 0};
            }
        }
    }
    ++st.presents;
    if (whole) runs.assign(1, PictureRows{0, h});
    GLPresentPicture(st.frame.data(), w, h, IsFullscreenPrimary(s), runs);
}

// Screen updates come as fast as the game unlocks; the window is refreshed
// at most every few milliseconds and the rest is shown by the next pump.
void Present(DirectDrawSurface7* s, bool immediately) {
    if (immediately || ClockMilliseconds() - S().last_present_ms >= kPresentIntervalMs) {
        PresentNow(s);
    } else {
        S().pending = s;
    }
}

}  // namespace

// Gives the helpers below access to surface internals.
struct SurfaceAccess {
    static void Allocate(DirectDrawSurface7* s, uint32_t w, uint32_t h, const PixelFormat& f) {
        s->width_ = w;
        s->height_ = h;
        s->format_ = f;
        uint32_t row = w * BytesPerPixel(f);
        s->pitch_ = int32_t((row + kPitchAlign - 1) / kPitchAlign * kPitchAlign);
        s->pixels_.assign(size_t(s->pitch_) * h, 0);
    }
    static bool WindowedPrimary(const DirectDrawSurface7* s) {
        return s->IsPrimary() && (s->owner_->cooperative_ & kSclExclusive) == 0;
    }
    // A windowed primary holds what the window shows: it follows the
    // client area's size and is addressed in screen coordinates.
    static void FollowWindow(DirectDrawSurface7* s) {
        int w = 0, h = 0;
        GetClientSize(&w, &h);
        if (w <= 0 || h <= 0) return;
        if (uint32_t(w) != s->width_ || uint32_t(h) != s->height_) {
            Allocate(s, uint32_t(w), uint32_t(h), s->format_);
            NoteAllChanged(s);
        }
    }
    static void Lose(DirectDrawSurface7* s) { s->lost_ = true; }
};

namespace {

bool IsFullscreenPrimary(const DirectDrawSurface7* s) {
    return s->IsPrimary() && !SurfaceAccess::WindowedPrimary(s);
}

bool ClipRects(Rect* dest, Rect* src, int32_t dest_w, int32_t dest_h) {
    int32_t dx0 = std::max(dest->left, 0) - dest->left;
    int32_t dy0 = std::max(dest->top, 0) - dest->top;
    int32_t dx1 = dest->right - std::min(dest->right, dest_w);
    int32_t dy1 = dest->bottom - std::min(dest->bottom, dest_h);
    dest->left += dx0;
    dest->top += dy0;
    dest->right -= dx1;
    dest->bottom -= dy1;
    if (src != nullptr) {
        src->left += dx0;
        src->top += dy0;
        src->right -= dx1;
        src->bottom -= dy1;
    }
    return dest->left < dest->right && dest->top < dest->bottom;
}

bool Inside(const Rect& r, uint32_t w, uint32_t h) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && uint32_t(r.right) <= w &&
           uint32_t(r.bottom) <= h;
}

Rect Whole(const DirectDrawSurface7* s) { return Rect{0, 0, int32_t(s->Width()), int32_t(s->Height())}; }

// Moves a rectangle given in screen coordinates into a windowed primary.
Rect ScreenToClient(Rect r) {
    int ox = 0, oy = 0;
    ClientToScreen(&ox, &oy);
    return Rect{r.left - ox, r.top - oy, r.right - ox, r.bottom - oy};
}

}  // namespace

// ---- Unknown --------------------------------------------------------------
uint32_t Unknown::Release() {
    uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
}

// ---- Palette --------------------------------------------------------------
HResult DirectDrawPalette::SetEntries(uint32_t flags, uint32_t start, uint32_t count,
                                      const PaletteEntry* entries) {
    (void)flags;
    DD_INJECT("SetEntries");
    if (entries == nullptr || start > 256 || count > 256 - start) return kErrInvalidArg;
    std::copy(entries, entries + count, entries_ + start);
    for (DirectDrawSurface7* s : S().surfaces) {
        if (s->IsPrimary() && s->Palette() == this && !s->Locked()) {
            NoteAllChanged(s);
            Present(s, false);
        }
    }
    return kDdOk;
}

HResult DirectDrawPalette::GetEntries(uint32_t flags, uint32_t start, uint32_t count, PaletteEntry* entries) {
    (void)flags;
    if (entries == nullptr || start > 256 || count > 256 - start) return kErrInvalidArg;
    std::copy(entries_ + start, entries_ + start + count, entries);
    return kDdOk;
}

HResult DirectDrawClipper::SetHWnd(uint32_t flags, void* window) {
    (void)flags;
    DD_INJECT("SetHWnd");
    if (window == nullptr) return kErrInvalidArg;
    window_ = window;
    return kDdOk;
}

// ---- Surfaces -------------------------------------------------------------
DirectDrawSurface7::~DirectDrawSurface7() {
    auto& list = S().surfaces;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (S().pending == this) S().pending = nullptr;
    if (S().presented == this) S().presented = nullptr;
    if (owns_attached_ && attached_ != nullptr) attached_->Release();
    if (zbuffer_ != nullptr) zbuffer_->Release();
    if (mirror_ != nullptr) mirror_->Detach(this);
    if (palette_ != nullptr) palette_->Release();
    if (clipper_ != nullptr) clipper_->Release();
    if (owner_ != nullptr) {
        if (owner_->primary_ == this) owner_->primary_ = nullptr;
        if (caps_ & kCapsVideoMemory) owner_->video_used_ -= uint32_t(pixels_.size());
        owner_->Release();
    }
}

void DirectDrawSurface7::SetMirror(SurfaceMirror* mirror) {
    mirror_ = mirror;
    NoteRowsWritten(this);
}

HResult DirectDrawSurface7::Lock(const Rect* rect, SurfaceDesc* out, uint32_t flags, void* event) {
    (void)flags;
    (void)event;
    DD_INJECT("Lock");
    if (out == nullptr) return kErrInvalidArg;
    if (lost_) return kDdErrSurfaceLost;
    if (locked_ || dc_out_) return kDdErrSurfaceBusy;
    if (SurfaceAccess::WindowedPrimary(this)) return kDdErrCantLockSurface;
    Rect r = rect != nullptr ? *rect : Whole(this);
    if (!Inside(r, width_, height_)) return kDdErrInvalidRect;
    if (mirror_ != nullptr) mirror_->Pull(this);
    locked_ = true;
    SurfaceDesc d;
    d.flags = kSdCaps | kSdWidth | kSdHeight | kSdPitch | kSdPixelFormat | kSdLpSurface;
    d.width = uint32_t(r.right - r.left);
    d.height = uint32_t(r.bottom - r.top);
    d.pitch = pitch_;
    d.surface = pixels_.data() + size_t(r.top) * size_t(pitch_) + size_t(r.left) * BytesPerPixel(format_);
    d.pixel_format = format_;
    d.caps = caps_;
    *out = d;
    return kDdOk;
}

HResult DirectDrawSurface7::Unlock(const Rect* rect) {
    (void)rect;
    DD_INJECT("Unlock");
    if (!locked_) return kDdErrNotLocked;
    locked_ = false;
    if (mirror_ != nullptr) mirror_->Changed(this);
    NoteRowsWritten(this);
    if (IsPrimary()) Present(this, false);
    return kDdOk;
}

HResult DirectDrawSurface7::Blt(const Rect* dest, DirectDrawSurface7* source, const Rect* source_rect,
                                uint32_t flags, const BltFx* fx) {
    DD_INJECT("Blt");
    if (lost_ || (source != nullptr && source->lost_)) return kDdErrSurfaceLost;
    if (locked_ || dc_out_ || (source != nullptr && (source->locked_ || source->dc_out_))) {
        return kDdErrSurfaceBusy;
    }
    const bool windowed_primary = SurfaceAccess::WindowedPrimary(this);
    if (windowed_primary) SurfaceAccess::FollowWindow(this);
    // Both copies of a mirrored surface must agree before the CPU works on it.
    if (mirror_ != nullptr) mirror_->Pull(this);
    if (source != nullptr && source->mirror_ != nullptr) source->mirror_->Pull(source);
    Rect d = dest != nullptr ? *dest : Whole(this);
    if (windowed_primary && dest != nullptr) d = ScreenToClient(d);
    const uint32_t bytes = BytesPerPixel(format_);

    if (flags & kBltColorFill) {
        if (fx == nullptr) return kErrInvalidArg;
        if (clipper_ != nullptr || windowed_primary) {
            if (!ClipRects(&d, nullptr, int32_t(width_), int32_t(height_))) return kDdOk;
        } else if (!Inside(d, width_, height_)) {
            return kDdErrInvalidRect;
        }
        for (int32_t y = d.top; y < d.bottom; ++y) {
            uint8_t* row = pixels_.data() + size_t(y) * size_t(pitch_);
            for (int32_t x = d.left; x < d.right; ++x) {
                WriteRaw(row + size_t(x) * bytes, fx->fill_color, bytes);
            }
        }
        NoteChanged(this, d);
        if (mirror_ != nullptr) mirror_->Changed(this);
        if (IsPrimary()) Present(this, false);
        return kDdOk;
    }

    if (source == nullptr) return kErrInvalidArg;
    Rect s = source_rect != nullptr ? *source_rect : Whole(source);
    if (!Inside(s, source->width_, source->height_)) return kDdErrInvalidRect;
    if (d.right - d.left != s.right - s.left || d.bottom - d.top != s.bottom - s.top) {
        return kDdErrNoStretchHw;
    }
    if (BytesPerPixel(source->format_) != bytes || source->format_.red_mask != format_.red_mask ||
        source->format_.green_mask != format_.green_mask || source->format_.blue_mask != format_.blue_mask) {
        return kDdErrInvalidPixelFormat;
    }
    if (clipper_ != nullptr || windowed_primary) {
        if (!ClipRects(&d, &s, int32_t(width_), int32_t(height_))) return kDdOk;
    } else if (!Inside(d, width_, height_)) {
        return kDdErrInvalidRect;
    }
    const size_t row_bytes = size_t(d.right - d.left) * bytes;
    auto sourceRow = [&](int32_t y) {
        return source->pixels_.data() + size_t(s.top + y) * size_t(source->pitch_) + size_t(s.left) * bytes;
    };
    // A copy inside one surface reads the whole source rectangle before it
    // writes, so that overlapping rectangles move the original pixels; a
    // copy from another surface reads its rows directly.
    std::vector<uint8_t> staging;
    if (source == this) {
        staging.resize(row_bytes * size_t(d.bottom - d.top));
        for (int32_t y = 0; y < d.bottom - d.top; ++y)
            std::memcpy(staging.data() + size_t(y) * row_bytes, sourceRow(y), row_bytes);
    }
    for (int32_t y = 0; y < d.bottom - d.top; ++y) {
        uint8_t* to = pixels_.data() + size_t(d.top + y) * size_t(pitch_) + size_t(d.left) * bytes;
        const uint8_t* from = source == this ? staging.data() + size_t(y) * row_bytes : sourceRow(y);
        // What the window shows is redrawn only where it changed.
        if (IsPrimary() && std::memcmp(to, from, row_bytes) == 0) continue;
        std::memcpy(to, from, row_bytes);
        NoteChanged(this, Rect{d.left, d.top + y, d.right, d.top + y + 1});
    }
    if (mirror_ != nullptr) mirror_->Changed(this);
    if (IsPrimary()) Present(this, false);
    return kDdOk;
}

HResult DirectDrawSurface7::Flip(DirectDrawSurface7* target, uint32_t flags) {
    (void)flags;
    DD_INJECT("Flip");
    if ((caps_ & kCapsFlip) == 0 || attached_ == nullptr || !owns_attached_) {
        return kDdErrNotFlippable;
    }
    if (target != nullptr && target != attached_) return kDdErrNotFlippable;
    if (lost_ || attached_->lost_) return kDdErrSurfaceLost;
    if (locked_ || attached_->locked_ || dc_out_ || attached_->dc_out_) return kDdErrSurfaceBusy;
    if (IsPrimary() && (owner_->cooperative_ & kSclExclusive) == 0) return kDdErrNoExclusiveMode;
    if (attached_->mirror_ != nullptr) {
        // The device keeps drawing into its own copy of the back buffer, so
        // the back buffer keeps the frame too: copied, not swapped.
        attached_->mirror_->Pull(attached_);
        pixels_ = attached_->pixels_;
    } else {
        pixels_.swap(attached_->pixels_);
    }
    NoteRowsWritten(this);
    if (IsPrimary()) Present(this, true);
    return kDdOk;
}

HResult DirectDrawSurface7::GetAttachedSurface(uint32_t caps, DirectDrawSurface7** out) {
    DD_INJECT("GetAttachedSurface");
    if (out == nullptr) return kErrInvalidArg;
    *out = nullptr;
    for (DirectDrawSurface7* s : {attached_, zbuffer_}) {
        if (s != nullptr && (s->caps_ & caps) == caps) {
            s->AddRef();
            *out = s;
            return kDdOk;
        }
    }
    return kDdErrNotFound;
}

HResult DirectDrawSurface7::AddAttachedSurface(DirectDrawSurface7* surface) {
    DD_INJECT("AddAttachedSurface");
    if (surface == nullptr) return kErrInvalidArg;
    if ((surface->caps_ & kCapsZBuffer) == 0) return kDdErrCannotAttachSurface;
    if (zbuffer_ != nullptr) return kDdErrSurfaceAlreadyAttached;
    if (surface->width_ != width_ || surface->height_ != height_) return kDdErrInvalidRect;
    surface->AddRef();
    zbuffer_ = surface;
    return kDdOk;
}

HResult DirectDrawSurface7::GetPixelFormat(PixelFormat* out) {
    DD_INJECT("GetPixelFormat");
    if (out == nullptr) return kErrInvalidArg;
    *out = format_;
    return kDdOk;
}

HResult DirectDrawSurface7::GetSurfaceDesc(SurfaceDesc* out) {
    if (out == nullptr) return kErrInvalidArg;
    SurfaceDesc d;
    d.flags = kSdCaps | kSdWidth | kSdHeight | kSdPitch | kSdPixelFormat;
    d.width = width_;
    d.height = height_;
    d.pitch = pitch_;
    d.pixel_format = format_;
    d.caps = caps_;
    *out = d;
    return kDdOk;
}

HResult DirectDrawSurface7::SetPalette(DirectDrawPalette* palette) {
    DD_INJECT("SetPalette");
    if ((format_.flags & kPfPaletteIndexed8) == 0) return kDdErrNotPalettized;
    if (palette != nullptr) palette->AddRef();
    if (palette_ != nullptr) palette_->Release();
    palette_ = palette;
    return kDdOk;
}

HResult DirectDrawSurface7::GetPalette(DirectDrawPalette** out) {
    if (out == nullptr) return kErrInvalidArg;
    *out = palette_;
    if (palette_ == nullptr) return kDdErrNoPaletteAttached;
    palette_->AddRef();
    return kDdOk;
}

HResult DirectDrawSurface7::SetClipper(DirectDrawClipper* clipper) {
    DD_INJECT("SetClipper");
    if (clipper != nullptr) clipper->AddRef();
    if (clipper_ != nullptr) clipper_->Release();
    clipper_ = clipper;
    return kDdOk;
}

HResult DirectDrawSurface7::GetDC(DeviceContext** out) {
    DD_INJECT("GetDC");
    if (out == nullptr) return kErrInvalidArg;
    *out = nullptr;
    if (lost_) return kDdErrSurfaceLost;
    if (dc_out_) return kDdErrDcAlreadyCreated;
    if (locked_) return kDdErrSurfaceBusy;
    if (caps_ & kCapsZBuffer) return kDdErrCantCreateDc;
    if (SurfaceAccess::WindowedPrimary(this)) SurfaceAccess::FollowWindow(this);
    if (mirror_ != nullptr) mirror_->Pull(this);
    dc_out_ = true;
    *out = new DeviceContext{this};
    return kDdOk;
}

HResult DirectDrawSurface7::ReleaseDC(DeviceContext* dc) {
    DD_INJECT("ReleaseDC");
    if (dc == nullptr || dc->surface != this || !dc_out_) return kErrInvalidArg;
    delete dc;
    dc_out_ = false;
    if (mirror_ != nullptr) mirror_->Changed(this);
    if (IsPrimary()) Present(this, false);
    return kDdOk;
}

HResult DirectDrawSurface7::IsLost() {
    DD_INJECT("IsLost");
    return lost_ ? kDdErrSurfaceLost : kDdOk;
}

HResult DirectDrawSurface7::Restore() {
    DD_INJECT("Restore");
    if (!lost_) return kDdOk;
    lost_ = false;
    // Video memory comes back with undefined contents; ours come back black.
    std::fill(pixels_.begin(), pixels_.end(), uint8_t(0));
    NoteAllChanged(this);
    if (mirror_ != nullptr) mirror_->Changed(this);
    return kDdOk;
}

// ---- DirectDraw ------------------------------------------------------------
namespace {

struct ModeEntry {
    uint32_t width;
    uint32_t height;
    uint32_t bits;
};

// The host display's sizes and the usual ones, each at 8, 16 and 32 bits:
// full screen is drawn scaled into the window, so every size can be shown.
std::vector<ModeEntry> ModeList() {
    std::vector<std::pair<uint32_t, uint32_t>> sizes = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    if (VideoSubsystemUp()) {
        int n = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < n; ++i) {
            SDL_DisplayMode m;
            if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w >= 320 && m.h >= 200) {
                sizes.push_back({uint32_t(m.w), uint32_t(m.h)});
            }
        }
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::vector<ModeEntry> modes;
    for (auto [w, h] : sizes) {
        for (uint32_t bits : {8u, 16u, 32u}) modes.push_back({w, h, bits});
    }
    return modes;
}

D3DDeviceDesc DeviceDesc(int index) {
    D3DDeviceDesc d;
    d.dev_caps = kD3DDevCapsHwRasterization | kD3DDevCapsHwTransformAndLight;
    d.raster_caps = kD3DRasterSubPixel | kD3DRasterFogTable;
    d.texture_caps = 0;
    d.texture_filter_caps = kD3DFilterLinear | kD3DFilterMipNearest | kD3DFilterMipLinear |
                            kD3DFilterLinearMipNearest | kD3DFilterLinearMipLinear;
    d.render_bit_depth = kBd16 | kBd24 | kBd32;
    d.zbuffer_bit_depth = kBd16 | kBd24 | kBd32;
    d.min_texture_width = 1;
    d.min_texture_height = 1;
    d.max_texture_width = kMaxTextureSize;
    d.max_texture_height = kMaxTextureSize;
    d.max_texture_aspect_ratio = 0;
    d.device_guid = kGLDeviceGuid;
    d.device_guid.data3 = uint16_t(d.device_guid.data3 + index);
    return d;
}

std::vector<PixelFormat> ZFormats() {
    if (!S().zformats.empty()) return S().zformats;
    PixelFormat z16;
    z16.flags = kPfZBuffer;
    z16.bit_count = 16;
    z16.z_mask = 0xFFFF;
    PixelFormat z24 = z16;
    z24.bit_count = 24;
    z24.z_mask = 0xFFFFFF;
    PixelFormat z24s8 = z16;
    z24s8.flags = kPfZBuffer | kPfStencilBuffer;
    z24s8.bit_count = 32;
    z24s8.z_mask = 0xFFFFFF00;
    z24s8.stencil_depth = 8;
    z24s8.stencil_mask = 0xFF;
    return {z16, z24, z24s8};
}

}  // namespace

DirectDraw7::~DirectDraw7() { --S().live_dd; }

HResult DirectDraw7::Initialize(const Guid* guid) {
    DD_INJECT("Initialize");
    if (card_ >= 0) return kDdErrAlreadyInitialized;
    std::vector<Card> cards = Cards();
    for (size_t i = 0; i < cards.size(); ++i) {
        bool match = guid == nullptr ? !cards[i].has_guid : cards[i].has_guid && cards[i].guid == *guid;
        if (!match) continue;
        if (cards[i].fails_probe) return kDdErrInvalidDirectDrawGuid;
        card_ = int(i);
        return kDdOk;
    }
    return kDdErrInvalidDirectDrawGuid;
}

HResult DirectDraw7::GetDeviceIdentifier(DeviceIdentifier* out, uint32_t flags) {
    (void)flags;
    DD_INJECT("GetDeviceIdentifier");
    if (card_ < 0) return kDdErrNotInitialized;
    if (out == nullptr) return kErrInvalidArg;
    Card card = Cards()[size_t(card_)];
    *out = DeviceIdentifier{};
    std::snprintf(out->driver, sizeof out->driver, "%s", card.driver.c_str());
    const char* host = VideoSubsystemUp() ? SDL_GetCurrentVideoDriver() : nullptr;
    std::snprintf(out->description, sizeof out->description, "OpenGL display adapter (%s)",
                  host != nullptr ? host : "no video driver");
    SDL_version v;
    SDL_GetVersion(&v);
    out->driver_version = (uint64_t(v.major) << 48) | (uint64_t(v.minor) << 32) | (uint64_t(v.patch) << 16);
    return kDdOk;
}

HResult DirectDraw7::GetCaps(DriverCaps* hardware, DriverCaps* emulation) {
    DD_INJECT("GetCaps");
    if (card_ < 0) return kDdErrNotInitialized;
    if (hardware != nullptr) {
        *hardware = DriverCaps{};
        hardware->caps = kDdCaps3D;
        hardware->caps2 = kDdCaps2CanRenderWindowed;
        hardware->video_memory_total = kVideoMemory;
        hardware->video_memory_free = kVideoMemory - std::min(video_used_, kVideoMemory);
    }
    if (emulation != nullptr) *emulation = DriverCaps{};
    return kDdOk;
}

HResult DirectDraw7::GetAvailableVidMem(uint32_t caps, uint32_t* total, uint32_t* free) {
    DD_INJECT("GetAvailableVidMem");
    if (card_ < 0) return kDdErrNotInitialized;
    uint32_t amount = (caps & kCapsTexture) ? kTextureMemory : kVideoMemory;
    if (total != nullptr) *total = amount;
    if (free != nullptr) *free = amount - std::min(video_used_, amount);
    return kDdOk;
}

HResult DirectDraw7::QueryDirect3D7(Direct3D7** out) {
    DD_INJECT("QueryInterface");
    if (out == nullptr) return kErrInvalidArg;
    *out = nullptr;
    if (card_ < 0) return kDdErrNotInitialized;
    Direct3D7* d3d = new Direct3D7;
    d3d->owner_ = this;
    AddRef();
    *out = d3d;
    return kDdOk;
}

HResult DirectDraw7::SetCooperativeLevel(void* window, uint32_t flags) {
    DD_INJECT("SetCooperativeLevel");
    if (card_ < 0) return kDdErrNotInitialized;
    const bool exclusive = (flags & kSclExclusive) != 0;
    const bool fullscreen = (flags & kSclFullscreen) != 0;
    if ((flags & kSclNormal) != 0) {
        if (exclusive || fullscreen) return kErrInvalidArg;
        if (mode_set_) RestoreDisplayMode();
    } else if (!exclusive || !fullscreen) {
        return kErrInvalidArg;
    } else if (window == nullptr) {
        return kDdErrNoHwnd;
    }
    cooperative_ = flags;
    window_ = window;
    return kDdOk;
}

HResult DirectDraw7::EnumDisplayModes(uint32_t flags, const SurfaceDesc* filter, void* context,
                                      EnumModesCallback callback) {
    (void)flags;
    DD_INJECT("EnumDisplayModes");
    if (card_ < 0) return kDdErrNotInitialized;
    if (callback == nullptr) return kErrInvalidArg;
    for (const ModeEntry& m : ModeList()) {
        if (filter != nullptr && (filter->flags & kSdWidth) && filter->width != m.width) continue;
        if (filter != nullptr && (filter->flags & kSdHeight) && filter->height != m.height) continue;
        SurfaceDesc d;
        d.flags = kSdWidth | kSdHeight | kSdPitch | kSdPixelFormat | kSdRefreshRate;
        d.width = m.width;
        d.height = m.height;
        d.pixel_format = FormatForBits(m.bits);
        d.pitch = int32_t(m.width * BytesPerPixel(d.pixel_format));
        d.refresh_rate = 60;
        if (callback(&d, context) == kEnumCancel) break;
    }
    return kDdOk;
}

HResult DirectDraw7::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bits, uint32_t refresh,
                                    uint32_t flags) {
    (void)refresh;
    DD_INJECT("SetDisplayMode");
    if (card_ < 0) return kDdErrNotInitialized;
    if ((cooperative_ & kSclExclusive) == 0) return kDdErrNoExclusiveMode;
    if (flags & kSdmStandardVgaMode) return kDdErrUnsupportedMode;
    bool listed = false;
    for (const ModeEntry& m : ModeList()) {
        listed = listed || (m.width == width && m.height == height && m.bits == bits);
    }
    if (!listed) return kDdErrInvalidMode;
    // A mode change takes the video memory away from every surface.
    for (DirectDrawSurface7* s : S().surfaces) {
        if (s->owner_ == this) SurfaceAccess::Lose(s);
    }
    mode_set_ = true;
    mode_width_ = width;
    mode_height_ = height;
    mode_bits_ = bits;
    return kDdOk;
}

HResult DirectDraw7::RestoreDisplayMode() {
    DD_INJECT("RestoreDisplayMode");
    if (card_ < 0) return kDdErrNotInitialized;
    mode_set_ = false;
    mode_width_ = mode_height_ = mode_bits_ = 0;
    return kDdOk;
}

HResult DirectDraw7::CreateSurface(const SurfaceDesc* desc, DirectDrawSurface7** out, void* outer) {
    DD_INJECT("CreateSurface");
    if (card_ < 0) return kDdErrNotInitialized;
    if (desc == nullptr || out == nullptr || outer != nullptr) return kErrInvalidArg;
    *out = nullptr;
    if ((desc->flags & kSdCaps) == 0) return kErrInvalidArg;
    const uint32_t caps = desc->caps;
    if ((caps & kCapsSystemMemory) && (caps & kCapsVideoMemory)) return kDdErrInvalidCaps;
    const bool flip = (caps & kCapsFlip) != 0;
    if (flip && ((caps & kCapsComplex) == 0 || (desc->flags & kSdBackBufferCount) == 0 ||
                 desc->back_buffer_count != 1)) {
        return kDdErrInvalidCaps;
    }
    const bool exclusive = (cooperative_ & kSclExclusive) != 0;

    uint32_t width = desc->width, height = desc->height;
    PixelFormat format;
    if (caps & kCapsPrimarySurface) {
        if (cooperative_ == 0) return kDdErrNoCooperativeLevelSet;
        if (primary_ != nullptr) return kDdErrPrimarySurfaceAlreadyExists;
        if (desc->flags & (kSdWidth | kSdHeight | kSdPixelFormat)) return kErrInvalidArg;
        if (flip && !exclusive) return kDdErrNoExclusiveMode;
        if (exclusive && mode_set_) {
            width = mode_width_;
            height = mode_height_;
            format = FormatForBits(mode_bits_);
        } else {
            format = DesktopFormat();
            int w = 0, h = 0;
            GetClientSize(&w, &h);
            if (exclusive || w <= 0 || h <= 0) {
                DesktopSize(&width, &height);
            } else {
                width = uint32_t(w);
                height = uint32_t(h);
            }
        }
    } else {
        if ((desc->flags & (kSdWidth | kSdHeight)) != (kSdWidth | kSdHeight) || width == 0 || height == 0 ||
            width > 16384 || height > 16384) {
            return kErrInvalidArg;
        }
        if (caps & kCapsZBuffer) {
            if ((desc->flags & kSdPixelFormat) == 0 || !ValidZFormat(desc->pixel_format)) {
                return kDdErrInvalidPixelFormat;
            }
            format = desc->pixel_format;
        } else if (desc->flags & kSdPixelFormat) {
            if (!ValidColourFormat(desc->pixel_format)) return kDdErrInvalidPixelFormat;
            format = desc->pixel_format;
        } else {
            format = exclusive && mode_set_ ? FormatForBits(mode_bits_) : DesktopFormat();
        }
    }

    // A mip-mapped texture is a chain of levels, each half the one before.
    uint32_t levels = 1;
    if (caps & kCapsMipMap) {
        if ((caps & (kCapsTexture | kCapsComplex)) != (kCapsTexture | kCapsComplex)) {
            return kDdErrInvalidCaps;
        }
        uint32_t possible = 1;
        for (uint32_t w = width, h = height; w > 1 || h > 1;
             w = std::max(w / 2, 1u), h = std::max(h / 2, 1u)) {
            ++possible;
        }
        levels = (desc->flags & kSdMipMapCount) ? desc->mip_map_count : possible;
        if (levels == 0 || levels > possible) return kErrInvalidArg;
    }
    const bool managed = (desc->caps2 & kCaps2TextureManage) != 0;
    if (managed && (caps & kCapsTexture) == 0) return kDdErrInvalidCaps;

    auto make = [&](uint32_t surface_caps) {
        DirectDrawSurface7* s = new DirectDrawSurface7;
        s->owner_ = this;
        AddRef();
        s->caps_ = surface_caps;
        s->caps2_ = desc->caps2;
        SurfaceAccess::Allocate(s, width, height, format);
        if (surface_caps & kCapsVideoMemory) video_used_ += uint32_t(s->pixels_.size());
        S().surfaces.push_back(s);
        return s;
    };
    // Managed textures live in system memory and are copied to the card
    // as needed.
    uint32_t memory =
        (caps & kCapsSystemMemory) || managed ? 0u : uint32_t(kCapsVideoMemory | kCapsLocalVidMem);
    DirectDrawSurface7* front = make(caps | memory);
    DirectDrawSurface7* level = front;
    for (uint32_t i = 1; i < levels; ++i) {
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
        DirectDrawSurface7* next = make((caps & ~kCapsComplex) | memory);
        next->caps2_ |= kCaps2MipMapSubLevel;
        level->attached_ = next;
        level->owns_attached_ = true;
        level = next;
    }
    if (flip) {
        DirectDrawSurface7* back =
            make((caps & ~(kCapsPrimarySurface | kCapsFlip)) | kCapsBackBuffer | kCapsFlip | memory);
        front->attached_ = back;
        front->owns_attached_ = true;
    }
    if (caps & kCapsPrimarySurface) primary_ = front;
    *out = front;
    return kDdOk;
}

HResult DirectDraw7::CreatePalette(uint32_t flags, const PaletteEntry* entries, DirectDrawPalette** out,
                                   void* outer) {
    DD_INJECT("CreatePalette");
    if (card_ < 0) return kDdErrNotInitialized;
    if (out == nullptr || outer != nullptr || (flags & kPCaps8Bit) == 0) return kErrInvalidArg;
    DirectDrawPalette* p = new DirectDrawPalette;
    if (entries != nullptr) std::copy(entries, entries + 256, p->entries_);
    *out = p;
    return kDdOk;
}

HResult DirectDraw7::CreateClipper(uint32_t flags, DirectDrawClipper** out, void* outer) {
    (void)flags;
    DD_INJECT("CreateClipper");
    if (card_ < 0) return kDdErrNotInitialized;
    if (out == nullptr || outer != nullptr) return kErrInvalidArg;
    *out = new DirectDrawClipper;
    return kDdOk;
}

// ---- Direct3D (the survey's part) -----------------------------------------
Direct3D7::~Direct3D7() {
    if (owner_ != nullptr) owner_->Release();
}

HResult Direct3D7::EnumDevices(D3DEnumDevicesCallback callback, void* context) {
    DD_INJECT("EnumDevices");
    if (callback == nullptr) return kErrInvalidArg;
    int count = Cards()[size_t(owner_->card_)].device_count;
    for (int i = 0; i < count; ++i) {
        char description[64], name[32];
        std::snprintf(description, sizeof description, "Rendering through OpenGL%s", i == 0 ? "" : " (copy)");
        std::snprintf(name, sizeof name, i == 0 ? "GL renderer" : "GL renderer %d", i + 1);
        D3DDeviceDesc desc = DeviceDesc(i);
        if (callback(description, name, &desc, context) == kEnumCancel) break;
    }
    return kDdOk;
}

HResult Direct3D7::EnumZBufferFormats(const Guid& device, D3DEnumZBufferCallback callback, void* context) {
    DD_INJECT("EnumZBufferFormats");
    if (callback == nullptr) return kErrInvalidArg;
    int count = Cards()[size_t(owner_->card_)].device_count;
    bool known = false;
    for (int i = 0; i < count; ++i) known = known || DeviceDesc(i).device_guid == device;
    if (!known) return kErrInvalidArg;
    for (const PixelFormat& f : ZFormats()) {
        PixelFormat copy = f;
        if (callback(&copy, context) == kEnumCancel) break;
    }
    return kDdOk;
}

// ---- Process-wide -------------------------------------------------------------
HResult DirectDrawEnumerateEx(EnumCardsCallback callback, void* context, uint32_t flags) {
    DD_INJECT("DirectDrawEnumerateEx");
    if (callback == nullptr) return kErrInvalidArg;
    for (const Card& c : Cards()) {
        if (c.has_guid) {
            uint32_t wanted = c.pass == 1   ? kEnumAttachedSecondary
                              : c.pass == 2 ? kEnumDetachedSecondary
                                            : kEnumNonDisplay;
            if ((flags & wanted) == 0) continue;
        }
        Guid guid = c.guid;
        char description[256], driver[256];
        std::snprintf(description, sizeof description, "%s", c.description.c_str());
        std::snprintf(driver, sizeof driver, "%s", c.driver.c_str());
        void* monitor = c.has_guid ? nullptr : reinterpret_cast<void*>(uintptr_t(1));
        if (callback(c.has_guid ? &guid : nullptr, description, driver, context, monitor) == kEnumCancel) {
            break;
        }
    }
    return kDdOk;
}

HResult CoCreateDirectDraw7(DirectDraw7** out) {
    DD_INJECT("CoCreateInstance");
    if (out == nullptr) return kErrInvalidArg;
    *out = new DirectDraw7;
    ++S().live_dd;
    return kDdOk;
}

bool BitBlt(DeviceContext* dest, int x, int y, int width, int height, DeviceContext* source, int source_x,
            int source_y) {
    if (dest == nullptr || source == nullptr || width <= 0 || height <= 0) return false;
    DirectDrawSurface7* d = dest->surface;
    DirectDrawSurface7* s = source->surface;
    if ((d->Format().flags & kPfPaletteIndexed8) != 0 && (s->Format().flags & kPfPaletteIndexed8) == 0) {
        return false;  // no colour matching into a palette
    }
    Rect sr{source_x, source_y, source_x + width, source_y + height};
    if (!Inside(sr, s->Width(), s->Height())) return false;
    Rect dr{x, y, x + width, y + height};
    if (SurfaceAccess::WindowedPrimary(d)) dr = ScreenToClient(dr);
    if (!ClipRects(&dr, &sr, int32_t(d->Width()), int32_t(d->Height()))) return true;
    const uint32_t sb = BytesPerPixel(s->Format()), db = BytesPerPixel(d->Format());
    const bool same = sb == db && s->Format().red_mask == d->Format().red_mask &&
                      s->Format().green_mask == d->Format().green_mask &&
                      s->Format().blue_mask == d->Format().blue_mask;
    const size_t rowPixels = size_t(dr.right - dr.left);
    const int32_t rows = dr.bottom - dr.top;
    auto sourceRow = [&](int32_t row) {
        return s->Pixels() + size_t(sr.top + row) * size_t(s->Pitch()) + size_t(sr.left) * sb;
    };
    auto targetRow = [&](int32_t row) {
        return d->Pixels() + size_t(dr.top + row) * size_t(d->Pitch()) + size_t(dr.left) * db;
    };
    // What the window shows is written, and redrawn, only where it changed.
    auto writeRow = [&](int32_t row, const uint8_t* converted) {
        uint8_t* to = targetRow(row);
        if (d->IsPrimary() && std::memcmp(to, converted, rowPixels * db) == 0) return;
        std::memcpy(to, converted, rowPixels * db);
        NoteChanged(d, Rect{dr.left, dr.top + row, dr.right, dr.top + row + 1});
    };
    if (same) {
        // A copy inside one surface reads the whole source rectangle before
        // it writes, so overlapping rectangles move the original pixels.
        std::vector<uint8_t> staging;
        if (d == s) {
            staging.resize(rowPixels * sb * size_t(rows));
            for (int32_t row = 0; row < rows; ++row)
                std::memcpy(staging.data() + size_t(row) * rowPixels * sb, sourceRow(row), rowPixels * sb);
        }
        for (int32_t row = 0; row < rows; ++row)
            writeRow(row, d == s ? staging.data() + size_t(row) * rowPixels * sb : sourceRow(row));
        return true;
    }
    PixelConverter convert(s->Format(), s->Palette(), d->Format());
    if (sb <= 2 && rowPixels * size_t(rows) >= (size_t(1) << (8 * sb))) convert.Tabulate(sb);
    if (!d->IsPrimary()) {
        for (int32_t row = 0; row < rows; ++row)
            ConvertCheckedRow(sb, db, sourceRow(row), targetRow(row), rowPixels, convert);
        return true;
    }
    std::vector<uint8_t>& scratch = S().row_scratch;
    scratch.resize(rowPixels * db);
    for (int32_t row = 0; row < rows; ++row) {
        ConvertCheckedRow(sb, db, sourceRow(row), scratch.data(), rowPixels, convert);
        writeRow(row, scratch.data());
    }
    return true;
}

void FlushPendingPresent() {
    if (S().pending != nullptr && !S().pending->Locked()) PresentNow(S().pending);
}

void FlushPendingPresentWhenDue() {
    if (IsManualClock() && ClockMilliseconds() - S().last_present_ms < kPresentIntervalMs) return;
    FlushPendingPresent();
}

void ForceFullPresent() { S().present_all = true; }

// ---- Test seam --------------------------------------------------------------
void SetTestCards(const std::vector<TestCard>& cards) { S().test_cards = cards; }
void SetPrimaryDeviceCountForTests(int count) { S().primary_devices = count; }
void SetZBufferFormatsForTests(const std::vector<PixelFormat>& formats) { S().zformats = formats; }
void SetDesktopBitsForTests(uint32_t bits) { S().desktop_bits = bits; }
void FailNextCall(std::string_view method, HResult result) {
    S().failures.push_back({std::string(method), result});
}
void LoseAllSurfaces() {
    for (DirectDrawSurface7* s : S().surfaces) SurfaceAccess::Lose(s);
}
int LiveSurfaceCount() { return int(S().surfaces.size()); }
int LiveDirectDrawCount() { return S().live_dd; }
void LastPresentedFrame(std::vector<uint32_t>* pixels, int* width, int* height) {
    *pixels = S().frame;
    *width = S().frame_w;
    *height = S().frame_h;
}
int PresentCount() { return S().presents; }

}  // namespace plat

// The display stand-in: one display card with its modes, surfaces held in
// memory in the requested pixel format, palettes, clippers and a GDI-like
// copy between formats.  What reaches the screen is presented through the
// main window's OpenGL context.  Every call returns a result code with the
// published numeric value, so the support library reports failures by name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/com.h"

namespace plat {

// ---- Result codes -------------------------------------------------------
inline constexpr HResult kDdOk = 0;
inline constexpr HResult kDdErrAlreadyInitialized = int32_t(0x88760005);
inline constexpr HResult kDdErrInvalidCaps = int32_t(0x88760064);
inline constexpr HResult kDdErrInvalidMode = int32_t(0x88760078);
inline constexpr HResult kDdErrInvalidObject = int32_t(0x88760082);
inline constexpr HResult kDdErrInvalidPixelFormat = int32_t(0x88760091);
inline constexpr HResult kDdErrInvalidRect = int32_t(0x88760096);
inline constexpr HResult kDdErrNoCooperativeLevelSet = int32_t(0x887600D4);
inline constexpr HResult kDdErrNoExclusiveMode = int32_t(0x887600E1);
inline constexpr HResult kDdErrNotFound = int32_t(0x887600FF);
inline constexpr HResult kDdErrNoStretchHw = int32_t(0x88760136);
inline constexpr HResult kDdErrSurfaceAlreadyAttached = int32_t(0x8876019A);
inline constexpr HResult kDdErrSurfaceBusy = int32_t(0x887601AE);
inline constexpr HResult kDdErrSurfaceLost = int32_t(0x887601C2);
inline constexpr HResult kDdErrSurfaceNotAttached = int32_t(0x887601CC);
inline constexpr HResult kDdErrUnsupportedFormat = int32_t(0x887601FE);
inline constexpr HResult kDdErrInvalidDirectDrawGuid = int32_t(0x88760231);
inline constexpr HResult kDdErrPrimarySurfaceAlreadyExists = int32_t(0x88760234);
inline constexpr HResult kDdErrNoHwnd = int32_t(0x88760239);
inline constexpr HResult kDdErrNoPaletteAttached = int32_t(0x8876023C);
inline constexpr HResult kDdErrNotFlippable = int32_t(0x88760246);
inline constexpr HResult kDdErrNotLocked = int32_t(0x88760248);
inline constexpr HResult kDdErrCantCreateDc = int32_t(0x88760249);
inline constexpr HResult kDdErrNotPalettized = int32_t(0x8876024D);
inline constexpr HResult kDdErrUnsupportedMode = int32_t(0x8876024E);
inline constexpr HResult kDdErrDcAlreadyCreated = int32_t(0x8876026C);
inline constexpr HResult kDdErrNotInitialized = int32_t(0x800401F0);

// ---- Identifiers --------------------------------------------------------
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
    friend bool operator==(const Guid&, const Guid&) = default;
};
static_assert(sizeof(Guid) == 16);

// The one 3D device every card carries (rendering through OpenGL).
inline constexpr Guid kGLDeviceGuid = {
    0x48564C44, 0x0007, 0x4F47, {0x86, 0x4C, 0x52, 0x45, 0x4E, 0x44, 0x45, 0x52}};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// ---- Pixel formats ------------------------------------------------------
enum : uint32_t {
    kPfAlphaPixels = 0x00000001,
    kPfAlpha = 0x00000002,
    kPfPaletteIndexed4 = 0x00000008,
    kPfPaletteIndexedTo8 = 0x00000010,
    kPfPaletteIndexed8 = 0x00000020,
    kPfRgb = 0x00000040,
    kPfZBuffer = 0x00000400,
    kPfPaletteIndexed1 = 0x00000800,
    kPfPaletteIndexed2 = 0x00001000,
    kPfStencilBuffer = 0x00004000,
};

struct PixelFormat {
    uint32_t flags = 0;
    uint32_t bit_count = 0;  // RGB bits, or the whole depth of a z-buffer
    uint32_t red_mask = 0;
    uint32_t green_mask = 0;
    uint32_t blue_mask = 0;
    uint32_t alpha_mask = 0;
    uint32_t z_mask = 0;  // z-buffers: the depth bits, the stencil depth and bits
    uint32_t stencil_depth = 0;
    uint32_t stencil_mask = 0;
};

// ---- Surfaces -----------------------------------------------------------
enum : uint32_t {
    kCapsBackBuffer = 0x00000004,
    kCapsComplex = 0x00000008,
    kCapsFlip = 0x00000010,
    kCapsOffscreenPlain = 0x00000040,
    kCapsPrimarySurface = 0x00000200,
    kCapsSystemMemory = 0x00000800,
    kCapsTexture = 0x00001000,
    kCaps3DDevice = 0x00002000,
    kCapsVideoMemory = 0x00004000,
    kCapsZBuffer = 0x00020000,
    kCapsModeX = 0x00200000,
    kCapsMipMap = 0x00400000,
    kCapsLocalVidMem = 0x10000000,
    kCapsStandardVgaMode = 0x40000000,
};

// Which fields of a surface description are meaningful.
enum : uint32_t {
    kSdCaps = 0x00000001,
    kSdHeight = 0x00000002,
    kSdWidth = 0x00000004,
    kSdPitch = 0x00000008,
    kSdBackBufferCount = 0x00000020,
    kSdLpSurface = 0x00000800,
    kSdPixelFormat = 0x00001000,
    kSdMipMapCount = 0x00020000,
    kSdRefreshRate = 0x00040000,
};

// Second caps word.
enum : uint32_t {
    kCaps2HintStatic = 0x00000008,
    kCaps2TextureManage = 0x00000010,
    kCaps2MipMapSubLevel = 0x00010000,
};

struct SurfaceDesc {
    uint32_t flags = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t pitch = 0;
    uint32_t back_buffer_count = 0;
    uint32_t refresh_rate = 0;
    void* surface = nullptr;  // first pixel, filled by Lock
    PixelFormat pixel_format;
    uint32_t caps = 0;
    uint32_t caps2 = 0;
    uint32_t mip_map_count = 0;  // levels of a mip-mapped texture, the top included
};

enum : uint32_t {
    kLockWait = 0x00000001,
    kLockReadOnly = 0x00000010,
    kLockWriteOnly = 0x00000020,
    kLockNoSysLock = 0x00000800,
};
enum : uint32_t { kFlipWait = 0x00000001 };
enum : uint32_t { kBltColorFill = 0x00000400, kBltWait = 0x01000000 };
struct BltFx {
    uint32_t fill_color = 0;
};

// Cooperative levels.
enum : uint32_t {
    kSclFullscreen = 0x00000001,
    kSclNormal = 0x00000008,
    kSclExclusive = 0x00000010,
    kSclAllowModeX = 0x00000040,
    kSclSetDeviceWindow = 0x00000100,
};

// Display mode enumeration and setting.
enum : uint32_t { kEdmStandardVgaModes = 0x00000002 };
enum : uint32_t { kSdmStandardVgaMode = 0x00000001 };
enum : int { kEnumCancel = 0, kEnumOk = 1 };

// Card enumeration passes.
enum : uint32_t {
    kEnumAttachedSecondary = 0x00000001,
    kEnumDetachedSecondary = 0x00000002,
    kEnumNonDisplay = 0x00000004,
};

// Driver capabilities.
enum : uint32_t { kDdCaps3D = 0x00000001 };
enum : uint32_t { kDdCaps2CanRenderWindowed = 0x00080000 };
struct DriverCaps {
    uint32_t caps = 0;
    uint32_t caps2 = 0;
    uint32_t video_memory_total = 0;
    uint32_t video_memory_free = 0;
};

struct DeviceIdentifier {
    char driver[512] = {};
    char description[512] = {};
    uint64_t driver_version = 0;
    uint32_t vendor_id = 0;
    uint32_t device_id = 0;
    Guid device_identifier;
};

// Palettes.
enum : uint32_t { kPCaps8Bit = 0x00000004, kPCapsAllow256 = 0x00000040 };
struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

// ---- Objects ------------------------------------------------------------
class Unknown {
  public:
    uint32_t AddRef() { return ++refs_; }
    uint32_t Release();

  protected:
    virtual ~Unknown() = default;

  private:
    uint32_t refs_ = 1;
};

class DirectDrawPalette : public Unknown {
  public:
    HResult SetEntries(uint32_t flags, uint32_t start, uint32_t count, const PaletteEntry* entries);
    HResult GetEntries(uint32_t flags, uint32_t start, uint32_t count, PaletteEntry* entries);

    PaletteEntry entries_[256];
};

class DirectDrawClipper : public Unknown {
  public:
    // window is the support library's handle of the main window.
    HResult SetHWnd(uint32_t flags, void* window);

    void* window_ = nullptr;
};

struct DeviceContext;
class DirectDraw7;
class DirectDrawSurface7;

// A copy of a surface's pixels held outside its memory: the 3D device's
// frame buffer, or a texture in the GL context.  The surface asks it to
// bring the memory up to date before the CPU reads, tells it when the CPU
// has written, and says goodbye when it goes.
class SurfaceMirror {
  public:
    virtual void Pull(DirectDrawSurface7* surface) = 0;
    virtual void Changed(DirectDrawSurface7* surface) = 0;
    virtual void Detach(DirectDrawSurface7* surface) = 0;

  protected:
    ~SurfaceMirror() = default;
};

class DirectDrawSurface7 : public Unknown {
  public:
    HResult Lock(const Rect* rect, SurfaceDesc* out, uint32_t flags, void* event);
    HResult Unlock(const Rect* rect);
    HResult Blt(const Rect* dest, DirectDrawSurface7* source, const Rect* source_rect, uint32_t flags,
                const BltFx* fx);
    HResult Flip(DirectDrawSurface7* target, uint32_t flags);
    HResult GetAttachedSurface(uint32_t caps, DirectDrawSurface7** out);
    HResult AddAttachedSurface(DirectDrawSurface7* surface);
    HResult GetPixelFormat(PixelFormat* out);
    HResult GetSurfaceDesc(SurfaceDesc* out);
    HResult SetPalette(DirectDrawPalette* palette);
    HResult GetPalette(DirectDrawPalette** out);
    HResult SetClipper(DirectDrawClipper* clipper);
    HResult GetDC(DeviceContext** out);
    HResult ReleaseDC(DeviceContext* dc);
    HResult IsLost();
    HResult Restore();

    // ---- Stand-in internals (read by the 3D layer and by tests) --------
    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    int32_t Pitch() const { return pitch_; }
    const PixelFormat& Format() const { return format_; }
    uint32_t Caps() const { return caps_; }
    uint8_t* Pixels() { return pixels_.data(); }
    bool Locked() const { return locked_; }
    DirectDrawSurface7* Attached() const { return attached_; }
    DirectDrawPalette* Palette() const { return palette_; }
    bool IsPrimary() const { return (caps_ & kCapsPrimarySurface) != 0; }
    uint32_t Caps2() const { return caps2_; }
    bool Lost() const { return lost_; }
    DirectDrawSurface7* ZBuffer() const { return zbuffer_; }
    SurfaceMirror* Mirror() const { return mirror_; }
    // A mirror taken off may have left its last frame in the memory.
    void SetMirror(SurfaceMirror* mirror);

  private:
    friend class DirectDraw7;
    friend struct SurfaceAccess;
    ~DirectDrawSurface7() override;

    DirectDraw7* owner_ = nullptr;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    int32_t pitch_ = 0;
    uint32_t caps_ = 0;
    uint32_t caps2_ = 0;
    PixelFormat format_;
    std::vector<uint8_t> pixels_;
    bool locked_ = false;
    bool lost_ = false;
    bool dc_out_ = false;
    bool owns_attached_ = false;  // the back buffer of a flipping chain
    DirectDrawSurface7* attached_ = nullptr;
    DirectDrawSurface7* zbuffer_ = nullptr;
    DirectDrawPalette* palette_ = nullptr;
    DirectDrawClipper* clipper_ = nullptr;
    SurfaceMirror* mirror_ = nullptr;
};

// The Direct3D object of a card, as far as the device survey needs it.
struct D3DDeviceDesc {
    uint32_t dev_caps = 0;
    uint32_t raster_caps = 0;          // triangle caps
    uint32_t texture_caps = 0;         // triangle caps
    uint32_t texture_filter_caps = 0;  // triangle caps
    uint32_t render_bit_depth = 0;     // kBd* bits
    uint32_t zbuffer_bit_depth = 0;
    uint32_t min_texture_width = 0;
    uint32_t min_texture_height = 0;
    uint32_t max_texture_width = 0;
    uint32_t max_texture_height = 0;
    uint32_t max_texture_aspect_ratio = 0;
    Guid device_guid;
};
enum : uint32_t { kD3DDevCapsHwTransformAndLight = 0x00010000, kD3DDevCapsHwRasterization = 0x00080000 };
enum : uint32_t {
    kD3DRasterSubPixel = 0x00000020,
    kD3DRasterSubPixelX = 0x00000040,
    kD3DRasterFogTable = 0x00000100,
    kD3DRasterZBufferlessHsr = 0x00008000,
};
enum : uint32_t { kD3DTextureSquareOnly = 0x00000020 };
enum : uint32_t {
    kD3DFilterLinear = 0x00000002,
    kD3DFilterMipNearest = 0x00000004,
    kD3DFilterMipLinear = 0x00000008,
    kD3DFilterLinearMipNearest = 0x00000010,
    kD3DFilterLinearMipLinear = 0x00000020,
};
enum : uint32_t { kBd32 = 0x00000100, kBd24 = 0x00000200, kBd16 = 0x00000400, kBd8 = 0x00000800 };

class Direct3DDevice7;
class Direct3DVertexBuffer7;
struct D3DVertexBufferDesc;

using D3DEnumDevicesCallback = int (*)(const char* description, const char* name, const D3DDeviceDesc* desc,
                                       void* context);
using D3DEnumZBufferCallback = int (*)(const PixelFormat* format, void* context);

class Direct3D7 : public Unknown {
  public:
    HResult EnumDevices(D3DEnumDevicesCallback callback, void* context);
    HResult EnumZBufferFormats(const Guid& device, D3DEnumZBufferCallback callback, void* context);
    // The 3D device on a render target (platform/d3d.h).
    HResult CreateDevice(const Guid& device, DirectDrawSurface7* target, Direct3DDevice7** out);
    HResult CreateVertexBuffer(const D3DVertexBufferDesc* desc, Direct3DVertexBuffer7** out, uint32_t flags);

    DirectDraw7* owner_ = nullptr;

  private:
    ~Direct3D7() override;
};

using EnumModesCallback = int (*)(const SurfaceDesc* mode, void* context);

class DirectDraw7 : public Unknown {
  public:
    HResult Initialize(const Guid* guid);
    HResult GetDeviceIdentifier(DeviceIdentifier* out, uint32_t flags);
    HResult GetCaps(DriverCaps* hardware, DriverCaps* emulation);
    HResult GetAvailableVidMem(uint32_t caps, uint32_t* total, uint32_t* free);
    HResult QueryDirect3D7(Direct3D7** out);
    HResult SetCooperativeLevel(void* window, uint32_t flags);
    HResult EnumDisplayModes(uint32_t flags, const SurfaceDesc* filter, void* context,
                             EnumModesCallback callback);
    HResult SetDisplayMode(uint32_t width, uint32_t height, uint32_t bits, uint32_t refresh, uint32_t flags);
    HResult RestoreDisplayMode();
    HResult CreateSurface(const SurfaceDesc* desc, DirectDrawSurface7** out, void* outer);
    HResult CreatePalette(uint32_t flags, const PaletteEntry* entries, DirectDrawPalette** out, void* outer);
    HResult CreateClipper(uint32_t flags, DirectDrawClipper** out, void* outer);

    // ---- Stand-in internals -------------------------------------------
    int card_ = -1;  // index of the card it was initialised on
    uint32_t cooperative_ = 0;
    void* window_ = nullptr;
    bool mode_set_ = false;
    uint32_t mode_width_ = 0;
    uint32_t mode_height_ = 0;
    uint32_t mode_bits_ = 0;
    DirectDrawSurface7* primary_ = nullptr;  // not counted
    uint32_t video_used_ = 0;

  private:
    friend class DirectDrawSurface7;
    ~DirectDraw7() override;
};

// ---- Process-wide entry points ------------------------------------------
using EnumCardsCallback = int (*)(Guid* guid, char* description, char* driver_name, void* context,
                                  void* monitor);
HResult DirectDrawEnumerateEx(EnumCardsCallback callback, void* context, uint32_t flags);

// Creates an uninitialised DirectDraw 7 object (Initialize picks the card).
HResult CoCreateDirectDraw7(DirectDraw7** out);

// Copies a rectangle between two device contexts, converting pixel formats
// (8-bit sources through their palette).  False when either context is
// bad or the rectangle leaves the source.
bool BitBlt(DeviceContext* dest, int x, int y, int width, int height, DeviceContext* source, int source_x,
            int source_y);

// Shows a screen update that was held back to keep the frame rate sane.
void FlushPendingPresent();
// What the message pump calls: the same, at once on the host's clock.  On the
// manual clock of a driven run the picture waits until the refresh interval
// has passed on that clock, so a run that polls every driven millisecond
// (a screen wipe) is shown at a display's pace and not once a poll.
void FlushPendingPresentWhenDue();
// The window has to show its picture again although the screen has not
// changed (the host lost it: uncovered, resized or first shown).  The next
// present of the primary surface draws the whole picture.
void ForceFullPresent();

// ---- Test seam ----------------------------------------------------------
// Extra cards beside the primary display driver.
struct TestCard {
    Guid guid;
    const char* description = "";
    const char* driver = "";
    uint32_t pass = 1;         // 1 attached, 2 detached secondary, 3 non-display
    bool fails_probe = false;  // Initialize fails with kDdErrInvalidDirectDrawGuid
    int device_count = 1;      // copies of the 3D device it reports
};
void SetTestCards(const std::vector<TestCard>& cards);
// The number of 3D devices the primary card reports (default 1).
void SetPrimaryDeviceCountForTests(int count);
// Replaces the z-buffer formats the 3D device reports (empty = the default).
void SetZBufferFormatsForTests(const std::vector<PixelFormat>& formats);
// The desktop's pixel depth as the stand-in reports it (16, 24, 32; 0 =
// what the host says).
void SetDesktopBitsForTests(uint32_t bits);
// Makes the next call of the named method fail with the result.
void FailNextCall(std::string_view method, HResult result);
// The failure queued for a method, taken off the queue (kDdOk when none);
// the 3D device's methods use it too.
HResult TakeInjectedFailure(std::string_view method);
// Marks every live surface lost, as a switch away from exclusive mode does.
void LoseAllSurfaces();
// Live objects (for leak checks).
int LiveSurfaceCount();
int LiveDirectDrawCount();
// The last picture presented in the window, as 0xRRGGBB per pixel, row by
// row; empty before the first present.
void LastPresentedFrame(std::vector<uint32_t>* pixels, int* width, int* height);
// Presents counted since start.
int PresentCount();

}  // namespace plat

// The 3D device stand-in: the immediate-mode device of the display card,
// drawn with OpenGL's fixed-function pipeline in the main window's context.
// The device renders into a frame buffer of its own the size of its render
// target; the target's memory is brought up to date whenever the CPU reads
// it (lock, blit, flip, grab), and memory the CPU wrote is sent back before
// the next drawing.  Transforms and lighting are done here, on the CPU,
// with the device's own rules (row vectors, depth 0..1, lights in world
// space, material colour sources); GL clips, rasterises, textures, fogs,
// tests and blends.  Every call returns a result code with its published
// value.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/ddraw.h"

namespace plat {

// ---- Result codes -----------------------------------------------------------
inline constexpr HResult kD3DErrInitFailed = int32_t(0x887602C2);
inline constexpr HResult kD3DErrInvalidPrimitiveType = int32_t(0x887602E0);
inline constexpr HResult kD3DErrLightSetFailed = int32_t(0x887602EE);
inline constexpr HResult kD3DErrSceneInScene = int32_t(0x887602F8);
inline constexpr HResult kD3DErrSceneNotInScene = int32_t(0x887602F9);
inline constexpr HResult kD3DErrInvalidVertexFormat = int32_t(0x88760800);
inline constexpr HResult kD3DErrVertexBufferLocked = int32_t(0x8876080E);
inline constexpr HResult kD3DErrZBufferNotPresent = int32_t(0x88760816);
inline constexpr HResult kD3DErrStencilBufferNotPresent = int32_t(0x88760817);

// ---- Records ----------------------------------------------------------------
struct D3DColorValue {
    float r, g, b, a;
};
struct D3DVector {
    float x, y, z;
};
// Row-major; points are row vectors on the left.
struct D3DMatrix {
    float m[4][4];
};
struct D3DViewport7 {
    uint32_t x, y, width, height;
    float min_z, max_z;
};
struct D3DMaterial7 {
    D3DColorValue diffuse, ambient, specular, emissive;
    float power;
};
struct D3DLight7 {
    uint32_t type;
    D3DColorValue diffuse, specular, ambient;
    D3DVector position, direction;
    float range, falloff, attenuation0, attenuation1, attenuation2, theta, phi;
};
struct D3DRect {
    int32_t x1, y1, x2, y2;
};
struct D3DVertexBufferDesc {
    uint32_t size;
    uint32_t caps;
    uint32_t fvf;
    uint32_t num_vertices;
};
// Texture-manager statistics (device information 1).
struct D3DTextureManagerInfo {
    uint32_t thrashing;
    uint32_t approx_bytes_downloaded;
    uint32_t num_evicts;
    uint32_t num_vid_creates;
    uint32_t num_textures_used;
    uint32_t num_used_tex_in_vid;
    uint32_t working_set;
    uint32_t working_set_bytes;
    uint32_t total_managed;
    uint32_t total_bytes;
    uint32_t last_pri;
};
static_assert(sizeof(D3DColorValue) == 16);
static_assert(sizeof(D3DMatrix) == 64);
static_assert(sizeof(D3DViewport7) == 24);
static_assert(sizeof(D3DMaterial7) == 68);
static_assert(sizeof(D3DLight7) == 104);
static_assert(sizeof(D3DTextureManagerInfo) == 44);

// ---- Numbers ----------------------------------------------------------------
enum : uint32_t {
    kPtPointList = 1,
    kPtLineList = 2,
    kPtLineStrip = 3,
    kPtTriangleList = 4,
    kPtTriangleStrip = 5,
    kPtTriangleFan = 6,
};

// Flexible vertex formats.
enum : uint32_t {
    kFvfXyz = 0x002,
    kFvfXyzRhw = 0x004,
    kFvfPositionMask = 0x00E,
    kFvfNormal = 0x010,
    kFvfReserved1 = 0x020,
    kFvfDiffuse = 0x040,
    kFvfSpecular = 0x080,
    kFvfTexCountMask = 0xF00,
    kFvfTexCountShift = 8,
    kFvfTex1 = 0x100,
};

enum : uint32_t { kTransformWorld = 1, kTransformView = 2, kTransformProjection = 3 };
enum : uint32_t { kClearTarget = 1, kClearZBuffer = 2, kClearStencil = 4 };
enum : uint32_t { kLightPoint = 1, kLightSpot = 2, kLightDirectional = 3 };
inline constexpr uint32_t kMaxActiveLights = 8;

// Render states.
enum : uint32_t {
    kRsAntialias = 2,
    kRsTexturePerspective = 4,
    kRsZEnable = 7,
    kRsFillMode = 8,
    kRsShadeMode = 9,
    kRsLinePattern = 10,
    kRsZWriteEnable = 14,
    kRsAlphaTestEnable = 15,
    kRsLastPixel = 16,
    kRsSrcBlend = 19,
    kRsDestBlend = 20,
    kRsCullMode = 22,
    kRsZFunc = 23,
    kRsAlphaRef = 24,
    kRsAlphaFunc = 25,
    kRsDitherEnable = 26,
    kRsAlphaBlendEnable = 27,
    kRsFogEnable = 28,
    kRsSpecularEnable = 29,
    kRsZVisible = 30,
    kRsStippledAlpha = 33,
    kRsFogColor = 34,
    kRsFogTableMode = 35,
    kRsFogStart = 36,
    kRsFogEnd = 37,
    kRsFogDensity = 38,
    kRsEdgeAntialias = 40,
    kRsColorKeyEnable = 41,
    kRsZBias = 47,
    kRsRangeFogEnable = 48,
    kRsStencilEnable = 52,
    kRsStencilFail = 53,
    kRsStencilZFail = 54,
    kRsStencilPass = 55,
    kRsStencilFunc = 56,
    kRsStencilRef = 57,
    kRsStencilMask = 58,
    kRsStencilWriteMask = 59,
    kRsTextureFactor = 60,
    kRsWrap0 = 128,
    kRsClipping = 136,
    kRsLighting = 137,
    kRsExtents = 138,
    kRsAmbient = 139,
    kRsFogVertexMode = 140,
    kRsColorVertex = 141,
    kRsLocalViewer = 142,
    kRsNormalizeNormals = 143,
    kRsColorKeyBlendEnable = 144,
    kRsDiffuseMaterialSource = 145,
    kRsSpecularMaterialSource = 146,
    kRsAmbientMaterialSource = 147,
    kRsEmissiveMaterialSource = 148,
    kRsVertexBlend = 151,
    kRsClipPlaneEnable = 152,
};
inline constexpr uint32_t kRenderStateCount = 256;

// Render-state values.
enum : uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcColor = 3,
    kBlendInvSrcColor = 4,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInvDestAlpha = 8,
    kBlendDestColor = 9,
    kBlendInvDestColor = 10,
    kBlendSrcAlphaSat = 11,
    kBlendBothSrcAlpha = 12,
    kBlendBothInvSrcAlpha = 13,
};
enum : uint32_t {
    kCmpNever = 1,
    kCmpLess = 2,
    kCmpEqual = 3,
    kCmpLessEqual = 4,
    kCmpGreater = 5,
    kCmpNotEqual = 6,
    kCmpGreaterEqual = 7,
    kCmpAlways = 8,
};
enum : uint32_t { kCullNone = 1, kCullCw = 2, kCullCcw = 3 };
enum : uint32_t { kShadeFlat = 1, kShadeGouraud = 2, kShadePhong = 3 };
enum : uint32_t { kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3 };
enum : uint32_t { kFogNone = 0, kFogExp = 1, kFogExp2 = 2, kFogLinear = 3 };
enum : uint32_t {
    kStencilOpKeep = 1,
    kStencilOpZero = 2,
    kStencilOpReplace = 3,
    kStencilOpIncrSat = 4,
    kStencilOpDecrSat = 5,
    kStencilOpInvert = 6,
    kStencilOpIncr = 7,
    kStencilOpDecr = 8,
};
enum : uint32_t { kMcsMaterial = 0, kMcsColor1 = 1, kMcsColor2 = 2 };

// Texture-stage states.
enum : uint32_t {
    kTssColorOp = 1,
    kTssColorArg1 = 2,
    kTssColorArg2 = 3,
    kTssAlphaOp = 4,
    kTssAlphaArg1 = 5,
    kTssAlphaArg2 = 6,
    kTssBumpEnvMat00 = 7,
    kTssTexCoordIndex = 11,
    kTssAddress = 12,
    kTssAddressU = 13,
    kTssAddressV = 14,
    kTssBorderColor = 15,
    kTssMagFilter = 16,
    kTssMinFilter = 17,
    kTssMipFilter = 18,
    kTssMipMapLodBias = 19,
    kTssMaxMipLevel = 20,
    kTssMaxAnisotropy = 21,
    kTssTextureTransformFlags = 24,
};
inline constexpr uint32_t kTextureStageStateCount = 25;
inline constexpr uint32_t kTextureStageCount = 8;

enum : uint32_t {
    kTopDisable = 1,
    kTopSelectArg1 = 2,
    kTopSelectArg2 = 3,
    kTopModulate = 4,
    kTopModulate2x = 5,
    kTopModulate4x = 6,
    kTopAdd = 7,
    kTopAddSigned = 8,
    kTopAddSigned2x = 9,
    kTopSubtract = 10,
    kTopAddSmooth = 11,
    kTopBlendDiffuseAlpha = 12,
    kTopBlendTextureAlpha = 13,
    kTopBlendFactorAlpha = 14,
    kTopBlendTextureAlphaPm = 15,
    kTopBlendCurrentAlpha = 16,
};
enum : uint32_t {
    kTaDiffuse = 0,
    kTaCurrent = 1,
    kTaTexture = 2,
    kTaTFactor = 3,
    kTaSpecular = 4,
    kTaSelectMask = 0x0F,
    kTaComplement = 0x10,
    kTaAlphaReplicate = 0x20,
};
enum : uint32_t { kTaddressWrap = 1, kTaddressMirror = 2, kTaddressClamp = 3, kTaddressBorder = 4 };
enum : uint32_t { kTfgPoint = 1, kTfgLinear = 2 };                // magnification
enum : uint32_t { kTfnPoint = 1, kTfnLinear = 2 };                // minification
enum : uint32_t { kTfpNone = 1, kTfpPoint = 2, kTfpLinear = 3 };  // between mip levels

// Sphere visibility: a sphere partly (union) or wholly (intersection)
// outside a plane of the view volume.
enum : uint32_t {
    kClipUnionLeft = 0x001,
    kClipUnionRight = 0x002,
    kClipUnionTop = 0x004,
    kClipUnionBottom = 0x008,
    kClipUnionFront = 0x010,
    kClipUnionBack = 0x020,
    kClipIntersectionShift = 12,
};

enum : uint32_t { kDevInfoTextureManager = 1 };

using D3DEnumTextureFormatsCallback = int (*)(PixelFormat* format, void* context);

// ---- Objects ----------------------------------------------------------------
class Direct3DVertexBuffer7 : public Unknown {
  public:
    HResult Lock(uint32_t flags, void** data, uint32_t* size);
    HResult Unlock();
    HResult GetVertexBufferDesc(D3DVertexBufferDesc* out);

    D3DVertexBufferDesc desc_{};
    std::vector<uint8_t> data_;
    bool locked_ = false;

  private:
    friend class Direct3D7;
    ~Direct3DVertexBuffer7() override = default;
};

struct DeviceImpl;

class Direct3DDevice7 : public Unknown {
  public:
    HResult EnumTextureFormats(D3DEnumTextureFormatsCallback callback, void* context);
    HResult BeginScene();
    HResult EndScene();
    HResult Clear(uint32_t count, const D3DRect* rects, uint32_t flags, uint32_t colour, float z,
                  uint32_t stencil);
    HResult SetViewport(const D3DViewport7* viewport);
    HResult GetViewport(D3DViewport7* viewport);
    HResult SetTransform(uint32_t type, const D3DMatrix* matrix);
    HResult GetTransform(uint32_t type, D3DMatrix* matrix);
    HResult SetMaterial(const D3DMaterial7* material);
    HResult GetMaterial(D3DMaterial7* material);
    HResult SetLight(uint32_t index, const D3DLight7* light);
    HResult GetLight(uint32_t index, D3DLight7* light);
    HResult LightEnable(uint32_t index, int enable);
    HResult GetLightEnable(uint32_t index, int* enable);
    HResult SetRenderState(uint32_t state, uint32_t value);
    HResult GetRenderState(uint32_t state, uint32_t* value);
    HResult SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);
    HResult GetTextureStageState(uint32_t stage, uint32_t type, uint32_t* value);
    HResult SetTexture(uint32_t stage, DirectDrawSurface7* texture);
    HResult GetTexture(uint32_t stage, DirectDrawSurface7** texture);
    HResult DrawPrimitive(uint32_t type, uint32_t fvf, const void* vertices, uint32_t count, uint32_t flags);
    HResult DrawIndexedPrimitive(uint32_t type, uint32_t fvf, const void* vertices, uint32_t vertex_count,
                                 const uint16_t* indices, uint32_t index_count, uint32_t flags);
    HResult DrawPrimitiveVB(uint32_t type, Direct3DVertexBuffer7* buffer, uint32_t start, uint32_t count,
                            uint32_t flags);
    HResult DrawIndexedPrimitiveVB(uint32_t type, Direct3DVertexBuffer7* buffer, uint32_t start,
                                   uint32_t vertex_count, const uint16_t* indices, uint32_t index_count,
                                   uint32_t flags);
    HResult ComputeSphereVisibility(const D3DVector* centres, const float* radii, uint32_t count,
                                    uint32_t flags, uint32_t* results);
    HResult GetInfo(uint32_t id, void* data, uint32_t size);
    HResult GetRenderTarget(DirectDrawSurface7** target);

    DeviceImpl* impl_ = nullptr;

  private:
    friend class Direct3D7;
    ~Direct3DDevice7() override;
};

// ---- Test seam --------------------------------------------------------------
// Calls of a device method (by its name, "SetRenderState") since the reset.
int D3DCallCount(std::string_view method);
void ResetD3DCallCounts();
// Puts every render and texture-stage state back to the device's start
// value, as a device that lost them in a task switch would.
void ResetDeviceStatesForTests(Direct3DDevice7* device);
// Replaces the texture formats the device lists (empty = the default).
void SetTextureFormatsForTests(const std::vector<PixelFormat>& formats);
// The formats the device lists by default.
std::vector<PixelFormat> DefaultTextureFormats();

}  // namespace plat

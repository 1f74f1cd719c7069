#include "platform/d3d.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "platform/glcontext.h"

namespace plat {
namespace {

// ---- GL entry points beyond 1.1 ---------------------------------------------
struct GLFunctions {
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus;
    PFNGLFOGCOORDPOINTERPROC FogCoordPointer;
    PFNGLSECONDARYCOLORPOINTERPROC SecondaryColorPointer;
    PFNGLPROVOKINGVERTEXPROC ProvokingVertex;  // optional
};
GLFunctions gl{};
uint32_t g_gl_generation = 0;

template <class T>
bool Load(T* slot, const char* name) {
    *slot = reinterpret_cast<T>(GLProcAddress(name));
    return *slot != nullptr;
}

bool LoadGL() {
    if (g_gl_generation == GLContextGeneration() && gl.BindFramebuffer != nullptr) return true;
    // Every entry point is looked up, so one missing does not hide others.
    const bool found[] = {
        Load(&gl.GenFramebuffers, "glGenFramebuffers"),
        Load(&gl.DeleteFramebuffers, "glDeleteFramebuffers"),
        Load(&gl.BindFramebuffer, "glBindFramebuffer"),
        Load(&gl.FramebufferTexture2D, "glFramebufferTexture2D"),
        Load(&gl.GenRenderbuffers, "glGenRenderbuffers"),
        Load(&gl.DeleteRenderbuffers, "glDeleteRenderbuffers"),
        Load(&gl.BindRenderbuffer, "glBindRenderbuffer"),
        Load(&gl.RenderbufferStorage, "glRenderbufferStorage"),
        Load(&gl.FramebufferRenderbuffer, "glFramebufferRenderbuffer"),
        Load(&gl.CheckFramebufferStatus, "glCheckFramebufferStatus"),
        Load(&gl.FogCoordPointer, "glFogCoordPointer"),
        Load(&gl.SecondaryColorPointer, "glSecondaryColorPointer"),
    };
    const bool ok = std::all_of(std::begin(found), std::end(found), [](bool b) { return b; });
    Load(&gl.ProvokingVertex, "glProvokingVertex");
    if (!ok) {
        gl.BindFramebuffer = nullptr;
        return false;
    }
    g_gl_generation = GLContextGeneration();
    return true;
}

// ---- Test seam state ----------------------------------------------------------
std::map<std::string, int, std::less<>>& Counts() {
    static std::map<std::string, int, std::less<>> counts;
    return counts;
}

std::vector<PixelFormat>& TestFormats() {
    static std::vector<PixelFormat> formats;
    return formats;
}

HResult Enter(std::string_view method) {
    auto& counts = Counts();
    auto it = counts.find(method);
    if (it == counts.end()) it = counts.emplace(std::string(method), 0).first;
    ++it->second;
    return TakeInjectedFailure(method);
}

#define D3D_ENTER(name)                          \
    do {                                         \
        if (HResult r_ = Enter(name)) return r_; \
    } while (0)

uint32_t FloatBits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

float BitsFloat(uint32_t u) {
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// ---- Pixel formats ------------------------------------------------------------
PixelFormat Rgb(uint32_t bits, uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    PixelFormat f;
    f.flags = kPfRgb | (a != 0 ? uint32_t(kPfAlphaPixels) : 0u);
    f.bit_count = bits;
    f.alpha_mask = a;
    f.red_mask = r;
    f.green_mask = g;
    f.blue_mask = b;
    return f;
}

uint32_t Channel8(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = __builtin_ctz(mask);
    const int bits = __builtin_popcount(mask);
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) {
        const int s = 8 - filled - bits;
        out |= s >= 0 ? v << s : v >> -s;
    }
    return out & 0xFF;
}

uint32_t Place(uint32_t c8, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = __builtin_ctz(mask);
    const int bits = __builtin_popcount(mask);
    const uint32_t v = bits >= 8 ? c8 << (bits - 8) : c8 >> (8 - bits);
    return (v << shift) & mask;
}

// How GL takes a pixel format without conversion (format 0: it cannot).
struct GLLayout {
    GLenum format = 0;
    GLenum type = 0;
    bool alpha = false;
};

GLLayout LayoutFor(const PixelFormat& f) {
    const bool a = (f.flags & kPfAlphaPixels) != 0;
    const uint32_t am = a ? f.alpha_mask : 0;
    auto is = [&](uint32_t bits, uint32_t alpha, uint32_t r, uint32_t g, uint32_t b) {
        return f.bit_count == bits && am == alpha && f.red_mask == r && f.green_mask == g && f.blue_mask == b;
    };
    if (is(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF) || is(32, 0, 0xFF0000, 0xFF00, 0xFF)) {
        return {GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, a};
    }
    if (is(16, 0, 0xF800, 0x07E0, 0x001F)) return {GL_RGB, GL_UNSIGNED_SHORT_5_6_5, false};
    if (is(16, 0x8000, 0x7C00, 0x03E0, 0x001F) || is(16, 0, 0x7C00, 0x03E0, 0x001F)) {
        return {GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, a};
    }
    if (is(16, 0xF000, 0x0F00, 0x00F0, 0x000F)) return {GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true};
    if (is(24, 0, 0xFF0000, 0xFF00, 0xFF)) return {GL_BGR, GL_UNSIGNED_BYTE, false};
    return {};
}

uint32_t PixelBytes(const PixelFormat& f) { return (f.bit_count + 7) / 8; }

// Rows of a surface, top first, into tight rows that GL takes (bottom first
// when flip is set).  Formats GL cannot take become R, G, B, A bytes.
void PackRows(DirectDrawSurface7* s, const GLLayout& layout, bool flip, std::vector<uint8_t>* out) {
    const PixelFormat& f = s->Format();
    const uint32_t w = s->Width(), h = s->Height(), bytes = PixelBytes(f);
    const size_t row = size_t(w) * (layout.format != 0 ? bytes : 4u);
    out->resize(row * h);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* in = s->Pixels() + size_t(y) * size_t(s->Pitch());
        uint8_t* dst = out->data() + size_t(flip ? h - 1 - y : y) * row;
        if (layout.format != 0) {
            std::memcpy(dst, in, row);
            continue;
        }
        const bool has_alpha = (f.flags & kPfAlphaPixels) != 0;
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t p = 0;
            std::memcpy(&p, in + size_t(x) * bytes, bytes);
            dst[x * 4 + 0] = uint8_t(Channel8(p, f.red_mask));
            dst[x * 4 + 1] = uint8_t(Channel8(p, f.green_mask));
            dst[x * 4 + 2] = uint8_t(Channel8(p, f.blue_mask));
            dst[x * 4 + 3] = has_alpha ? uint8_t(Channel8(p, f.alpha_mask)) : 255;
        }
    }
}

// ---- Vertex formats -------------------------------------------------------------
struct FvfLayout {
    bool rhw = false;
    bool normal = false;
    bool diffuse = false;
    bool specular = false;
    uint32_t tex_count = 0;
    uint32_t stride = 0;
    uint32_t normal_at = 0;
    uint32_t diffuse_at = 0;
    uint32_t specular_at = 0;
    uint32_t tex_at[8] = {};
};

bool ParseFvf(uint32_t fvf, FvfLayout* l) {
    *l = FvfLayout{};
    const uint32_t position = fvf & kFvfPositionMask;
    if (position != kFvfXyz && position != kFvfXyzRhw) return false;
    if ((fvf & 0x0000F001u) != 0) return false;  // reserved bits, blend weights
    l->rhw = position == kFvfXyzRhw;
    l->normal = (fvf & kFvfNormal) != 0;
    if (l->rhw && (l->normal || (fvf & kFvfReserved1))) return false;
    uint32_t at = l->rhw ? 16 : 12;
    if (fvf & kFvfReserved1) at += 4;
    if (l->normal) {
        l->normal_at = at;
        at += 12;
    }
    l->diffuse = (fvf & kFvfDiffuse) != 0;
    if (l->diffuse) {
        l->diffuse_at = at;
        at += 4;
    }
    l->specular = (fvf & kFvfSpecular) != 0;
    if (l->specular) {
        l->specular_at = at;
        at += 4;
    }
    l->tex_count = (fvf & kFvfTexCountMask) >> kFvfTexCountShift;
    if (l->tex_count > 8) return false;
    for (uint32_t i = 0; i < l->tex_count; ++i) {
        static constexpr uint32_t kFloats[4] = {2, 3, 4, 1};
        l->tex_at[i] = at;
        at += 4 * kFloats[(fvf >> (16 + 2 * i)) & 3];
    }
    // Sizes of sets that are not there must be left zero.
    if (l->tex_count < 8 && (fvf >> (16 + 2 * l->tex_count)) != 0) return false;
    l->stride = at;
    return true;
}

// What GL draws: clip-space position, colours as R, G, B, A bytes, the fog
// coordinate and one texture coordinate pair.
struct GLVertex {
    float pos[4];
    uint8_t diffuse[4];
    uint8_t specular[4];
    float fog;
    float uv[2];
};

struct Colour {
    float r, g, b, a;
};

Colour FromArgb(uint32_t c) {
    return {float((c >> 16) & 0xFF) / 255.0f, float((c >> 8) & 0xFF) / 255.0f, float(c & 0xFF) / 255.0f,
            float(c >> 24) / 255.0f};
}

Colour FromValue(const D3DColorValue& c) { return {c.r, c.g, c.b, c.a}; }

uint8_t Byte(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= 1.0f) return 255;
    return uint8_t(v * 255.0f + 0.5f);
}

void StoreRgba(uint8_t* out, uint32_t argb) {
    out[0] = uint8_t(argb >> 16);
    out[1] = uint8_t(argb >> 8);
    out[2] = uint8_t(argb);
    out[3] = uint8_t(argb >> 24);
}

void StoreColour(uint8_t* out, const Colour& c) {
    out[0] = Byte(c.r);
    out[1] = Byte(c.g);
    out[2] = Byte(c.b);
    out[3] = Byte(c.a);
}

struct Vec3 {
    float x, y, z;
};

Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
Vec3 Normalised(Vec3 a) {
    float l = Length(a);
    return l > 0.0f ? Vec3{a.x / l, a.y / l, a.z / l} : a;
}

D3DMatrix Multiply(const D3DMatrix& a, const D3DMatrix& b) {
    D3DMatrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] =
                a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
        }
    }
    return r;
}

D3DMatrix Identity() {
    D3DMatrix m{};
    for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
    return m;
}

Vec3 TransformPoint(Vec3 p, const D3DMatrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

Vec3 TransformDirection(Vec3 p, const float m[3][3]) {
    return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0], p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1],
            p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2]};
}

// Normals go through the inverse transpose of the world-view matrix.
void NormalMatrix(const D3DMatrix& m, float out[3][3]) {
    const float a = m.m[0][0], b = m.m[0][1], c = m.m[0][2];
    const float d = m.m[1][0], e = m.m[1][1], f = m.m[1][2];
    const float g = m.m[2][0], h = m.m[2][1], i = m.m[2][2];
    const float co[3][3] = {{e * i - f * h, f * g - d * i, d * h - e * g},
                            {c * h - b * i, a * i - c * g, b * g - a * h},
                            {b * f - c * e, c * d - a * f, a * e - b * d}};
    const float det = a * co[0][0] + b * co[0][1] + c * co[0][2];
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 3; ++k) {
            // (M^-1)^T = cofactors / det
            out[r][k] = det != 0.0f ? co[r][k] / det : m.m[r][k];
        }
    }
}

GLenum CompareFunc(uint32_t v) {
    switch (v) {
        case kCmpNever:
            return GL_NEVER;
        case kCmpLess:
            return GL_LESS;
        case kCmpEqual:
            return GL_EQUAL;
        case kCmpLessEqual:
            return GL_LEQUAL;
        case kCmpGreater:
            return GL_GREATER;
        case kCmpNotEqual:
            return GL_NOTEQUAL;
        case kCmpGreaterEqual:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLenum BlendFactor(uint32_t v) {
    switch (v) {
        case kBlendZero:
            return GL_ZERO;
        case kBlendSrcColor:
            return GL_SRC_COLOR;
        case kBlendInvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case kBlendSrcAlpha:
            return GL_SRC_ALPHA;
        case kBlendInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case kBlendDestAlpha:
            return GL_DST_ALPHA;
        case kBlendInvDestAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
        case kBlendDestColor:
            return GL_DST_COLOR;
        case kBlendInvDestColor:
            return GL_ONE_MINUS_DST_COLOR;
        case kBlendSrcAlphaSat:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ONE;
    }
}

GLenum StencilOp(uint32_t v) {
    switch (v) {
        case kStencilOpZero:
            return GL_ZERO;
        case kStencilOpReplace:
            return GL_REPLACE;
        case kStencilOpIncrSat:
            return GL_INCR;
        case kStencilOpDecrSat:
            return GL_DECR;
        case kStencilOpInvert:
            return GL_INVERT;
        case kStencilOpIncr:
            return GL_INCR_WRAP;
        case kStencilOpDecr:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

GLenum AddressMode(uint32_t v) {
    switch (v) {
        case kTaddressMirror:
            return GL_MIRRORED_REPEAT;
        case kTaddressClamp:
            return GL_CLAMP_TO_EDGE;
        case kTaddressBorder:
            return GL_CLAMP_TO_BORDER;
        default:
            return GL_REPEAT;
    }
}

GLenum FogMode(uint32_t v) {
    switch (v) {
        case kFogExp:
            return GL_EXP;
        case kFogExp2:
            return GL_EXP2;
        default:
            return GL_LINEAR;
    }
}

GLenum PrimitiveMode(uint32_t type) {
    switch (type) {
        case kPtPointList:
            return GL_POINTS;
        case kPtLineList:
            return GL_LINES;
        case kPtLineStrip:
            return GL_LINE_STRIP;
        case kPtTriangleList:
            return GL_TRIANGLES;
        case kPtTriangleStrip:
            return GL_TRIANGLE_STRIP;
        default:
            return GL_TRIANGLE_FAN;
    }
}

void DefaultRenderStates(uint32_t* rs, bool depth) {
    std::fill(rs, rs + kRenderStateCount, 0u);
    rs[kRsTexturePerspective] = 1;
    rs[kRsZEnable] = depth ? 1 : 0;
    rs[kRsFillMode] = kFillSolid;
    rs[kRsShadeMode] = kShadeGouraud;
    rs[kRsZWriteEnable] = 1;
    rs[kRsLastPixel] = 1;
    rs[kRsSrcBlend] = kBlendOne;
    rs[kRsDestBlend] = kBlendZero;
    rs[kRsCullMode] = kCullCcw;
    rs[kRsZFunc] = kCmpLessEqual;
    rs[kRsAlphaFunc] = kCmpAlways;
    rs[kRsFogStart] = FloatBits(0.0f);
    rs[kRsFogEnd] = FloatBits(1.0f);
    rs[kRsFogDensity] = FloatBits(1.0f);
    rs[kRsStencilFail] = kStencilOpKeep;
    rs[kRsStencilZFail] = kStencilOpKeep;
    rs[kRsStencilPass] = kStencilOpKeep;
    rs[kRsStencilFunc] = kCmpAlways;
    rs[kRsStencilMask] = 0xFFFFFFFF;
    rs[kRsStencilWriteMask] = 0xFFFFFFFF;
    rs[kRsTextureFactor] = 0xFFFFFFFF;
    rs[kRsClipping] = 1;
    rs[kRsLighting] = 1;
    rs[kRsColorVertex] = 1;
    rs[kRsLocalViewer] = 1;
    rs[kRsDiffuseMaterialSource] = kMcsColor1;
    rs[kRsSpecularMaterialSource] = kMcsColor2;
}

void DefaultStageStates(uint32_t (*tss)[kTextureStageStateCount]) {
    for (uint32_t s = 0; s < kTextureStageCount; ++s) {
        uint32_t* t = tss[s];
        std::fill(t, t + kTextureStageStateCount, 0u);
        t[kTssColorOp] = s == 0 ? kTopModulate : kTopDisable;
        t[kTssColorArg1] = kTaTexture;
        t[kTssColorArg2] = kTaCurrent;
        t[kTssAlphaOp] = s == 0 ? kTopSelectArg1 : kTopDisable;
        t[kTssAlphaArg1] = kTaTexture;
        t[kTssAlphaArg2] = kTaCurrent;
        t[kTssTexCoordIndex] = s;
        t[kTssAddress] = t[kTssAddressU] = t[kTssAddressV] = kTaddressWrap;
        t[kTssMagFilter] = kTfgPoint;
        t[kTssMinFilter] = kTfnPoint;
        t[kTssMipFilter] = kTfpNone;
        t[kTssMaxAnisotropy] = 1;
    }
}

// ---- Textures ---------------------------------------------------------------------
// The GL copy of a texture surface and its mip levels.  Every surface of the
// chain points here; the last one to go takes it away.
struct TextureMirror final : SurfaceMirror {
    DirectDrawSurface7* top = nullptr;
    GLuint name = 0;
    uint32_t generation = 0;
    uint32_t levels = 1;
    int surfaces = 0;
    bool dirty = true;

    void Pull(DirectDrawSurface7*) override {}
    void Changed(DirectDrawSurface7*) override { dirty = true; }
    void Detach(DirectDrawSurface7* s) override {
        if (s == top) {
            if (name != 0 && generation == GLContextGeneration() && GLContextExists()) {
                glDeleteTextures(1, &name);
            }
            name = 0;
            top = nullptr;
        }
        if (--surfaces == 0) delete this;
    }

    // Sends every level to GL when something changed.
    void Upload(std::vector<uint8_t>* scratch) {
        if (generation != GLContextGeneration()) {
            name = 0;
            dirty = true;
        }
        if (name == 0) {
            glGenTextures(1, &name);
            generation = GLContextGeneration();
        }
        glBindTexture(GL_TEXTURE_2D, name);
        if (!dirty) return;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        DirectDrawSurface7* level = top;
        for (uint32_t i = 0; i < levels && level != nullptr; ++i, level = level->Attached()) {
            const GLLayout layout = LayoutFor(level->Format());
            PackRows(level, layout, false, scratch);
            const bool alpha =
                layout.format != 0 ? layout.alpha : (level->Format().flags & kPfAlphaPixels) != 0;
            glTexImage2D(GL_TEXTURE_2D, GLint(i), alpha ? GL_RGBA8 : GL_RGB8, GLsizei(level->Width()),
                         GLsizei(level->Height()), 0, layout.format != 0 ? layout.format : GL_RGBA,
                         layout.format != 0 ? layout.type : GL_UNSIGNED_BYTE, scratch->data());
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(levels - 1));
        dirty = false;
    }
};

TextureMirror* MirrorFor(DirectDrawSurface7* texture) {
    if (texture->Mirror() != nullptr) return static_cast<TextureMirror*>(texture->Mirror());
    auto* m = new TextureMirror;
    m->top = texture;
    m->levels = 0;
    for (DirectDrawSurface7* s = texture; s != nullptr; s = s->Attached()) {
        s->SetMirror(m);
        ++m->surfaces;
        ++m->levels;
        if ((s->Caps() & kCapsMipMap) == 0) break;
    }
    return m;
}

// A light as the vertex loop uses it, in camera space.
struct CameraLight {
    uint32_t type;
    Colour diffuse, specular, ambient;
    Vec3 position;
    Vec3 direction;  // the way the light travels, unit length
    float range, falloff, a0, a1, a2, cos_theta, cos_phi;
};

enum class FogKind { kNone, kTable, kVertex, kSpecular };

}  // namespace

// ---- The device -----------------------------------------------------------------------
struct LightSlot {
    D3DLight7 light{};
    bool enabled = false;
};

struct DeviceImpl final : SurfaceMirror {
    DirectDrawSurface7* target = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    bool has_depth = false;
    uint32_t stencil_bits = 0;

    GLuint fbo = 0, colour = 0, depth = 0;
    uint32_t generation = 0;
    bool fbo_newer = false;
    bool memory_newer = true;
    bool in_scene = false;
    bool state_dirty = true;
    uint32_t foreign_draws = 0;

    D3DViewport7 viewport{};
    D3DMatrix world = Identity(), view = Identity(), projection = Identity();
    D3DMaterial7 material{};
    std::vector<LightSlot> lights;
    uint32_t rs[kRenderStateCount] = {};
    uint32_t tss[kTextureStageCount][kTextureStageStateCount] = {};
    DirectDrawSurface7* textures[kTextureStageCount] = {};

    std::vector<GLVertex> out;
    std::vector<uint8_t> scratch;

    ~DeviceImpl() {
        DropGL();
        for (DirectDrawSurface7*& t : textures) {
            if (t != nullptr) t->Release();
            t = nullptr;
        }
        if (target != nullptr) {
            Pull(target);  // the surface keeps the last frame
            target->SetMirror(nullptr);
            target->Release();
        }
    }

    void DropGL() {
        if (fbo != 0 && generation == GLContextGeneration() && GLContextExists() && LoadGL()) {
            gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
            gl.DeleteFramebuffers(1, &fbo);
            gl.DeleteRenderbuffers(1, &depth);
            glDeleteTextures(1, &colour);
        }
        fbo = colour = depth = 0;
    }

    bool CreateFramebuffer() {
        DropGL();
        generation = GLContextGeneration();
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, GLsizei(width), GLsizei(height), 0, GL_RGB, GL_UNSIGNED_BYTE,
                     nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        gl.GenRenderbuffers(1, &depth);
        gl.BindRenderbuffer(GL_RENDERBUFFER, depth);
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(width), GLsizei(height));
        gl.GenFramebuffers(1, &fbo);
        gl.BindFramebuffer(GL_FRAMEBUFFER, fbo);
        gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
        const bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        // A new buffer starts with a cleared depth and stencil.
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        glStencilMask(0xFF);
        glClearDepth(1.0);
        glClearStencil(0);
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        memory_newer = true;
        state_dirty = true;
        return complete;
    }

    // Makes the context current and the frame buffer the target of drawing,
    // with what the CPU wrote sent first.
    bool Bind(bool upload = true) {
        if (!GLContextUp() || !LoadGL()) return false;
        if (generation != GLContextGeneration() || fbo == 0) {
            if (!CreateFramebuffer()) return false;
        }
        gl.BindFramebuffer(GL_FRAMEBUFFER, fbo);
        if (foreign_draws != GLForeignDrawCount()) {
            foreign_draws = GLForeignDrawCount();
            state_dirty = true;
        }
        if (upload && memory_newer) UploadTarget();
        return true;
    }

    void UploadTarget() {
        const GLLayout layout = LayoutFor(target->Format());
        PackRows(target, layout, true, &scratch);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(width), GLsizei(height),
                        layout.format != 0 ? layout.format : GL_RGBA,
                        layout.format != 0 ? layout.type : GL_UNSIGNED_BYTE, scratch.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        memory_newer = false;
        fbo_newer = false;
        state_dirty = true;  // the texture binding changed
    }

    // ---- SurfaceMirror ----
    void Pull(DirectDrawSurface7* s) override {
        if (s != target || !fbo_newer) return;
        // A frame drawn in a context that has gone is lost with it.
        if (!GLContextExists() || generation != GLContextGeneration() || !Bind(false)) {
            fbo_newer = false;
            return;
        }
        const GLLayout layout = LayoutFor(target->Format());
        const PixelFormat& f = target->Format();
        const uint32_t bytes = PixelBytes(f);
        const size_t row = size_t(width) * (layout.format != 0 ? bytes : 4u);
        scratch.resize(row * height);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glReadPixels(0, 0, GLsizei(width), GLsizei(height), layout.format != 0 ? layout.format : GL_RGBA,
                     layout.format != 0 ? layout.type : GL_UNSIGNED_BYTE, scratch.data());
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* in = scratch.data() + size_t(height - 1 - y) * row;
            uint8_t* dst = target->Pixels() + size_t(y) * size_t(target->Pitch());
            if (layout.format != 0) {
                std::memcpy(dst, in, row);
                continue;
            }
            for (uint32_t x = 0; x < width; ++x) {
                const uint8_t* c = in + size_t(x) * 4;
                uint32_t p = Place(c[0], f.red_mask) | Place(c[1], f.green_mask) | Place(c[2], f.blue_mask);
                std::memcpy(dst + size_t(x) * bytes, &p, bytes);
            }
        }
        fbo_newer = false;
    }
    void Changed(DirectDrawSurface7* s) override {
        if (s == target) memory_newer = true;
    }
    void Detach(DirectDrawSurface7* s) override {
        if (s == target) target = nullptr;
    }

    // ---- State ----
    void ApplyState() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_SCISSOR_TEST);
        glDisable(GL_NORMALIZE);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glViewport(GLint(viewport.x), GLint(height) - GLint(viewport.y) - GLint(viewport.height),
                   GLsizei(viewport.width), GLsizei(viewport.height));

        if (has_depth && rs[kRsZEnable] != 0) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(CompareFunc(rs[kRsZFunc]));
            glDepthMask(rs[kRsZWriteEnable] != 0 ? GL_TRUE : GL_FALSE);
        } else {
            glDisable(GL_DEPTH_TEST);
            glDepthMask(GL_FALSE);
        }
        if (rs[kRsAlphaTestEnable] != 0) {
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(CompareFunc(rs[kRsAlphaFunc]), float(rs[kRsAlphaRef] & 0xFF) / 255.0f);
        } else {
            glDisable(GL_ALPHA_TEST);
        }
        if (rs[kRsAlphaBlendEnable] != 0) {
            glEnable(GL_BLEND);
            uint32_t src = rs[kRsSrcBlend], dst = rs[kRsDestBlend];
            if (src == kBlendBothSrcAlpha) {
                src = kBlendSrcAlpha;
                dst = kBlendInvSrcAlpha;
            } else if (src == kBlendBothInvSrcAlpha) {
                src = kBlendInvSrcAlpha;
                dst = kBlendSrcAlpha;
            }
            glBlendFunc(BlendFactor(src), BlendFactor(dst));
        } else {
            glDisable(GL_BLEND);
        }
        // Front faces are clockwise as seen, as on the device.
        glFrontFace(GL_CW);
        switch (rs[kRsCullMode]) {
            case kCullCw:
                glEnable(GL_CULL_FACE);
                glCullFace(GL_FRONT);
                break;
            case kCullCcw:
                glEnable(GL_CULL_FACE);
                glCullFace(GL_BACK);
                break;
            default:
                glDisable(GL_CULL_FACE);
                break;
        }
        glShadeModel(rs[kRsShadeMode] == kShadeFlat ? GL_FLAT : GL_SMOOTH);
        if (gl.ProvokingVertex != nullptr) gl.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
        glPolygonMode(GL_FRONT_AND_BACK, rs[kRsFillMode] == kFillPoint       ? GL_POINT
                                         : rs[kRsFillMode] == kFillWireframe ? GL_LINE
                                                                             : GL_FILL);
        if (rs[kRsDitherEnable] != 0) {
            glEnable(GL_DITHER);
        } else {
            glDisable(GL_DITHER);
        }
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, rs[kRsTexturePerspective] != 0 ? GL_NICEST : GL_FASTEST);
        if (stencil_bits > 0 && rs[kRsStencilEnable] != 0) {
            glEnable(GL_STENCIL_TEST);
            glStencilFunc(CompareFunc(rs[kRsStencilFunc]), GLint(rs[kRsStencilRef]), rs[kRsStencilMask]);
            glStencilOp(StencilOp(rs[kRsStencilFail]), StencilOp(rs[kRsStencilZFail]),
                        StencilOp(rs[kRsStencilPass]));
            glStencilMask(rs[kRsStencilWriteMask]);
        } else {
            glDisable(GL_STENCIL_TEST);
        }
        if (rs[kRsZBias] != 0) {
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(0.0f, -float(rs[kRsZBias]));
        } else {
            glDisable(GL_POLYGON_OFFSET_FILL);
        }
        ApplyTextureStage();
        state_dirty = false;
    }

    static void CombineSource(GLenum source, GLenum operand, uint32_t arg, bool alpha) {
        GLenum src = GL_PRIMARY_COLOR;
        switch (arg & kTaSelectMask) {
            case kTaCurrent:
                src = GL_PREVIOUS;
                break;
            case kTaTexture:
                src = GL_TEXTURE;
                break;
            case kTaTFactor:
                src = GL_CONSTANT;
                break;
            default:
                break;
        }
        glTexEnvi(GL_TEXTURE_ENV, source, GLint(src));
        const bool complement = (arg & kTaComplement) != 0;
        const bool use_alpha = alpha || (arg & kTaAlphaReplicate) != 0;
        GLenum op = use_alpha ? (complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA)
                              : (complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, operand, GLint(op));
    }

    // One combiner (colour or alpha) from a stage's operation.
    static void Combine(bool alpha, uint32_t op, uint32_t arg1, uint32_t arg2) {
        const GLenum mode = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
        const GLenum scale = alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
        const GLenum s0 = alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB, s1 = alpha ? GL_SRC1_ALPHA : GL_SRC1_RGB,
                     s2 = alpha ? GL_SRC2_ALPHA : GL_SRC2_RGB;
        const GLenum o0 = alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB,
                     o1 = alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB,
                     o2 = alpha ? GL_OPERAND2_ALPHA : GL_OPERAND2_RGB;
        GLenum function = GL_MODULATE;
        float factor = 1.0f;
        GLenum blend_source = 0;
        switch (op) {
            case kTopDisable:
                function = GL_REPLACE;
                arg1 = kTaCurrent;
                break;
            case kTopSelectArg1:
                function = GL_REPLACE;
                break;
            case kTopSelectArg2:
                function = GL_REPLACE;
                arg1 = arg2;
                break;
            case kTopModulate2x:
                factor = 2.0f;
                break;
            case kTopModulate4x:
                factor = 4.0f;
                break;
            case kTopAdd:
            case kTopAddSmooth:
                function = GL_ADD;
                break;
            case kTopAddSigned:
                function = GL_ADD_SIGNED;
                break;
            case kTopAddSigned2x:
                function = GL_ADD_SIGNED;
                factor = 2.0f;
                break;
            case kTopSubtract:
                function = GL_SUBTRACT;
                break;
            case kTopBlendDiffuseAlpha:
                blend_source = GL_PRIMARY_COLOR;
                break;
            case kTopBlendTextureAlpha:
            case kTopBlendTextureAlphaPm:
                blend_source = GL_TEXTURE;
                break;
            case kTopBlendFactorAlpha:
                blend_source = GL_CONSTANT;
                break;
            case kTopBlendCurrentAlpha:
                blend_source = GL_PREVIOUS;
                break;
            default:
                break;
        }
        if (blend_source != 0) {
            function = GL_INTERPOLATE;
            glTexEnvi(GL_TEXTURE_ENV, s2, GLint(blend_source));
            glTexEnvi(GL_TEXTURE_ENV, o2, GL_SRC_ALPHA);
        }
        glTexEnvi(GL_TEXTURE_ENV, mode, GLint(function));
        glTexEnvf(GL_TEXTURE_ENV, scale, factor);
        CombineSource(s0, o0, arg1, alpha);
        CombineSource(s1, o1, arg2, alpha);
    }

    void ApplyTextureStage() {
        const uint32_t* t = tss[0];
        DirectDrawSurface7* texture = textures[0];
        if (texture == nullptr || t[kTssColorOp] == kTopDisable) {
            glDisable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, 0);
            return;
        }
        TextureMirror* m = MirrorFor(texture);
        m->Upload(&scratch);
        glEnable(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(AddressMode(t[kTssAddressU])));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(AddressMode(t[kTssAddressV])));
        const Colour border = FromArgb(t[kTssBorderColor]);
        const float border_rgba[4] = {border.r, border.g, border.b, border.a};
        glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border_rgba);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                        t[kTssMagFilter] == kTfgPoint ? GL_NEAREST : GL_LINEAR);
        const bool linear = t[kTssMinFilter] != kTfnPoint;
        GLenum min = linear ? GL_LINEAR : GL_NEAREST;
        if (m->levels > 1 && t[kTssMipFilter] == kTfpPoint) {
            min = linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        } else if (m->levels > 1 && t[kTssMipFilter] == kTfpLinear) {
            min = linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(min));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL,
                        GLint(std::min(t[kTssMaxMipLevel], m->levels - 1)));
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, BitsFloat(t[kTssMipMapLodBias]));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        const Colour factor = FromArgb(rs[kRsTextureFactor]);
        const float factor_rgba[4] = {factor.r, factor.g, factor.b, factor.a};
        glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor_rgba);
        Combine(false, t[kTssColorOp], t[kTssColorArg1], t[kTssColorArg2]);
        Combine(true, t[kTssAlphaOp], t[kTssAlphaArg1], t[kTssAlphaArg2]);
    }

    // ---- Vertex processing ----
    bool WFriendly() const { return projection.m[2][3] == 1.0f && projection.m[3][3] == 0.0f; }

    FogKind Fog(const FvfLayout& l) const {
        if (rs[kRsFogEnable] == 0) return FogKind::kNone;
        if (rs[kRsFogTableMode] != kFogNone) return FogKind::kTable;
        if (!l.rhw && rs[kRsFogVertexMode] != kFogNone) return FogKind::kVertex;
        return l.specular ? FogKind::kSpecular : FogKind::kNone;
    }

    void CameraLights(std::vector<CameraLight>* out_lights) const {
        out_lights->clear();
        float view3[3][3];
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) view3[r][c] = view.m[r][c];
        }
        for (const LightSlot& slot : lights) {
            if (!slot.enabled) continue;
            const D3DLight7& l = slot.light;
            CameraLight c;
            c.type = l.type;
            c.diffuse = FromValue(l.diffuse);
            c.specular = FromValue(l.specular);
            c.ambient = FromValue(l.ambient);
            c.position = TransformPoint({l.position.x, l.position.y, l.position.z}, view);
            c.direction =
                Normalised(TransformDirection({l.direction.x, l.direction.y, l.direction.z}, view3));
            c.range = l.range;
            c.falloff = l.falloff;
            c.a0 = l.attenuation0;
            c.a1 = l.attenuation1;
            c.a2 = l.attenuation2;
            c.cos_theta = std::cos(l.theta * 0.5f);
            c.cos_phi = std::cos(l.phi * 0.5f);
            out_lights->push_back(c);
        }
    }

    Colour Source(uint32_t which, const Colour& from_material, const Colour* c1, const Colour* c2) const {
        if (rs[kRsColorVertex] == 0) return from_material;
        if (which == kMcsColor1 && c1 != nullptr) return *c1;
        if (which == kMcsColor2 && c2 != nullptr) return *c2;
        return from_material;
    }

    void Light(const std::vector<CameraLight>& cam_lights, Vec3 pc, Vec3 n, const Colour* vd,
               const Colour* vs, GLVertex* v) const {
        const Colour md = Source(rs[kRsDiffuseMaterialSource], FromValue(material.diffuse), vd, vs);
        const Colour ma = Source(rs[kRsAmbientMaterialSource], FromValue(material.ambient), vd, vs);
        const Colour ms = Source(rs[kRsSpecularMaterialSource], FromValue(material.specular), vd, vs);
        const Colour me = Source(rs[kRsEmissiveMaterialSource], FromValue(material.emissive), vd, vs);
        const bool specular = rs[kRsSpecularEnable] != 0;
        Colour amb = FromArgb(rs[kRsAmbient]);
        Colour dif{0, 0, 0, 0}, spe{0, 0, 0, 0};
        const Vec3 eye = rs[kRsLocalViewer] != 0 ? Normalised(Vec3{-pc.x, -pc.y, -pc.z}) : Vec3{0, 0, -1};
        for (const CameraLight& l : cam_lights) {
            Vec3 to_light;
            float scale = 1.0f;
            if (l.type == kLightDirectional) {
                to_light = {-l.direction.x, -l.direction.y, -l.direction.z};
            } else {
                const Vec3 d = l.position - pc;
                const float distance = Length(d);
                if (distance > l.range) continue;
                to_light =
                    distance > 0.0f ? Vec3{d.x / distance, d.y / distance, d.z / distance} : Vec3{0, 0, 0};
                const float att = l.a0 + l.a1 * distance + l.a2 * distance * distance;
                scale = att > 0.0f ? 1.0f / att : 1.0f;
                if (l.type == kLightSpot) {
                    const float rho = -Dot(to_light, l.direction);
                    if (rho <= l.cos_phi) continue;
                    if (rho < l.cos_theta) {
                        const float t = (rho - l.cos_phi) / (l.cos_theta - l.cos_phi);
                        scale *= l.falloff == 1.0f ? t : std::pow(t, l.falloff);
                    }
                }
            }
            amb.r += scale * l.ambient.r;
            amb.g += scale * l.ambient.g;
            amb.b += scale * l.ambient.b;
            const float ndl = Dot(n, to_light);
            if (ndl <= 0.0f) continue;
            dif.r += scale * ndl * l.diffuse.r;
            dif.g += scale * ndl * l.diffuse.g;
            dif.b += scale * ndl * l.diffuse.b;
            if (specular && material.power > 0.0f) {
                const float ndh = Dot(n, Normalised(to_light + eye));
                if (ndh > 0.0f) {
                    const float p = scale * std::pow(ndh, material.power);
                    spe.r += p * l.specular.r;
                    spe.g += p * l.specular.g;
                    spe.b += p * l.specular.b;
                }
            }
        }
        Colour d{me.r + ma.r * amb.r + md.r * dif.r, me.g + ma.g * amb.g + md.g * dif.g,
                 me.b + ma.b * amb.b + md.b * dif.b, md.a};
        StoreColour(v->diffuse, d);
        Colour s{ms.r * spe.r, ms.g * spe.g, ms.b * spe.b, vs != nullptr ? vs->a : 0.0f};
        StoreColour(v->specular, s);
    }

    void Process(const FvfLayout& l, const uint8_t* data, uint32_t count, FogKind fog) {
        out.resize(count);
        const float vw = float(std::max(viewport.width, 1u)), vh = float(std::max(viewport.height, 1u));
        const float gl_vx = float(viewport.x);
        const float gl_vy = float(int32_t(height) - int32_t(viewport.y) - int32_t(viewport.height));
        const bool w_fog = WFriendly();
        const uint32_t set = tss[0][kTssTexCoordIndex] & 0xFFFF;
        const bool has_uv = set < l.tex_count;
        const bool lighting = !l.rhw && rs[kRsLighting] != 0;

        D3DMatrix wv = Multiply(world, view);
        D3DMatrix wvp = Multiply(wv, projection);
        float normal_matrix[3][3];
        NormalMatrix(wv, normal_matrix);
        std::vector<CameraLight> cam_lights;
        if (lighting) CameraLights(&cam_lights);
        const bool need_camera = lighting || fog == FogKind::kVertex;

        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* src = data + size_t(i) * l.stride;
            GLVertex& v = out[i];
            float p[4];
            std::memcpy(p, src, l.rhw ? 16 : 12);
            uint32_t diffuse = 0xFFFFFFFF, specular = 0;
            if (l.diffuse) std::memcpy(&diffuse, src + l.diffuse_at, 4);
            if (l.specular) std::memcpy(&specular, src + l.specular_at, 4);
            if (has_uv) {
                std::memcpy(v.uv, src + l.tex_at[set], 8);
            } else {
                v.uv[0] = v.uv[1] = 0.0f;
            }
            float fog_value = 0.0f;
            if (l.rhw) {
                // Screen pixels, centres on whole numbers, rows downwards.
                const float w = p[3] > 0.0f && std::isfinite(p[3]) ? 1.0f / p[3] : 1.0f;
                const float x = ((p[0] + 0.5f) - gl_vx) * 2.0f / vw - 1.0f;
                const float y = ((float(height) - (p[1] + 0.5f)) - gl_vy) * 2.0f / vh - 1.0f;
                const float z = p[2] * 2.0f - 1.0f;
                v.pos[0] = x * w;
                v.pos[1] = y * w;
                v.pos[2] = z * w;
                v.pos[3] = w;
                fog_value = w_fog ? w : p[2];
                StoreRgba(v.diffuse, diffuse);
                StoreRgba(v.specular, specular);
            } else {
                const Vec3 pos{p[0], p[1], p[2]};
                float c[4];
                for (int k = 0; k < 4; ++k) {
                    c[k] = pos.x * wvp.m[0][k] + pos.y * wvp.m[1][k] + pos.z * wvp.m[2][k] + wvp.m[3][k];
                }
                // Depth 0..w becomes -w..w; half a pixel moves centres onto
                // whole screen coordinates.
                v.pos[0] = c[0] + c[3] / vw;
                v.pos[1] = c[1] - c[3] / vh;
                v.pos[2] = 2.0f * c[2] - c[3];
                v.pos[3] = c[3];
                fog_value = w_fog ? c[3] : (c[3] != 0.0f ? c[2] / c[3] : c[2]);
                Vec3 pc{0, 0, 0};
                if (need_camera) pc = TransformPoint(pos, wv);
                if (fog == FogKind::kVertex) fog_value = rs[kRsRangeFogEnable] != 0 ? Length(pc) : pc.z;
                if (lighting) {
                    Vec3 n{0, 0, 0};
                    if (l.normal) {
                        float raw[3];
                        std::memcpy(raw, src + l.normal_at, 12);
                        n = TransformDirection({raw[0], raw[1], raw[2]}, normal_matrix);
                        if (rs[kRsNormalizeNormals] != 0) n = Normalised(n);
                    }
                    Colour cd = FromArgb(diffuse), cs = FromArgb(specular);
                    Light(cam_lights, pc, n, l.diffuse ? &cd : nullptr, l.specular ? &cs : nullptr, &v);
                } else {
                    StoreRgba(v.diffuse, diffuse);
                    StoreRgba(v.specular, specular);
                }
            }
            if (fog == FogKind::kSpecular) fog_value = 1.0f - float(specular >> 24) / 255.0f;
            v.fog = fog_value;
        }
    }

    void SetFog(FogKind fog) {
        if (fog == FogKind::kNone) {
            glDisable(GL_FOG);
            return;
        }
        glEnable(GL_FOG);
        glFogi(GL_FOG_COORD_SRC, GL_FOG_COORD);
        const Colour c = FromArgb(rs[kRsFogColor]);
        const float colour_rgba[4] = {c.r, c.g, c.b, 1.0f};
        glFogfv(GL_FOG_COLOR, colour_rgba);
        if (fog == FogKind::kSpecular) {
            glFogi(GL_FOG_MODE, GL_LINEAR);
            glFogf(GL_FOG_START, 0.0f);
            glFogf(GL_FOG_END, 1.0f);
            return;
        }
        const uint32_t mode = fog == FogKind::kTable ? rs[kRsFogTableMode] : rs[kRsFogVertexMode];
        glFogi(GL_FOG_MODE, GLint(FogMode(mode)));
        glFogf(GL_FOG_START, BitsFloat(rs[kRsFogStart]));
        glFogf(GL_FOG_END, BitsFloat(rs[kRsFogEnd]));
        glFogf(GL_FOG_DENSITY, BitsFloat(rs[kRsFogDensity]));
    }

    HResult Draw(uint32_t type, uint32_t fvf, const void* vertices, uint32_t count, const uint16_t* indices,
                 uint32_t index_count) {
        if (type < kPtPointList || type > kPtTriangleFan) return kD3DErrInvalidPrimitiveType;
        FvfLayout l;
        if (!ParseFvf(fvf, &l)) return kD3DErrInvalidVertexFormat;
        if (target == nullptr || target->Lost()) return kDdErrSurfaceLost;
        if (!in_scene) return kD3DErrSceneNotInScene;
        if (count == 0 || (indices != nullptr && index_count == 0)) return kDdOk;
        if (vertices == nullptr) return kErrInvalidArg;
        if (indices != nullptr) {
            for (uint32_t i = 0; i < index_count; ++i) {
                if (indices[i] >= count) return kErrInvalidArg;
            }
        }
        if (!Bind()) return kD3DErrInitFailed;
        const FogKind fog = Fog(l);
        Process(l, static_cast<const uint8_t*>(vertices), count, fog);
        // Pixels written into the texture since it was last sent.
        if (textures[0] != nullptr && textures[0]->Mirror() != nullptr &&
            static_cast<TextureMirror*>(textures[0]->Mirror())->dirty) {
            state_dirty = true;
        }
        if (state_dirty) ApplyState();
        if (l.rhw) {
            glDepthRange(0.0, 1.0);
        } else {
            glDepthRange(viewport.min_z, viewport.max_z);
        }
        SetFog(fog);
        const bool sum = rs[kRsSpecularEnable] != 0 && (l.specular || (!l.rhw && rs[kRsLighting] != 0));
        if (sum) {
            glEnable(GL_COLOR_SUM);
        } else {
            glDisable(GL_COLOR_SUM);
        }

        const GLsizei stride = sizeof(GLVertex);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(4, GL_FLOAT, stride, out[0].pos);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, stride, out[0].diffuse);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, out[0].uv);
        glEnableClientState(GL_FOG_COORD_ARRAY);
        gl.FogCoordPointer(GL_FLOAT, stride, &out[0].fog);
        glEnableClientState(GL_SECONDARY_COLOR_ARRAY);
        gl.SecondaryColorPointer(3, GL_UNSIGNED_BYTE, stride, out[0].specular);
        glDisableClientState(GL_NORMAL_ARRAY);
        if (indices != nullptr) {
            glDrawElements(PrimitiveMode(type), GLsizei(index_count), GL_UNSIGNED_SHORT, indices);
        } else {
            glDrawArrays(PrimitiveMode(type), 0, GLsizei(count));
        }
        fbo_newer = true;
        return kDdOk;
    }
};

// ---- Vertex buffers ---------------------------------------------------------------------
HResult Direct3DVertexBuffer7::Lock(uint32_t flags, void** data, uint32_t* size) {
    (void)flags;
    if (data == nullptr) return kErrInvalidArg;
    if (locked_) return kD3DErrVertexBufferLocked;
    locked_ = true;
    *data = data_.data();
    if (size != nullptr) *size = uint32_t(data_.size());
    return kDdOk;
}

HResult Direct3DVertexBuffer7::Unlock() {
    if (!locked_) return kDdErrNotLocked;
    locked_ = false;
    return kDdOk;
}

HResult Direct3DVertexBuffer7::GetVertexBufferDesc(D3DVertexBufferDesc* out) {
    if (out == nullptr) return kErrInvalidArg;
    *out = desc_;
    return kDdOk;
}

// ---- Direct3D -----------------------------------------------------------------------------
HResult Direct3D7::CreateDevice(const Guid& device, DirectDrawSurface7* target, Direct3DDevice7** out) {
    D3D_ENTER("CreateDevice");
    if (out == nullptr || target == nullptr) return kErrInvalidArg;
    *out = nullptr;
    const Guid& ours = kGLDeviceGuid;
    if (device.data1 != ours.data1 || device.data2 != ours.data2 ||
        std::memcmp(device.data4, ours.data4, 8) != 0) {
        return kErrInvalidArg;
    }
    const PixelFormat& f = target->Format();
    if ((target->Caps() & kCaps3DDevice) == 0 || (target->Caps() & kCapsTexture) != 0) {
        return kDdErrInvalidCaps;
    }
    if ((f.flags & kPfPaletteIndexed8) != 0 || f.bit_count < 16) return kDdErrInvalidPixelFormat;
    if (target->Mirror() != nullptr) return kDdErrSurfaceBusy;
    if (target->Lost()) return kDdErrSurfaceLost;

    auto* impl = new DeviceImpl;
    impl->target = target;
    impl->width = target->Width();
    impl->height = target->Height();
    if (DirectDrawSurface7* z = target->ZBuffer()) {
        impl->has_depth = true;
        const PixelFormat& zf = z->Format();
        impl->stencil_bits = (zf.flags & kPfStencilBuffer) ? zf.stencil_depth : 0;
    }
    impl->viewport = D3DViewport7{0, 0, impl->width, impl->height, 0.0f, 1.0f};
    DefaultRenderStates(impl->rs, impl->has_depth);
    DefaultStageStates(impl->tss);
    if (!GLContextUp() || !LoadGL() || !impl->CreateFramebuffer()) {
        impl->target = nullptr;
        delete impl;
        return kD3DErrInitFailed;
    }
    target->AddRef();
    target->SetMirror(impl);
    auto* d = new Direct3DDevice7;
    d->impl_ = impl;
    *out = d;
    return kDdOk;
}

HResult Direct3D7::CreateVertexBuffer(const D3DVertexBufferDesc* desc, Direct3DVertexBuffer7** out,
                                      uint32_t flags) {
    (void)flags;
    D3D_ENTER("CreateVertexBuffer");
    if (desc == nullptr || out == nullptr) return kErrInvalidArg;
    *out = nullptr;
    FvfLayout l;
    if (!ParseFvf(desc->fvf, &l)) return kD3DErrInvalidVertexFormat;
    if (desc->num_vertices == 0 || desc->num_vertices > (1u << 20)) return kErrInvalidArg;
    auto* vb = new Direct3DVertexBuffer7;
    vb->desc_ = *desc;
    vb->data_.assign(size_t(l.stride) * desc->num_vertices, 0);
    *out = vb;
    return kDdOk;
}

// ---- Device methods ---------------------------------------------------------------------
Direct3DDevice7::~Direct3DDevice7() { delete impl_; }

HResult Direct3DDevice7::EnumTextureFormats(D3DEnumTextureFormatsCallback callback, void* context) {
    D3D_ENTER("EnumTextureFormats");
    if (callback == nullptr) return kErrInvalidArg;
    std::vector<PixelFormat> formats = TestFormats().empty() ? DefaultTextureFormats() : TestFormats();
    for (PixelFormat& f : formats) {
        if (callback(&f, context) == kEnumCancel) break;
    }
    return kDdOk;
}

HResult Direct3DDevice7::BeginScene() {
    D3D_ENTER("BeginScene");
    if (impl_->in_scene) return kD3DErrSceneInScene;
    if (impl_->target == nullptr || impl_->target->Lost()) return kDdErrSurfaceLost;
    impl_->in_scene = true;
    return kDdOk;
}

HResult Direct3DDevice7::EndScene() {
    D3D_ENTER("EndScene");
    if (!impl_->in_scene) return kD3DErrSceneNotInScene;
    impl_->in_scene = false;
    if (GLContextExists()) glFlush();
    return kDdOk;
}

HResult Direct3DDevice7::Clear(uint32_t count, const D3DRect* rects, uint32_t flags, uint32_t colour, float z,
                               uint32_t stencil) {
    D3D_ENTER("Clear");
    DeviceImpl& d = *impl_;
    if ((count != 0) != (rects != nullptr)) return kErrInvalidArg;
    if ((flags & ~7u) != 0) return kErrInvalidArg;
    if (flags == 0) return kDdOk;  // nothing asked for
    if ((flags & kClearZBuffer) && !d.has_depth) return kD3DErrZBufferNotPresent;
    if ((flags & kClearStencil) && d.stencil_bits == 0) return kD3DErrStencilBufferNotPresent;
    if (d.target == nullptr || d.target->Lost()) return kDdErrSurfaceLost;
    const D3DViewport7& v = d.viewport;
    const D3DRect whole{int32_t(v.x), int32_t(v.y), int32_t(v.x + v.width), int32_t(v.y + v.height)};
    // A clear of the whole target needs nothing the CPU wrote before.
    const bool everything = (flags & kClearTarget) && count == 0 && v.x == 0 && v.y == 0 &&
                            v.width == d.width && v.height == d.height;
    if (everything) d.memory_newer = false;
    if (!d.Bind()) return kD3DErrInitFailed;
    const Colour c = FromArgb(colour);
    glClearColor(c.r, c.g, c.b, c.a);
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glClearStencil(GLint(stencil));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glEnable(GL_SCISSOR_TEST);
    GLbitfield bits = 0;
    if (flags & kClearTarget) bits |= GL_COLOR_BUFFER_BIT;
    if (flags & kClearZBuffer) bits |= GL_DEPTH_BUFFER_BIT;
    if (flags & kClearStencil) bits |= GL_STENCIL_BUFFER_BIT;
    for (uint32_t i = 0; i < std::max(count, 1u); ++i) {
        const D3DRect r = count == 0 ? whole : rects[i];
        const int32_t x1 = std::max(r.x1, whole.x1), y1 = std::max(r.y1, whole.y1);
        const int32_t x2 = std::min(r.x2, whole.x2), y2 = std::min(r.y2, whole.y2);
        if (x1 >= x2 || y1 >= y2) continue;
        glScissor(x1, int32_t(d.height) - y2, x2 - x1, y2 - y1);
        glClear(bits);
    }
    glDisable(GL_SCISSOR_TEST);
    d.state_dirty = true;  // masks changed
    if (flags & kClearTarget) d.fbo_newer = true;
    return kDdOk;
}

HResult Direct3DDevice7::SetViewport(const D3DViewport7* viewport) {
    D3D_ENTER("SetViewport");
    if (viewport == nullptr || viewport->width == 0 || viewport->height == 0 ||
        uint64_t(viewport->x) + viewport->width > impl_->width ||
        uint64_t(viewport->y) + viewport->height > impl_->height || viewport->min_z < 0.0f ||
        viewport->max_z > 1.0f || viewport->min_z > viewport->max_z) {
        return kErrInvalidArg;
    }
    impl_->viewport = *viewport;
    impl_->state_dirty = true;
    return kDdOk;
}

HResult Direct3DDevice7::GetViewport(D3DViewport7* viewport) {
    D3D_ENTER("GetViewport");
    if (viewport == nullptr) return kErrInvalidArg;
    *viewport = impl_->viewport;
    return kDdOk;
}

namespace {
D3DMatrix* TransformSlot(DeviceImpl* d, uint32_t type) {
    switch (type) {
        case kTransformWorld:
            return &d->world;
        case kTransformView:
            return &d->view;
        case kTransformProjection:
            return &d->projection;
        default:
            return nullptr;
    }
}
}  // namespace

HResult Direct3DDevice7::SetTransform(uint32_t type, const D3DMatrix* matrix) {
    D3D_ENTER("SetTransform");
    D3DMatrix* slot = TransformSlot(impl_, type);
    if (slot == nullptr || matrix == nullptr) return kErrInvalidArg;
    *slot = *matrix;
    return kDdOk;
}

HResult Direct3DDevice7::GetTransform(uint32_t type, D3DMatrix* matrix) {
    D3D_ENTER("GetTransform");
    D3DMatrix* slot = TransformSlot(impl_, type);
    if (slot == nullptr || matrix == nullptr) return kErrInvalidArg;
    *matrix = *slot;
    return kDdOk;
}

HResult Direct3DDevice7::SetMaterial(const D3DMaterial7* material) {
    D3D_ENTER("SetMaterial");
    if (material == nullptr) return kErrInvalidArg;
    impl_->material = *material;
    return kDdOk;
}

HResult Direct3DDevice7::GetMaterial(D3DMaterial7* material) {
    D3D_ENTER("GetMaterial");
    if (material == nullptr) return kErrInvalidArg;
    *material = impl_->material;
    return kDdOk;
}

namespace {
// More light records than any scene needs; only eight may be on at once.
constexpr uint32_t kLightRecords = 64;
}  // namespace

HResult Direct3DDevice7::SetLight(uint32_t index, const D3DLight7* light) {
    D3D_ENTER("SetLight");
    if (light == nullptr || index >= kLightRecords) return kErrInvalidArg;
    if (light->type < kLightPoint || light->type > kLightDirectional) return kErrInvalidArg;
    if (light->type != kLightPoint && light->direction.x == 0.0f && light->direction.y == 0.0f &&
        light->direction.z == 0.0f) {
        return kErrInvalidArg;
    }
    auto& lights = impl_->lights;
    if (lights.size() <= index) lights.resize(index + 1);
    lights[index].light = *light;
    return kDdOk;
}

HResult Direct3DDevice7::GetLight(uint32_t index, D3DLight7* light) {
    D3D_ENTER("GetLight");
    if (light == nullptr || index >= impl_->lights.size()) return kErrInvalidArg;
    *light = impl_->lights[index].light;
    return kDdOk;
}

HResult Direct3DDevice7::LightEnable(uint32_t index, int enable) {
    D3D_ENTER("LightEnable");
    if (index >= kLightRecords) return kErrInvalidArg;
    auto& lights = impl_->lights;
    if (lights.size() <= index) {
        // Enabling a light never set gives the default light.
        lights.resize(index + 1);
        lights[index].light.type = kLightDirectional;
        lights[index].light.diffuse = {1, 1, 1, 0};
        lights[index].light.direction = {0, 0, 1};
    }
    if (enable != 0 && !lights[index].enabled) {
        uint32_t on = 0;
        for (const LightSlot& s : lights) on += s.enabled ? 1 : 0;
        if (on >= kMaxActiveLights) return kD3DErrLightSetFailed;
    }
    lights[index].enabled = enable != 0;
    return kDdOk;
}

HResult Direct3DDevice7::GetLightEnable(uint32_t index, int* enable) {
    D3D_ENTER("GetLightEnable");
    if (enable == nullptr || index >= impl_->lights.size()) return kErrInvalidArg;
    *enable = impl_->lights[index].enabled ? 1 : 0;
    return kDdOk;
}

HResult Direct3DDevice7::SetRenderState(uint32_t state, uint32_t value) {
    D3D_ENTER("SetRenderState");
    if (state == 0 || state >= kRenderStateCount) return kErrInvalidArg;
    if (impl_->rs[state] != value) {
        impl_->rs[state] = value;
        impl_->state_dirty = true;
    }
    return kDdOk;
}

HResult Direct3DDevice7::GetRenderState(uint32_t state, uint32_t* value) {
    D3D_ENTER("GetRenderState");
    if (value == nullptr || state == 0 || state >= kRenderStateCount) return kErrInvalidArg;
    *value = impl_->rs[state];
    return kDdOk;
}

HResult Direct3DDevice7::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    D3D_ENTER("SetTextureStageState");
    if (stage >= kTextureStageCount || type == 0 || type >= kTextureStageStateCount) return kErrInvalidArg;
    uint32_t* t = impl_->tss[stage];
    t[type] = value;
    // The old single address state sets both directions.
    if (type == kTssAddress) t[kTssAddressU] = t[kTssAddressV] = value;
    impl_->state_dirty = true;
    return kDdOk;
}

HResult Direct3DDevice7::GetTextureStageState(uint32_t stage, uint32_t type, uint32_t* value) {
    D3D_ENTER("GetTextureStageState");
    if (value == nullptr || stage >= kTextureStageCount || type == 0 || type >= kTextureStageStateCount) {
        return kErrInvalidArg;
    }
    *value = impl_->tss[stage][type];
    return kDdOk;
}

HResult Direct3DDevice7::SetTexture(uint32_t stage, DirectDrawSurface7* texture) {
    D3D_ENTER("SetTexture");
    if (stage >= kTextureStageCount) return kErrInvalidArg;
    if (texture != nullptr &&
        ((texture->Caps() & kCapsTexture) == 0 || (texture->Caps2() & kCaps2MipMapSubLevel) != 0)) {
        return kErrInvalidArg;
    }
    DirectDrawSurface7*& slot = impl_->textures[stage];
    if (texture != nullptr) texture->AddRef();
    if (slot != nullptr) slot->Release();
    slot = texture;
    impl_->state_dirty = true;
    return kDdOk;
}

HResult Direct3DDevice7::GetTexture(uint32_t stage, DirectDrawSurface7** texture) {
    D3D_ENTER("GetTexture");
    if (texture == nullptr || stage >= kTextureStageCount) return kErrInvalidArg;
    *texture = impl_->textures[stage];
    if (*texture != nullptr) (*texture)->AddRef();
    return kDdOk;
}

HResult Direct3DDevice7::DrawPrimitive(uint32_t type, uint32_t fvf, const void* vertices, uint32_t count,
                                       uint32_t flags) {
    (void)flags;
    D3D_ENTER("DrawPrimitive");
    return impl_->Draw(type, fvf, vertices, count, nullptr, 0);
}

HResult Direct3DDevice7::DrawIndexedPrimitive(uint32_t type, uint32_t fvf, const void* vertices,
                                              uint32_t vertex_count, const uint16_t* indices,
                                              uint32_t index_count, uint32_t flags) {
    (void)flags;
    D3D_ENTER("DrawIndexedPrimitive");
    if (indices == nullptr) return kErrInvalidArg;
    return impl_->Draw(type, fvf, vertices, vertex_count, indices, index_count);
}

namespace {
bool VertexRange(Direct3DVertexBuffer7* vb, uint32_t start, uint32_t count) {
    return vb != nullptr && uint64_t(start) + count <= vb->desc_.num_vertices;
}
const uint8_t* VertexAt(Direct3DVertexBuffer7* vb, uint32_t start) {
    FvfLayout l;
    ParseFvf(vb->desc_.fvf, &l);
    return vb->data_.data() + size_t(start) * l.stride;
}
}  // namespace

HResult Direct3DDevice7::DrawPrimitiveVB(uint32_t type, Direct3DVertexBuffer7* buffer, uint32_t start,
                                         uint32_t count, uint32_t flags) {
    (void)flags;
    D3D_ENTER("DrawPrimitiveVB");
    if (!VertexRange(buffer, start, count)) return kErrInvalidArg;
    if (buffer->locked_) return kD3DErrVertexBufferLocked;
    return impl_->Draw(type, buffer->desc_.fvf, VertexAt(buffer, start), count, nullptr, 0);
}

HResult Direct3DDevice7::DrawIndexedPrimitiveVB(uint32_t type, Direct3DVertexBuffer7* buffer, uint32_t start,
                                                uint32_t vertex_count, const uint16_t* indices,
                                                uint32_t index_count, uint32_t flags) {
    (void)flags;
    D3D_ENTER("DrawIndexedPrimitiveVB");
    if (!VertexRange(buffer, start, vertex_count) || indices == nullptr) return kErrInvalidArg;
    if (buffer->locked_) return kD3DErrVertexBufferLocked;
    return impl_->Draw(type, buffer->desc_.fvf, VertexAt(buffer, start), vertex_count, indices, index_count);
}

HResult Direct3DDevice7::ComputeSphereVisibility(const D3DVector* centres, const float* radii, uint32_t count,
                                                 uint32_t flags, uint32_t* results) {
    (void)flags;
    D3D_ENTER("ComputeSphereVisibility");
    if (count == 0) return kDdOk;
    if (centres == nullptr || radii == nullptr || results == nullptr) return kErrInvalidArg;
    const DeviceImpl& d = *impl_;
    const D3DMatrix m = Multiply(Multiply(d.world, d.view), d.projection);
    // Planes of the view volume in model space: left, right, top, bottom,
    // front, back, each as the union bit's order.
    float planes[6][4];
    for (int i = 0; i < 4; ++i) {
        planes[0][i] = m.m[i][3] + m.m[i][0];
        planes[1][i] = m.m[i][3] - m.m[i][0];
        planes[2][i] = m.m[i][3] - m.m[i][1];
        planes[3][i] = m.m[i][3] + m.m[i][1];
        planes[4][i] = m.m[i][2];
        planes[5][i] = m.m[i][3] - m.m[i][2];
    }
    for (auto& p : planes) {
        const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (length > 0.0f) {
            for (float& c : p) c /= length;
        }
    }
    for (uint32_t s = 0; s < count; ++s) {
        uint32_t result = 0;
        for (int k = 0; k < 6; ++k) {
            const float* p = planes[k];
            const float distance = p[0] * centres[s].x + p[1] * centres[s].y + p[2] * centres[s].z + p[3];
            if (distance < -radii[s])
                result |= (1u << k) | (1u << (k + kClipIntersectionShift));
            else if (distance < radii[s])
                result |= 1u << k;
        }
        results[s] = result;
    }
    return kDdOk;
}

HResult Direct3DDevice7::GetInfo(uint32_t id, void* data, uint32_t size) {
    D3D_ENTER("GetInfo");
    if (id != kDevInfoTextureManager || data == nullptr || size != sizeof(D3DTextureManagerInfo)) {
        return kErrInvalidArg;
    }
    D3DTextureManagerInfo info{};
    DirectDrawSurface7* t = impl_->textures[0];
    info.num_textures_used = t != nullptr ? 1 : 0;
    std::memcpy(data, &info, sizeof info);
    return kDdOk;
}

HResult Direct3DDevice7::GetRenderTarget(DirectDrawSurface7** target) {
    D3D_ENTER("GetRenderTarget");
    if (target == nullptr) return kErrInvalidArg;
    *target = impl_->target;
    if (*target != nullptr) (*target)->AddRef();
    return kDdOk;
}

// ---- Test seam ---------------------------------------------------------------------------
int D3DCallCount(std::string_view method) {
    auto it = Counts().find(method);
    return it == Counts().end() ? 0 : it->second;
}

void ResetD3DCallCounts() { Counts().clear(); }

void ResetDeviceStatesForTests(Direct3DDevice7* device) {
    DefaultRenderStates(device->impl_->rs, device->impl_->has_depth);
    DefaultStageStates(device->impl_->tss);
    device->impl_->state_dirty = true;
}

void SetTextureFormatsForTests(const std::vector<PixelFormat>& formats) { TestFormats() = formats; }

std::vector<PixelFormat> DefaultTextureFormats() {
    return {Rgb(16, 0, 0xF800, 0x07E0, 0x001F),      Rgb(16, 0, 0x7C00, 0x03E0, 0x001F),
            Rgb(16, 0x8000, 0x7C00, 0x03E0, 0x001F), Rgb(16, 0xF000, 0x0F00, 0x00F0, 0x000F),
            Rgb(32, 0, 0xFF0000, 0xFF00, 0xFF),      Rgb(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF)};
}

}  // namespace plat

// A whole scene drawn through the support library's own 3D calls, grabbed
// to a TGA file and checked pixel by pixel: a lit textured cube, a second
// cube behind it, table fog, alpha blending, a stencil-counted shadow and
// screen-space text quads.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/matrices.h"
#include "game/system/picture.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "game/system/videosurvey.h"
#include "platform/d3d.h"
#include "platform/ddraw.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr int kW = 320, kH = 240;
constexpr uint32_t kBackground = 0xFF202060;

struct VertexNT {  // position, normal, u, v
    float x, y, z, nx, ny, nz, u, v;
};
struct VertexND {  // position, normal, diffuse
    float x, y, z, nx, ny, nz;
    uint32_t diffuse;
};
struct VertexTL {  // screen position, 1/w, diffuse, specular, u, v
    float x, y, z, rhw;
    uint32_t diffuse, specular;
    float u, v;
};
static_assert(sizeof(VertexNT) == 32 && sizeof(VertexND) == 28 && sizeof(VertexTL) == 32);
constexpr uint32_t kFvfNT = 0x112, kFvfND = 0x52, kFvfTL = 0x1C4;

Vector Cross(Vector a, Vector b) {
    Vector r;
    VectorCross(&r, &a, &b);
    return r;
}

// The four corners of a face seen from outside, clockwise from top left.
void Face(Vector centre, float half, Vector n, Vector corners[4]) {
    const Vector up = std::fabs(n.y) > 0.5f ? Vector{0, 0, 1} : Vector{0, 1, 0};
    const Vector right = Cross(n, up);
    const float sr[4] = {-1, 1, 1, -1}, su[4] = {1, 1, -1, -1};
    for (int i = 0; i < 4; ++i) {
        corners[i] = {centre.x + half * (n.x + sr[i] * right.x + su[i] * up.x),
                      centre.y + half * (n.y + sr[i] * right.y + su[i] * up.y),
                      centre.z + half * (n.z + sr[i] * right.z + su[i] * up.z)};
    }
}

constexpr Vector kNormals[6] = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};

void TexturedCube(Vector centre, float half, std::vector<VertexNT>* v, std::vector<uint16_t>* idx) {
    const float u[4] = {0, 1, 1, 0}, t[4] = {0, 0, 1, 1};
    for (const Vector& n : kNormals) {
        Vector c[4];
        Face(centre, half, n, c);
        const uint16_t base = uint16_t(v->size());
        for (int i = 0; i < 4; ++i) v->push_back({c[i].x, c[i].y, c[i].z, n.x, n.y, n.z, u[i], t[i]});
        for (int k : {0, 1, 2, 0, 2, 3}) idx->push_back(uint16_t(base + k));
    }
}

void ColouredCube(Vector centre, float half, uint32_t colour, std::vector<VertexND>* v) {
    for (const Vector& n : kNormals) {
        Vector c[4];
        Face(centre, half, n, c);
        for (int k : {0, 1, 2, 0, 2, 3}) v->push_back({c[k].x, c[k].y, c[k].z, n.x, n.y, n.z, colour});
    }
}

// A quad facing the camera at depth z.
std::vector<VertexND> Quad(float x0, float y0, float x1, float y1, float z, uint32_t colour) {
    return {{x0, y1, z, 0, 0, -1, colour}, {x1, y1, z, 0, 0, -1, colour}, {x1, y0, z, 0, 0, -1, colour},
            {x0, y1, z, 0, 0, -1, colour}, {x1, y0, z, 0, 0, -1, colour}, {x0, y0, z, 0, 0, -1, colour}};
}

// A screen-space quad over whole pixels, drawn as a fan of four corners.
void TextQuad(float px, float py, float size, float u0, float u1) {
    const float x0 = px - 0.5f, y0 = py - 0.5f, x1 = x0 + size, y1 = y0 + size;
    VertexTL q[4] = {{x0, y0, 0, 1, 0xFFFFFFFF, 0, u0, 0},
                     {x1, y0, 0, 1, 0xFFFFFFFF, 0, u1, 0},
                     {x1, y1, 0, 1, 0xFFFFFFFF, 0, u1, 1},
                     {x0, y1, 0, 1, 0xFFFFFFFF, 0, u0, 1}};
    D3DDrawPrimitive(plat::kPtTriangleFan, kFvfTL, q, 4);
}

int MakeTexture(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(pixels.size() * 4), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, pixels.data(), pixels.size() * 4);
    return D3DTexAdvancedCreateTexture(width, height, &block, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_32BIT);
}

Matrix Projection() {
    // Perspective, 90 degrees high, 4:3, depth 1 to 100.
    const float q = 100.0f / 99.0f;
    Matrix p{};
    p.m[0][0] = 0.75f;
    p.m[1][1] = 1.0f;
    p.m[2][2] = q;
    p.m[2][3] = 1.0f;
    p.m[3][2] = -q;
    return p;
}

class D3DSceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(64 * 1024);
        testenv::Start3DCard();
        char pattern[] = "/tmp/halvorn-scene-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        testenv::Stop3D();
        UninitMemory();
        std::system(("rm -rf " + dir_).c_str());
    }

    void RestoreGraphicModeIfSet() {
        if (GfxIsModeSet()) RestoreGraphicMode();
    }
    // The drawing surface saved as a screen grab and loaded back.
    void Grab() {
        frame_ = testenv::GrabFrame(dir_ + "/grab.tga");
        ASSERT_EQ(frame_.width, kW);
        ASSERT_EQ(frame_.height, kH);
    }
    uint32_t At(int x, int y) const { return frame_.At(x, y); }
    void ExpectNear(int x, int y, uint32_t rgb, int tolerance, const char* what) {
        const uint32_t got = At(x, y);
        for (int shift : {16, 8, 0}) {
            const int a = int((got >> shift) & 0xFF), b = int((rgb >> shift) & 0xFF);
            EXPECT_NEAR(a, b, tolerance)
                << what << " at " << x << "," << y << std::hex << " got 0x" << got << " wanted 0x" << rgb;
        }
    }

    std::string dir_;
    testenv::Frame frame_;
};

TEST_F(D3DSceneTest, EveryEffectShowsInTheGrab) {
    int mode = GfxFindMode(kW, kH, 3);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_STENCIL | GFX_DOUBLEBUFFER);

    // Left half red, right half blue; a glyph sheet of a vertical and a
    // horizontal bar on transparent ground.
    std::vector<uint32_t> cube_texture(16);
    for (int i = 0; i < 16; ++i) cube_texture[i] = (i % 4) < 2 ? 0xFFFF0000 : 0xFF0000FF;
    const int cube_tex = MakeTexture(4, 4, cube_texture);
    std::vector<uint32_t> glyphs(16 * 8, 0x00000000);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (x == 2 || x == 3) glyphs[y * 16 + x] = 0xFFFFFFFF;
            if (y == 2 || y == 3) glyphs[y * 16 + 8 + x] = 0xFFFFFFFF;
        }
    }
    const int glyph_tex = MakeTexture(16, 8, glyphs);

    Matrix identity, projection = Projection();
    MatrixIdentity(&identity);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &identity);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &identity);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    D3DLightSetDefaultColour(0);
    const float light_colour[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    Vector forward{0, 0, 1};
    const int light = D3DLightCreate(light_colour, &forward);
    plat::D3DMaterial7 material{};
    material.diffuse = {1, 1, 1, 1};
    material.ambient = {1, 1, 1, 1};
    D3DSetMaterial(&material);

    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, kBackground, 1.0f, 0);
    D3DBeginScene();
    D3DSetRenderState(plat::kRsZEnable, 1);
    D3DSetRenderState(plat::kRsZWriteEnable, 1);
    D3DSetRenderState(plat::kRsZFunc, plat::kCmpLessEqual);
    D3DSetRenderState(plat::kRsCullMode, plat::kCullCcw);
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeGouraud);
    D3DSetRenderState(plat::kRsLighting, 1);

    // The lit textured cube, and a green one behind it drawn afterwards.
    std::vector<VertexNT> cube;
    std::vector<uint16_t> indices;
    TexturedCube({-2, 0, 6}, 1, &cube, &indices);
    D3DTexSetCurrentHandle(cube_tex);
    D3DDrawIndexedPrimitive(plat::kPtTriangleList, kFvfNT, cube.data(), uint32_t(cube.size()), indices.data(),
                            uint32_t(indices.size()));
    std::vector<VertexND> behind;
    ColouredCube({-1, 1, 9}, 1.5f, 0xFF00FF00, &behind);
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    D3DDrawPrimitive(plat::kPtTriangleList, kFvfND, behind.data(), uint32_t(behind.size()));

    // A white quad far away in linear table fog.
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DSetRenderState(plat::kRsFogEnable, 1);
    D3DSetRenderState(plat::kRsFogTableMode, plat::kFogLinear);
    D3DSetRenderStateFloat(plat::kRsFogStart, 5.0f);
    D3DSetRenderStateFloat(plat::kRsFogEnd, 20.0f);
    D3DSetRenderState(plat::kRsFogColor, 0xFF808080);
    std::vector<VertexND> far_quad = Quad(4, -3, 10, 3, 18, 0xFFFFFFFF);
    D3DDrawPrimitive(plat::kPtTriangleList, kFvfND, far_quad.data(), 6);
    D3DSetRenderState(plat::kRsFogEnable, 0);

    // Half-transparent white over the background.
    D3DSetRenderState(plat::kRsAlphaBlendEnable, 1);
    D3DSetRenderState(plat::kRsSrcBlend, plat::kBlendSrcAlpha);
    D3DSetRenderState(plat::kRsDestBlend, plat::kBlendInvSrcAlpha);
    std::vector<VertexND> glass = Quad(-6, -4, -3, -2.5f, 5, 0x80FFFFFF);
    D3DDrawPrimitive(plat::kPtTriangleList, kFvfND, glass.data(), 6);

    // Two overlapping shadows that darken each pixel once.
    D3DSetRenderState(plat::kRsZEnable, 0);
    D3DSetRenderState(plat::kRsStencilEnable, 1);
    D3DSetRenderState(plat::kRsStencilFunc, plat::kCmpNotEqual);
    D3DSetRenderState(plat::kRsStencilRef, 1);
    D3DSetRenderState(plat::kRsStencilMask, 1);
    D3DSetRenderState(plat::kRsStencilPass, plat::kStencilOpIncrSat);
    std::vector<VertexND> shadow_a = Quad(3, -4, 5.5f, -2.5f, 5, 0x80000000);
    std::vector<VertexND> shadow_b = Quad(4.5f, -4, 7, -2.5f, 5, 0x80000000);
    D3DDrawPrimitive(plat::kPtTriangleList, kFvfND, shadow_a.data(), 6);
    D3DDrawPrimitive(plat::kPtTriangleList, kFvfND, shadow_b.data(), 6);
    D3DSetRenderState(plat::kRsStencilEnable, 0);

    // Two characters in screen space, texel for pixel.
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgPoint);
    D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnPoint);
    D3DTexSetCurrentHandle(glyph_tex);
    TextQuad(200, 20, 8, 0.0f, 0.5f);
    TextQuad(210, 20, 8, 0.5f, 1.0f);
    D3DEndScene();
    Grab();

    // The cube's front: texture modulated by the light, red then blue.
    ExpectNear(100, 120, 0xCC0000, 3, "lit red half");
    ExpectNear(124, 112, 0x0000CC, 3, "lit blue half");
    // Its right side faces across the light: unlit.
    ExpectNear(140, 120, 0x000000, 3, "side away from the light");
    // Where both cubes cover the screen the nearer one stays.
    ExpectNear(130, 110, 0x0000CC, 3, "nearer cube over the farther one");
    ExpectNear(155, 90, 0x00CC00, 3, "farther cube where it is alone");
    // Fog factor (20 - 18) / 15 of white, the rest grey.
    ExpectNear(206, 120, 0x919191, 4, "fogged quad");
    ExpectNear(60, 200, 0x9090B0, 3, "blended quad");
    const uint32_t shadow = 0x10102F;
    ExpectNear(250, 200, shadow, 2, "one shadow");
    ExpectNear(280, 200, shadow, 2, "two shadows, darkened once");
    ExpectNear(305, 200, shadow, 2, "the other shadow");
    ExpectNear(160, 5, kBackground, 0, "background");
    // The first character: columns 2 and 3 of the cell.
    for (int x = 200; x < 208; ++x) {
        ExpectNear(x, 24, (x == 202 || x == 203) ? 0xFFFFFF : kBackground, 0, "vertical bar");
    }
    // The second: rows 2 and 3.
    for (int y = 20; y < 28; ++y) {
        ExpectNear(213, y, (y == 22 || y == 23) ? 0xFFFFFF : kBackground, 0, "horizontal bar");
    }

    // The flip shows the same frame in the window.
    GfxFlip();
    for (int i = 0; i < 4; ++i) WinMessageHandler();
    plat::FlushPendingPresent();
    std::vector<uint32_t> frame;
    int fw = 0, fh = 0;
    plat::LastPresentedFrame(&frame, &fw, &fh);
    ASSERT_EQ(fw, kW);
    ASSERT_EQ(fh, kH);
    EXPECT_EQ(frame[size_t(24) * kW + 202], 0xFFFFFFu);
    EXPECT_EQ(frame[size_t(120) * kW + 160] & 0xFFFFFF, At(160, 120));

    D3DLightDestroy(light);
    D3DTexDestroyTexture(cube_tex);
    D3DTexDestroyTexture(glyph_tex);
}

// Strips, lines and points in screen space, a vertex buffer, and a
// mip-mapped texture drawn small enough to use its second level.
TEST_F(D3DSceneTest, PrimitiveKindsVertexBuffersAndMipLevels) {
    int mode = GfxFindMode(kW, kH, 3);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_DOUBLEBUFFER);
    D3DClearSceneAll();
    D3DBeginScene();
    D3DSetRenderState(plat::kRsZEnable, 0);
    D3DSetRenderState(plat::kRsCullMode, plat::kCullNone);
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    auto tl = [](float x, float y, uint32_t colour) { return VertexTL{x, y, 0, 1, colour, 0, 0, 0}; };
    // A strip of two triangles covering 10..19 x 10..19, flat shaded by
    // each triangle's first vertex.
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeFlat);
    VertexTL strip[4] = {tl(9.5f, 9.5f, 0xFFFF0000), tl(19.5f, 9.5f, 0xFF00FF00), tl(9.5f, 19.5f, 0xFF0000FF),
                         tl(19.5f, 19.5f, 0xFFFFFFFF)};
    D3DDrawPrimitive(plat::kPtTriangleStrip, kFvfTL, strip, 4);
    D3DSetRenderState(plat::kRsShadeMode, plat::kShadeGouraud);
    // A horizontal line along row 40 and a point at (50, 50).
    VertexTL line[2] = {tl(10, 40, 0xFFFFFF00), tl(30, 40, 0xFFFFFF00)};
    D3DDrawPrimitive(plat::kPtLineList, kFvfTL, line, 2);
    VertexTL point = tl(50, 50, 0xFF00FFFF);
    D3DDrawPrimitive(plat::kPtPointList, kFvfTL, &point, 1);

    // The same strip again from a vertex buffer, moved right.
    plat::D3DVertexBufferDesc desc{sizeof(plat::D3DVertexBufferDesc), 0, kFvfTL, 4};
    plat::Direct3DVertexBuffer7* vb = nullptr;
    ASSERT_EQ(D3DGetD3D7()->CreateVertexBuffer(&desc, &vb, 0), plat::kDdOk);
    void* data = nullptr;
    ASSERT_EQ(vb->Lock(0, &data, nullptr), plat::kDdOk);
    VertexTL* moved = static_cast<VertexTL*>(data);
    for (int i = 0; i < 4; ++i) {
        moved[i] = strip[i];
        moved[i].x += 100;
        moved[i].diffuse = 0xFFFF00FF;
    }
    vb->Unlock();
    const uint16_t order[6] = {0, 1, 2, 2, 1, 3};
    D3DDrawIndexedPrimitiveVB(plat::kPtTriangleList, vb, 4, order, 6);

    // Level 0 white, level 1 red: drawn at half size, point mip filtering
    // takes level 1.
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const uint32_t saved_flags = device->flags;
    device->flags |= D3DDEVINFO_MIPMAPTEX;
    uint8_t* block = nullptr;
    AllocateMemory(&block, 16 * 16 * 4, MEM_TYPE_MANUAL_FREE);
    std::memset(block, 0xFF, 16 * 16 * 4);
    const int mip = D3DTexAdvancedCreateTexture(
        16, 16, &block, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_32BIT | D3DTEXCREATE_MIPMAP);
    device->flags = saved_flags;
    ASSERT_EQ(D3DTexGetLevels(mip), 4u);
    plat::DirectDrawSurface7* level1 = D3DTexGetSurface(mip)->Attached();
    plat::SurfaceDesc locked;
    ASSERT_EQ(level1->Lock(nullptr, &locked, 0, nullptr), plat::kDdOk);
    for (uint32_t y = 0; y < 8; ++y) {
        for (uint32_t x = 0; x < 8; ++x) {
            const uint32_t red = 0xFFFF0000;
            std::memcpy(static_cast<uint8_t*>(locked.surface) + y * uint32_t(locked.pitch) + x * 4, &red, 4);
        }
    }
    level1->Unlock(nullptr);
    D3DSetTextureStageState(0, plat::kTssMipFilter, plat::kTfpPoint);
    D3DTexSetCurrentHandle(mip);
    TextQuad(200, 100, 8, 0.0f, 1.0f);
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    D3DEndScene();
    Grab();

    ExpectNear(11, 11, 0xFF0000, 0, "first triangle of the strip");
    ExpectNear(18, 18, 0x00FF00, 0, "second triangle, its first vertex");
    ExpectNear(20, 15, 0x000000, 0, "beside the strip");
    ExpectNear(20, 40, 0xFFFF00, 0, "line");
    ExpectNear(20, 41, 0x000000, 0, "below the line");
    ExpectNear(50, 50, 0x00FFFF, 0, "point");
    ExpectNear(51, 50, 0x000000, 0, "beside the point");
    ExpectNear(115, 15, 0xFF00FF, 0, "strip from the vertex buffer");
    ExpectNear(204, 104, 0xFF0000, 0, "second mip level");
    vb->Release();
    D3DTexDestroyTexture(mip);
}

TEST_F(D3DSceneTest, FullScreenFlipShowsTheFrame) {
    RestoreGraphicModeIfSet();
    GfxUninit();
    testenv::Start3DCard(0);  // full screen
    int mode = GfxFindMode(640, 480, 3);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_DOUBLEBUFFER);
    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF336699, 1.0f, 0);
    D3DBeginScene();
    D3DEndScene();
    const int before = plat::PresentCount();
    GfxFlip();
    EXPECT_GT(plat::PresentCount(), before);
    std::vector<uint32_t> frame;
    int fw = 0, fh = 0;
    plat::LastPresentedFrame(&frame, &fw, &fh);
    ASSERT_EQ(fw, 640);
    EXPECT_EQ(frame[size_t(240) * 640 + 320], 0x336699u);
}

}  // namespace

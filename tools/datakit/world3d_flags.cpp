// The flags: each row of the flag table drawn from its one-line
// description into a small GFX0 picture the display loads as a texture.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"

namespace datakit {
namespace {

struct FlagRow {
    const char* name;
    uint32_t width, height;
    const char* drawing;
    int line;
};

constexpr FlagRow kFlagRows[] = {
#define FLAG(name, width, height, drawing) {name, width, height, drawing, __LINE__},
#include "data/flags.inc"
#undef FLAG
};
constexpr const char* kFlagFile = "data/flags.inc";
constexpr int kFlagWidth = 64, kFlagHeight = 32;

[[noreturn]] void Malformed(const FlagRow& row, const std::string& what) {
    DatakitFail("%s:%d: %s: %s", kFlagFile, row.line, row.name, what.c_str());
}

// Draws one flag in flag space: u across, v down, both 0..1; sizes are
// fractions of the height, so discs stay round at the flag's proportion.
class FlagPainter {
  public:
    FlagPainter(const FlagRow& row) : row_(row), aspect_(float(row.width) / float(row.height)) {
        picture_ = MakePicture(kFlagWidth, kFlagHeight, 0xFFFFFFFF);
    }

    template <typename Inside>
    void Paint(uint32_t colour, Inside inside) {
        for (int y = 0; y < kFlagHeight; ++y) {
            for (int x = 0; x < kFlagWidth; ++x) {
                const float u = (float(x) + 0.5f) / kFlagWidth, v = (float(y) + 0.5f) / kFlagHeight;
                if (inside(u, v)) picture_.pixels[size_t(y) * kFlagWidth + x] = colour;
            }
        }
    }

    void Layer(const std::string& text) {
        std::istringstream in(text);
        std::string shape;
        in >> shape;
        std::vector<std::string> args;
        for (std::string a; in >> a;) args.push_back(a);
        if (shape == "h" || shape == "v") {
            if (args.empty()) Malformed(row_, "bands without colours");
            const int n = int(args.size());
            for (int k = 0; k < n; ++k) {
                const uint32_t c = Colour(args[k]);
                Paint(c, [&](float u, float v) { return int((shape == "h" ? v : u) * n) == k; });
            }
        } else if (shape == "rect") {
            Need(args, 5, shape);
            const uint32_t c = Colour(args[0]);
            const float x0 = Num(args[1]), y0 = Num(args[2]), x1 = Num(args[3]), y1 = Num(args[4]);
            Paint(c, [&](float u, float v) { return u >= x0 && u < x1 && v >= y0 && v < y1; });
        } else if (shape == "canton") {
            Need(args, 3, shape);
            const float w = Num(args[1]), h = Num(args[2]);
            Paint(Colour(args[0]), [&](float u, float v) { return u < w && v < h; });
        } else if (shape == "cross" || shape == "ncross") {
            Need(args, 2, shape);
            Cross(Colour(args[0]), Num(args[1]), shape == "cross" ? 0.5f : 0.36f);
        } else if (shape == "ncross2") {
            Need(args, 4, shape);
            Cross(Colour(args[0]), Num(args[2]), 0.36f);
            Cross(Colour(args[1]), Num(args[3]), 0.36f);
        } else if (shape == "saltire") {
            Need(args, 2, shape);
            Saltire(Colour(args[0]), Num(args[1]), 0, 0, 1, 1);
        } else if (shape == "disc" || shape == "star") {
            if (args.size() != 2 && args.size() != 4)
                Malformed(row_, shape + " takes a colour, a size and a place");
            const float r = Num(args[1]);
            const float cx = args.size() == 4 ? Num(args[2]) : 0.5f,
                        cy = args.size() == 4 ? Num(args[3]) : 0.5f;
            if (shape == "disc") {
                Paint(Colour(args[0]), [&](float u, float v) {
                    const float du = (u - cx) * aspect_, dv = v - cy;
                    return du * du + dv * dv <= r * r;
                });
            } else {
                Star(Colour(args[0]), r, cx, cy);
            }
        } else if (shape == "tri") {
            Need(args, 2, shape);
            const float d = Num(args[1]);
            Paint(Colour(args[0]),
                  [&](float u, float v) { return u <= d * (1.0f - std::abs(v - 0.5f) * 2.0f); });
        } else if (shape == "diamond") {
            Need(args, 2, shape);
            const float s = Num(args[1]) / 2.0f;
            Paint(Colour(args[0]),
                  [&](float u, float v) { return std::abs(u - 0.5f) + std::abs(v - 0.5f) <= s; });
        } else if (shape == "diag") {
            Need(args, 2, shape);
            const uint32_t a = Colour(args[0]), b = Colour(args[1]);
            Paint(a, [](float u, float v) { return u + v < 1.0f; });
            Paint(b, [](float u, float v) { return u + v >= 1.0f; });
        } else if (shape == "band") {
            Need(args, 2, shape);
            const float t = Num(args[1]);
            Paint(Colour(args[0]),
                  [&](float u, float v) { return std::abs(u * aspect_ + v - aspect_) <= t; });
        } else if (shape == "ujack") {
            if (!args.empty()) Malformed(row_, "ujack takes nothing");
            UnionCanton();
        } else {
            Malformed(row_, "unknown shape '" + shape + "'");
        }
    }

    const Picture& picture() const { return picture_; }

  private:
    void Need(const std::vector<std::string>& args, size_t n, const std::string& shape) {
        if (args.size() != n) Malformed(row_, shape + " takes " + std::to_string(n) + " values");
    }
    float Num(const std::string& text) {
        char* end = nullptr;
        const float value = std::strtof(text.c_str(), &end);
        if (end == text.c_str() || *end != 0 || !(value >= 0.0f && value <= 4.0f)) {
            Malformed(row_, "'" + text + "' is not a size or place");
        }
        return value;
    }
    uint32_t Colour(const std::string& name) {
        static const std::pair<const char*, uint32_t> kNamed[] = {
            {"r", 0xCE1126}, {"w", 0xFFFFFF}, {"b", 0x0038A8},  {"n", 0x00247D},
            {"s", 0x75AADB}, {"g", 0x009A44}, {"dg", 0x01411C}, {"y", 0xFCD116},
            {"o", 0xFF8200}, {"k", 0x000000}, {"m", 0x8A1538}};
        for (const auto& [key, rgb] : kNamed) {
            if (name == key) return 0xFF000000u | rgb;
        }
        if (name.size() == 6 && name.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
            return 0xFF000000u | uint32_t(std::stoul(name, nullptr, 16));
        }
        Malformed(row_, "unknown colour '" + name + "'");
    }
    void Cross(uint32_t colour, float t, float at) {
        Paint(colour, [&](float u, float v) {
            return std::abs(v - 0.5f) <= t / 2.0f || std::abs(u - at) * aspect_ <= t / 2.0f;
        });
    }
    // A saltire in the rectangle (x0, y0)-(x1, y1).
    void Saltire(uint32_t colour, float t, float x0, float y0, float x1, float y1) {
        const float w = (x1 - x0) * aspect_, h = y1 - y0, len = std::hypot(w, h);
        Paint(colour, [&](float u, float v) {
            if (u < x0 || u >= x1 || v < y0 || v >= y1) return false;
            const float px = (u - x0) * aspect_, py = v - y0;
            return std::abs(px * h - py * w) / len <= t / 2.0f ||
                   std::abs(px * h - (h - py) * w) / len <= t / 2.0f;
        });
    }
    void Star(uint32_t colour, float r, float cx, float cy) {
        Paint(colour, [&](float u, float v) {
            const float dx = (u - cx) * aspect_, dy = cy - v;
            const float d = std::hypot(dx, dy);
            if (d > r) return false;
            // Five points: the edge radius swings between r and 0.4 r.
            const float a = std::atan2(dx, dy);
            const float phase = std::abs(std::remainder(a, 2.0f * kPiF / 5.0f)) / (kPiF / 5.0f);
            return d <= r * (1.0f - 0.6f * phase);
        });
    }
    void UnionCanton() {
        const uint32_t navy = 0xFF00247D, white = 0xFFFFFFFF, red = 0xFFCE1126;
        Paint(navy, [](float u, float v) { return u < 0.5f && v < 0.5f; });
        Saltire(white, 0.1f, 0, 0, 0.5f, 0.5f);
        Saltire(red, 0.035f, 0, 0, 0.5f, 0.5f);
        Paint(white, [&](float u, float v) {
            return u < 0.5f && v < 0.5f &&
                   (std::abs(v - 0.25f) <= 0.08f || std::abs(u - 0.25f) * aspect_ <= 0.08f);
        });
        Paint(red, [&](float u, float v) {
            return u < 0.5f && v < 0.5f &&
                   (std::abs(v - 0.25f) <= 0.05f || std::abs(u - 0.25f) * aspect_ <= 0.05f);
        });
    }

    const FlagRow& row_;
    float aspect_;
    Picture picture_;
};

std::vector<uint8_t> GfxWrite(const Picture& picture) {
    std::vector<uint8_t> out(GFX0_HEADER_SIZE, 0);
    std::memcpy(out.data(), "GFX0", 4);
    recbits::StoreU16(out.data() + GFX0_WIDTH, uint16_t(picture.width));
    recbits::StoreU16(out.data() + GFX0_HEIGHT, uint16_t(picture.height));
    recbits::StoreU16(out.data() + GFX0_FRAMES, 1);
    out.reserve(out.size() + picture.pixels.size() * 4);
    for (uint32_t p : picture.pixels) recbits::AppendU32(out, p);
    return out;
}

}  // namespace

Picture DrawFlag(const char* name, uint32_t width, uint32_t height, const char* drawing, int line) {
    const FlagRow row{name, width, height, drawing, line};
    if (width == 0 || height == 0) Malformed(row, "a flag needs a width and a height");
    FlagPainter painter(row);
    std::string text(drawing);
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string layer = text.substr(start, end - start);
        if (layer.find_first_not_of(' ') == std::string::npos) Malformed(row, "an empty layer");
        painter.Layer(layer);
        start = end + 1;
    }
    return painter.picture();
}

void GenerateFlags() {
    std::set<std::string> names;
    for (const FlagRow& row : kFlagRows) {
        const std::string name(row.name);
        if (name.empty() || name.size() > 24 ||
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
            Malformed(row, "a flag name is lower-case letters, at most 24");
        }
        if (!names.insert(name).second) Malformed(row, "named twice");
        StagePakFile("zudata\\d3d\\simple\\textures\\flags\\" + name + ".gfx",
                     GfxWrite(DrawFlag(row.name, row.width, row.height, row.drawing, row.line)));
    }
}

}  // namespace datakit

// Draws the start-up picture, LOGO.BMP: 320 × 200 pixels, 8 bits per pixel, 256 colours.
// Run at build time so that the picture lies beside the program without a binary file in
// the source tree.  Usage: make_logo_bitmap OUT.BMP
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

// Palette: 0–127 a night-blue gradient, 128–191 teal wave shades, 192–255 amber.
enum : std::uint8_t { kWave = 150, kWaveDim = 140, kSilence = 220, kText = 255, kSubText = 200 };

std::array<std::uint32_t, 256> palette() {
    std::array<std::uint32_t, 256> p{};
    auto rgb = [](int r, int g, int b) {
        return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    };
    for (int i = 0; i < 128; ++i) p[i] = rgb(8 + i / 6, 14 + i / 4, 40 + i / 2);
    for (int i = 0; i < 64; ++i) p[128 + i] = rgb(20 + i, 120 + 2 * i, 130 + 2 * i);
    for (int i = 0; i < 64; ++i) p[192 + i] = rgb(180 + i, 120 + 2 * i, 40 + 3 * i);
    return p;
}

// 5 × 7 glyphs, one string per row, for the few characters the picture needs.
struct Glyph {
    char c;
    const char* rows[7];
};
// clang-format off
constexpr Glyph kFont[] = {
    {'V', {"X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."}},
    {'e', {".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."}},
    {'l', {".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'m', {".....", ".....", "XX.X.", "X.X.X", "X.X.X", "X.X.X", "X.X.X"}},
    {'o', {".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."}},
    {'r', {".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."}},
    {'i', {"..X..", ".....", ".XX..", "..X..", "..X..", "..X..", ".XXX."}},
    {'n', {".....", ".....", "X.XX.", "XX..X", "X...X", "X...X", "X...X"}},
    {'D', {"XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."}},
    {'A', {".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"}},
    {'U', {"X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'I', {".XXX.", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'O', {".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'M', {"X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"}},
    {'T', {"XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."}},
    {'E', {"XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"}},
    {'1', {"..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'0', {".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", ".XXX."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".XX..", ".XX.."}},
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
};
// clang-format on

struct Canvas {
    std::vector<std::uint8_t> pixels =
        std::vector<std::uint8_t>(kWidth * kHeight);  // top row first
    void set(int x, int y, std::uint8_t colour) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) pixels[y * kWidth + x] = colour;
    }
    void text(int x, int y, int scale, const std::string& s, std::uint8_t colour) {
        for (char c : s) {
            for (const Glyph& g : kFont) {
                if (g.c != c) continue;
                for (int row = 0; row < 7; ++row)
                    for (int col = 0; col < 5; ++col)
                        if (g.rows[row][col] == 'X')
                            for (int dy = 0; dy < scale; ++dy)
                                for (int dx = 0; dx < scale; ++dx)
                                    set(x + col * scale + dx, y + row * scale + dy, colour);
            }
            x += 6 * scale;
        }
    }
    int textWidth(const std::string& s, int scale) const {
        return static_cast<int>(s.size()) * 6 * scale - scale;
    }
};

void draw(Canvas& canvas) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            canvas.set(x, y, static_cast<std::uint8_t>(127 - y * 100 / kHeight - x / 40));

    // An audio waveform with one stretch silenced: what the program does.
    const int mid = 132, silenceFrom = 150, silenceTo = 220;
    for (int x = 16; x < kWidth - 16; ++x) {
        const bool silent = x >= silenceFrom && x < silenceTo;
        const double envelope = 0.55 + 0.45 * std::sin(x * 0.045) * std::sin(x * 0.013 + 1.0);
        const int amplitude =
            silent ? 0
                   : static_cast<int>(26 * envelope *
                                      std::fabs(std::sin(x * 0.61) + 0.5 * std::sin(x * 1.7)));
        for (int y = mid - amplitude; y <= mid + amplitude; ++y)
            canvas.set(x, y, silent ? kSilence : (x % 2 ? kWave : kWaveDim));
    }
    for (int x = silenceFrom; x < silenceTo; ++x) {
        canvas.set(x, mid - 14, kSilence);
        canvas.set(x, mid + 14, kSilence);
    }

    const std::string name = "Velmorin";
    canvas.text((kWidth - canvas.textWidth(name, 6)) / 2, 28, 6, name, kText);
    const std::string what = "DVD AUDIO MUTE";
    canvas.text((kWidth - canvas.textWidth(what, 2)) / 2, 176, 2, what, kSubText);
    canvas.text(kWidth - canvas.textWidth("1.00", 1) - 6, kHeight - 12, 1, "1.00", kSubText);
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo_bitmap OUT.BMP\n");
        return 2;
    }
    Canvas canvas;
    draw(canvas);

    constexpr std::uint32_t kDataOffset = 14 + 40 + 256 * 4;
    constexpr std::uint32_t kImageBytes =
        kWidth * kHeight;  // 320 is a multiple of 4: no row padding
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, kDataOffset + kImageBytes);
    put32(out, 0);
    put32(out, kDataOffset);
    put32(out, 40);
    put32(out, kWidth);
    put32(out, kHeight);
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // no compression
    put32(out, kImageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (std::uint32_t rgb : palette()) put32(out, rgb);  // blue, green, red, reserved
    for (int y = kHeight - 1; y >= 0; --y)
        out.insert(out.end(), canvas.pixels.begin() + y * kWidth,
                   canvas.pixels.begin() + (y + 1) * kWidth);

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}

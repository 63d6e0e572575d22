#include "led_effects.h"

#include "gpu/board_list.h"

#include <array>

namespace {

constexpr int kRainbowTurn = 1536;
constexpr int kRainbowStep = 16;
constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;  // nothing sent yet

int g_rainbowPhase = 0;

std::array<std::uint32_t, kMaxBoards>& LastColours() {
    static std::array<std::uint32_t, kMaxBoards> colours = [] {
        std::array<std::uint32_t, kMaxBoards> all;
        all.fill(kNoColour);
        return all;
    }();
    return colours;
}

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

}  // namespace

std::uint32_t LedTemperatureColour(int celsius, bool mono) {
    static constexpr std::uint32_t kColours[4] = {Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 64, 0), Rgb(255, 0, 0)};
    static constexpr std::uint32_t kGreys[4] = {0x0F0F0F, 0x3F3F3F, 0x7F7F7F, 0xFFFFFF};
    const int band = celsius <= 50 ? 0 : celsius <= 80 ? 1 : celsius <= 90 ? 2 : 3;
    return mono ? kGreys[band] : kColours[band];
}

std::uint32_t RainbowColour(int phase) {
    const std::uint32_t p = static_cast<std::uint32_t>(phase) & 0xFF;
    switch ((phase / 256) % 6) {
    case 0: return Rgb(255, p, 0);
    case 1: return Rgb(255 - p, 255, 0);
    case 2: return Rgb(0, 255, p);
    case 3: return Rgb(0, 255 - p, 255);
    case 4: return Rgb(p, 0, 255);
    default: return Rgb(255, 0, 255 - p);
    }
}

int RainbowPhase() { return g_rainbowPhase; }

void AdvanceRainbowPhase() {
    g_rainbowPhase += kRainbowStep;
    if (g_rainbowPhase >= kRainbowTurn) g_rainbowPhase = 0;
}

void ResetRainbowPhase() { g_rainbowPhase = 0; }

bool TemperatureColourChanged(int board, std::uint32_t colour) {
    if (board < 0 || board >= kMaxBoards) return true;
    if (LastColours()[board] == colour) return false;
    LastColours()[board] = colour;
    return true;
}

void ForgetTemperatureColour(int board) {
    if (board >= 0 && board < kMaxBoards) LastColours()[board] = kNoColour;
}

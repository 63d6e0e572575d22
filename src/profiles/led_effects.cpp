#include "led_effects.h"

#include "gpu/board_list.h"
#include "gpu/i2c.h"
#include "gpu/led.h"
#include "gpu/pause.h"

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

void LedSetSessionEndColour(int board, int kind) {
    const int digit = kind % 10;
    const bool second = kind >= 1000 && (digit == 0 || digit == 1);
    const bool zonedA = kind >= 1200 && digit == 2;
    const bool zonedB = kind >= 2000 && (digit == 3 || digit == 7);
    constexpr std::uint8_t kController = 0x92;
    if (kind < 11 || kind > 999) {
        if (zonedA || zonedB) {
            const std::uint8_t mode = 0;
            GpuI2cWrite(board, &mode, kController, 0xE0, 0, 1);
        }
        if (second || zonedA || zonedB) {
            const bool mono = kind >= 1000 && digit == 1;
            const std::uint8_t writes[5][2] = {{0x60, 1},
                                               {0x6C, static_cast<std::uint8_t>(mono ? 200 : 69)},
                                               {0x6D, 200},
                                               {0x6E, static_cast<std::uint8_t>(digit == 1 ? 200 : 0)},
                                               {0x6F, 100}};
            for (const auto& [reg, value] : writes) {
                if (!GpuI2cWrite(board, &value, kController, reg, 0, 1)) break;
            }
        } else if (kind == 10) {
            const std::uint32_t colour = kLedSessionEndColour;
            GpuSetIllumZoneColors(board, 0, &colour, 1);
        } else if (kind >= 0 && kind <= 2) {
            const std::uint8_t bytes[4] = {0x45, 0xC8, 0x00, 0xFF};
            GpuI2cWrite(board, bytes, 0x10, 0x03, 0, 4);
        }
    }
    GpuPause(50);
    LedSetStill(board, kLedSessionEndColour);
}

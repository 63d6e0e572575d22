#include "led.h"

#include "gpu/board_list.h"
#include "gpu/colour.h"
#include "gpu/i2c.h"
#include "gpu/pause.h"

#include <array>
#include <cstring>

namespace {

constexpr std::uint8_t kBrandTag[5] = {'Z', 'A', 'N', 'T', 'H'};
constexpr const char* kFirmwareTexts[] = {" 1.", "2.0", "2.1"};
constexpr unsigned kPowerOnPause = 100;

// The kind each board was last found to carry; -1 until detected.
std::array<int, kMaxBoards>& Kinds() {
    static std::array<int, kMaxBoards> kinds = [] {
        std::array<int, kMaxBoards> all;
        all.fill(-1);
        return all;
    }();
    return kinds;
}

// Reads `count` registers from `first` one byte at a time; false at the first failure.
bool ReadRegisters(int board, std::uint8_t device, std::uint8_t first, std::uint8_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        if (!GpuI2cRead(board, &out[i], device, static_cast<std::uint8_t>(first + i))) return false;
    }
    return true;
}

// Writes single bytes to consecutive registers, stopping at the first failure.
bool WriteBytes(int board, std::uint8_t device, std::uint8_t first, const std::uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        if (!GpuI2cWrite(board, &bytes[i], device, static_cast<std::uint8_t>(first + i), 0, 1)) return false;
    }
    return true;
}

bool WriteByte(int board, std::uint8_t device, std::uint8_t reg, std::uint8_t value) {
    return GpuI2cWrite(board, &value, device, reg, 0, 1) != 0;
}

int DetectSecondGeneration(int board) {
    std::uint8_t r[16];
    if (!ReadRegisters(board, kLedSecondGeneration, 0xF0, r, 16)) return 10;
    if (std::memcmp(&r[0x6], kBrandTag, 5) != 0) return 10;
    return 1000 * (r[0xC] & 0x0F) + 100 * (r[0xD] & 0x0F) + 10 * (r[0xE] & 0x0F) + (r[0x5] & 0x1F);
}

int DetectFirstGeneration(int board) {
    std::uint8_t r[16];
    if (!ReadRegisters(board, kLedFirstGeneration, 0, r, 16)) return -1;
    if (std::memcmp(&r[7], kBrandTag, 5) != 0) {
        // A locked controller: the unlock pattern, as three 4-byte writes.
        const std::uint8_t pattern[12] = {0x7F, 0x7F, 0x7F, 0x00, 0xFF, 0x00, 0xFF, 'Z', 'A', 'N', 'T', 'H'};
        for (int block = 0; block < 3; ++block) {
            if (!GpuI2cWrite(board, &pattern[4 * block], kLedFirstGeneration, static_cast<std::uint8_t>(4 * block), 0, 4)) {
                break;
            }
        }
        if (!ReadRegisters(board, kLedFirstGeneration, 0, r, 16)) return -1;
        if (std::memcmp(&r[7], kBrandTag, 5) != 0) return -1;
    }
    for (int k = 0; k < 3; ++k) {
        if (std::memcmp(&r[12], kFirmwareTexts[k], 3) == 0) return k;
    }
    return -1;
}

}  // namespace

bool IsLegacyLedController(int kind) { return kind >= 0 && kind <= 2; }
bool IsDriverZones(int kind) { return kind == 10; }
bool IsMonoLedController(int kind) { return kind >= 1000 && kind % 10 == 1; }
bool IsPlainLedController(int kind) { return kind >= 1000 && kind % 10 == 0; }
bool IsRgbLedController(int kind) {
    return (kind >= 1200 && kind % 10 == 2) || (kind >= 2000 && (kind % 10 == 3 || kind % 10 == 7));
}
bool TakesLedEffects(int kind) {
    return !IsLegacyLedController(kind) && !IsDriverZones(kind) && !IsMonoLedController(kind) &&
           !IsPlainLedController(kind);
}

int LedDetectController(int board) {
    const int kind = GpuGetIllumZones(board, nullptr, 1) == NvOk ? DetectSecondGeneration(board)
                                                                 : DetectFirstGeneration(board);
    if (board >= 0 && board < kMaxBoards) Kinds()[board] = kind;
    return kind;
}

int LedControllerKind(int board) { return board >= 0 && board < kMaxBoards ? Kinds()[board] : -1; }

void LedSetStill(int board, std::uint32_t colour) {
    const int kind = LedControllerKind(board);
    if (IsRgbLedController(kind)) WriteByte(board, kLedSecondGeneration, 0xE0, 0x00);  // end any effect
    if (IsPlainLedController(kind) || IsMonoLedController(kind) || IsRgbLedController(kind)) {
        std::uint8_t red = ColourRed(colour), green = ColourGreen(colour), blue = ColourBlue(colour);
        if (IsMonoLedController(kind)) red = blue = green;
        const std::uint8_t registers[5] = {0x60, 0x6C, 0x6D, 0x6E, 0x6F};
        const std::uint8_t values[5] = {0x01, red, green, blue, 100};
        for (int i = 0; i < 5; ++i) {
            if (!WriteByte(board, kLedSecondGeneration, registers[i], values[i])) break;
        }
    } else if (IsDriverZones(kind)) {
        const std::uint32_t colours[2] = {colour, 255};
        GpuSetIllumZoneColors(board, 0, colours, 2);
    } else if (IsLegacyLedController(kind)) {
        const std::uint8_t bytes[4] = {ColourRed(colour), ColourGreen(colour), ColourBlue(colour), 0xFF};
        GpuI2cWrite(board, bytes, kLedFirstGeneration, 3, 0, 4);
    }
}

void LedSetNvColorIndex(int board, int index) {
    const std::uint8_t bytes[4] = {0x00, 0x00, 0x00, static_cast<std::uint8_t>((index & 7) ^ 0xFF)};
    GpuI2cWrite(board, bytes, kLedFirstGeneration, 3, 0, 4);
}

void LedStorePowerOnDefault(int board) {
    if (LedDetectController(board) < 0) return;
    std::uint8_t b[4];
    if (!ReadRegisters(board, kLedFirstGeneration, 12, b, 4)) return;
    for (std::uint8_t magic : {0x55, 0xAA, 0x55, 0xAA}) {
        const std::uint8_t bytes[4] = {b[0], b[1], b[2], magic};
        if (!GpuI2cWrite(board, bytes, kLedFirstGeneration, 12, 0, 4)) return;
        GpuPause(kPowerOnPause);
    }
}

void LedSetCycle(int board, int on, int direction, int speed) {
    if (!TakesLedEffects(LedControllerKind(board))) return;
    if (on) {
        const std::uint8_t bytes[4] = {0x01, static_cast<std::uint8_t>(direction ? 1 : 0),
                                       static_cast<std::uint8_t>(speed & 0xFF), 0x1F};
        GpuI2cWrite(board, bytes, kLedSecondGeneration, 0xE0, 0, 4);
    } else if (WriteByte(board, kLedSecondGeneration, 0xE0, 0x00)) {
        WriteByte(board, kLedSecondGeneration, 0x60, 0x00);
    }
}

void LedSetStrobe(int board, int direction, int speed, std::uint32_t colour) {
    if (!TakesLedEffects(LedControllerKind(board))) return;
    const std::uint8_t bytes[9] = {0x02, static_cast<std::uint8_t>(direction ? 1 : 0),
                                   static_cast<std::uint8_t>(speed & 0xFF), 0x00, ColourRed(colour),
                                   ColourGreen(colour), ColourBlue(colour), 0x64, 0x05};
    GpuI2cWrite(board, bytes, kLedSecondGeneration, 0xE0, 0, 9);
}

void LedSetBreath(int board, std::uint32_t colourA, std::uint32_t colourB, int speed) {
    LedSetCycle(board, 0, 0, 0);
    GpuSetIllumZones(board, colourA, colourB, speed, speed);
    const auto low = static_cast<std::uint8_t>(speed & 0xFF), high = static_cast<std::uint8_t>((speed >> 8) & 0xFF);
    const std::uint8_t bytes[22] = {0x22,
                                    0x01,
                                    low,
                                    high,
                                    low,
                                    high,
                                    0x64,
                                    0x00,
                                    0x64,
                                    0x00,
                                    0x00,
                                    0x00,
                                    ColourRed(colourA),
                                    ColourGreen(colourA),
                                    ColourBlue(colourA),
                                    static_cast<std::uint8_t>(colourA ? 100 : 0),
                                    ColourRed(colourB),
                                    ColourGreen(colourB),
                                    ColourBlue(colourB),
                                    static_cast<std::uint8_t>(colourB ? 100 : 0),
                                    0x00,
                                    0x00};
    WriteBytes(board, kLedSecondGeneration, 0x60, bytes, 22);
}

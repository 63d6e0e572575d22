// The board's LED controller: which kind it carries, and every lighting effect.
#pragma once

#include <cstdint>

// I2C devices (8-bit address form) on port 1.
constexpr std::uint8_t kLedFirstGeneration = 0x10;
constexpr std::uint8_t kLedSecondGeneration = 0x92;
constexpr std::uint8_t kBoardController = 0x40;

// Controller kinds (the number LedDetectController returns):
// -1 none found; 0, 1, 2 first generation; 10 driver zones; four digits second generation.
bool IsLegacyLedController(int kind);  // 0, 1, 2
bool IsDriverZones(int kind);          // 10
// The LED dialog can drive it: any kind found, except the unknown 11–999.
inline bool IsUsableLedController(int kind) { return kind >= 0 && !(kind >= 11 && kind <= 999); }
bool IsMonoLedController(int kind);    // 1000 and above, last digit 1
bool IsPlainLedController(int kind);   // 1000 and above, last digit 0: colour writes only
bool IsRgbLedController(int kind);     // 1200+ ending in 2, or 2000+ ending in 3 or 7
// Kinds the effect operations (cycle, strobe) address on the second-generation device.
bool TakesLedEffects(int kind);

// Identifies the board's controller (I2C reads, and the unlock of a locked first-
// generation chip) and remembers the kind for the operations below.
int LedDetectController(int board);
// The kind last detected on the board; -1 before any detection.
int LedControllerKind(int board);

// Operations act on the remembered kind.
void LedSetStill(int board, std::uint32_t colour);
void LedSetNvColorIndex(int board, int index);
void LedStorePowerOnDefault(int board);
void LedSetCycle(int board, int on, int direction, int speed);
void LedSetStrobe(int board, int direction, int speed, std::uint32_t colour);
void LedSetBreath(int board, std::uint32_t colourA, std::uint32_t colourB, int speed);
